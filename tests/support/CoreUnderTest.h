// A session core reporting to an event log, for transport tests, and a request that a test posts to it.
//
//   ScriptedFront front;                                   // fronts first: the core is destroyed first
//   CoreUnderTest s({front.Address()}, {64 * 1024, 64 * 1024, 120});
//   s.Link.AfterPackage = ...;                            // hooks before Init
//   s.Core.Init();
//   ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
//   ASSERT_EQ(s.Core.Post(Request(122, 7)), 0);
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "codec/APIPackage.h"
#include "tests/support/EventLog.h"
#include "tests/support/RecordingLink.h"
#include "transport/SessionCore.h"

struct CoreUnderTest {
    CoreUnderTest(std::initializer_list<std::string> fronts, const CConnectionSettings& settings)
        : Link(Log), Core(Link, settings) {
        for (const std::string& front : fronts)
            Core.AddFront(front.c_str());
    }

    EventLog Log;
    RecordingLink Link;
    CSessionCore Core;
};

// Builds a package with an empty body in the connection's send buffer and sends it (I/O thread).
inline void SendRequest(CServerConnection& connection, uint16_t serviceNo, int32_t requestId) {
    CAPIPackage package;
    package.BeginPackage(serviceNo, requestId, connection.SendBuffer() + 4);
    connection.SendPackage(package);
}

// A handler for CSessionCore::Post that sends that request.
inline auto Request(uint16_t serviceNo, int32_t requestId) {
    return [=](CServerConnection& connection) { SendRequest(connection, serviceNo, requestId); };
}
