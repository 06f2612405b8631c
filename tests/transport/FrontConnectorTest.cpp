// The connector against scripted fronts: the order of attempts over fronts that are down, the immediate
// new start from the first front after a lost connection, and entries that cannot be used.
#include "transport/FrontConnector.h"

#include <gtest/gtest.h>

#include "tests/support/CoreUnderTest.h"
#include "tests/support/ScriptedFront.h"

using namespace std::chrono_literals;

namespace {
const CConnectionSettings Small{64 * 1024, 64 * 1024, 120};
using Events = std::vector<std::string>;

std::string Attempt(const std::string& front) {
    return "Connecting " + front;
}
}  // namespace

TEST(FrontConnector, FrontsThatAreDownAreTriedInListOrderWithoutEnd) {
    ScriptedFront a;
    ScriptedFront b;
    ScriptedFront c;
    for (ScriptedFront* front : {&a, &b, &c})
        ASSERT_TRUE(front->Refuse().WaitSteps());
    CoreUnderTest s({a.Address(), b.Address(), c.Address()}, Small);
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitForCount("Connecting", 5, 7s));  // one attempt per second
    s.Core.Shutdown();
    const Events attempts = s.Log.Matching("Connecting");
    EXPECT_EQ(Events(attempts.begin(), attempts.begin() + 5),
              (Events{Attempt(a.Address()), Attempt(b.Address()), Attempt(c.Address()), Attempt(a.Address()),
                      Attempt(b.Address())}));
    EXPECT_EQ(s.Log.Count("OnConnected") + s.Log.Count("OnDisconnected"), 0u);
}

TEST(FrontConnector, LostConnectionIsReportedThenTheFirstFrontIsTriedAtOnce) {
    ScriptedFront a;
    ScriptedFront b;
    ASSERT_TRUE(a.Refuse().WaitSteps());
    CoreUnderTest s({a.Address(), b.Address()}, Small);
    b.Accept().Close().Accept();
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnConnected", 3s));
    ASSERT_TRUE(s.Log.WaitFor("OnDisconnected"));
    ASSERT_TRUE(s.Log.WaitFor("OnConnected", 3s));
    s.Core.Shutdown();
    EXPECT_EQ(s.Log.Events(),
              (Events{Attempt(a.Address()), Attempt(b.Address()), "OnConnected", "Closed ", "OnDisconnected",
                      Attempt(a.Address()), Attempt(b.Address()), "OnConnected", "Closed Stoped"}));
    a.Finish();
    b.Finish();
}

TEST(FrontConnector, EntriesThatCannotBeUsedAreFailedAttempts) {
    ScriptedFront front;
    const std::string longHost = std::string(128, 'h') + ":80";
    CoreUnderTest s({"no-colon", longHost, front.Address()}, Small);
    front.Accept(5s);  // after two pauses
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnConnected", 5s));
    EXPECT_EQ(s.Log.Matching("Connecting"),
              (Events{Attempt("no-colon"), Attempt(longHost), Attempt(front.Address())}));
    s.Core.Shutdown();
    front.Finish();
}

TEST(FrontConnector, NameThatDoesNotResolveOnTheIoThreadIsAFailedAttempt) {
    ScriptedFront a;
    CoreUnderTest s({a.Address(), "bad host:80"}, Small);  // the resolver refuses it without a lookup
    a.Accept().Refuse().Close();
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnDisconnected"));
    ASSERT_TRUE(s.Log.WaitForCount("Connecting", 5, 6s));  // A, A (refused), bad host, A, ...
    s.Core.Shutdown();
    const Events attempts = s.Log.Matching("Connecting");
    EXPECT_EQ(
        Events(attempts.begin(), attempts.begin() + 4),
        (Events{Attempt(a.Address()), Attempt(a.Address()), Attempt("bad host:80"), Attempt(a.Address())}));
    a.Finish();
}
