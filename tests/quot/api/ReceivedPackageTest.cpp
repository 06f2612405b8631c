// Received packages, laid out by hand, through the quote dispatcher into the market-data facade over a
// fake session: what the calling program receives for each. Payloads are exact-size heap copies.
#include "quot/api/VextMdApiImpl.h"

#include <gtest/gtest.h>

#include "quot/session/QuotDispatcher.h"
#include "tests/quot/api/FakeQuotSession.h"
#include "tests/quot/api/ReceivedPackageCases.h"

TEST(ReceivedPackage, EachPackageReachesTheUserAsItsPublicRecord) {
    for (const ReceivedPackageCase& c : ReceivedPackageCases()) {
        SCOPED_TRACE(c.Name);
        FakeSessionLog log;
        RecordingMdSpi user;
        CVextMdApiImpl* api = new CVextMdApiImpl(new CFakeQuotSession(log));
        api->SetSpi(&user);
        ExactBuffer in(c.Payload);
        CAPIPackage package;
        package.OpenPackage(in.data(), in.size());
        EXPECT_EQ(quot::DispatchPackage(package, api), 0);
        const auto events = user.Events();
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].Name, c.Callback);
        c.Check(events[0], *api);
        api->Release();
    }
}
