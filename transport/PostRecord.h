// The one request encoder both sessions use: a request is one package whose body is one record under its
// own row's tag, built in the connection's send buffer on the I/O thread and queued.
#pragma once

#include <cstdint>

#include "codec/APIPackage.h"
#include "codec/RecordTable.h"
#include "transport/SessionCore.h"

// Copies the record (a null one sends a zero-filled record) and posts its encoding under serviceNo to the
// current connection. 0 posted; -1 before Init, after Shutdown or while no connection is current, and
// nothing is sent. A request whose connection has closed before it is encoded is dropped.
template <typename R>
int PostRecord(CSessionCore& core, uint16_t serviceNo, const R* record, int32_t requestId) {
    R copy{};
    if (record != nullptr) copy = *record;
    return core.Post([copy, serviceNo, requestId](CServerConnection& connection) {
        CAPIPackage package;
        package.BeginPackage(serviceNo, requestId, connection.SendBuffer() + 4);
        if (WriteRecordElement(package, copy) >= 0) (void)connection.SendPackage(package);
    });
}
