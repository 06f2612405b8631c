// Requests the trading object answers itself on its callback thread: refused requests, the zero value,
// confirmations, investor, account profile and identity echo; each reply carrying the values of its own
// request, in request order, and only for a callback object registered at the time.
#include <ctime>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/trade/api/FacadeFixture.h"
#include "translate/DateText.h"

namespace {

using LocalReplies = FacadeTest;

TEST_F(LocalReplies, RefusedRequestsHandBackTheCallersPointerWithNotSupported) {
    using Operation = int (CZantuVextTraderApi::*)(void*, int);
    const struct {
        Operation Request;
        const char* Reply;
    } cases[] = {
        {&CZantuVextTraderApi::RefusedRequest31, "OnRefusedReply19"},
        {&CZantuVextTraderApi::RefusedRequest32, "OnRefusedReply20"},
        {&CZantuVextTraderApi::RefusedRequest33, "OnRefusedReply21"},
        {&CZantuVextTraderApi::RefusedRequest34, "OnRefusedReply22"},
        {&CZantuVextTraderApi::RefusedRequest35, "OnRefusedReply23"},
    };
    int records[5] = {};
    for (int i = 0; i < 5; ++i) {
        const Operation request = cases[i].Request;
        EXPECT_EQ((Api->*request)(&records[i], 9 + i), 0);
    }
    Api->Init();
    ASSERT_TRUE(User.WaitForCount(5));
    const auto events = User.Events();
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(cases[i].Reply);
        EXPECT_EQ(events[i].Name, cases[i].Reply);
        EXPECT_EQ(events[i].Pointer, &records[i]);
        ASSERT_TRUE(events[i].HasStatus);
        EXPECT_EQ(events[i].Status.ErrorCode, 99);
        EXPECT_STREQ(events[i].Status.ErrorText, "Not supported");
        EXPECT_EQ(events[i].RequestId, 9 + i);
        EXPECT_TRUE(events[i].IsLast);
    }
    EXPECT_TRUE(Log->Calls().empty());
}

TEST_F(LocalReplies, ZeroValueHasNoStatus) {
    Api->Init();
    Api->QueryZeroValue(nullptr, 4);
    ASSERT_TRUE(User.WaitFor("OnZeroValueReply"));
    const TraderEvent event = User.Events("OnZeroValueReply")[0];
    EXPECT_EQ(event.As<CZantuVextZeroValue>().Value, 0);
    EXPECT_EQ(event.Record.size(), sizeof(CZantuVextZeroValue));
    EXPECT_FALSE(event.HasStatus);
    EXPECT_EQ(event.RequestId, 4);
}

// Today's local date and a time between two readings of the clock, as the library formats them.
struct ClockWindow {
    std::tm Before = translate::LocalWallClock();
    std::tm After{};
    void Close() { After = translate::LocalWallClock(); }
    void ExpectWithin(const char* date, const char* time) const {
        char dates[2][9], times[2][9];
        translate::FormatDate(dates[0], Before);
        translate::FormatDate(dates[1], After);
        translate::FormatTime(times[0], Before);
        translate::FormatTime(times[1], After);
        EXPECT_TRUE(std::string(date) == dates[0] || std::string(date) == dates[1]) << date;
        EXPECT_EQ(std::strlen(time), 8u);
        if (std::string(dates[0]) == dates[1]) {
            EXPECT_LE(std::string(times[0]), time);
            EXPECT_GE(std::string(times[1]), time);
        }
    }
};

TEST_F(LocalReplies, ConfirmationKeepsTheCallersBytesAndStampsTheLocalTime) {
    CZantuVextConfirmation request{};
    SetText(request.BrokerCode, "XX");
    SetText(request.InvestorCode, "YY");
    SetText(request.ConfirmDate, "19990101");
    std::memset(request.Reserved42, 'r', sizeof request.Reserved42);
    SetText(request.ConfirmTag, "ABCDEFGHIJKLM");  // 13 characters, no NUL
    std::memset(request.Reserved61, 's', sizeof request.Reserved61);
    request.ConfirmNumber = 17;
    ClockWindow clock;
    Api->SubmitConfirmation(&request, 3);  // before any login: the codes are empty
    clock.Close();
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnConfirmationReply"));
    const TraderEvent event = User.Events("OnConfirmationReply")[0];
    const auto reply = event.As<CZantuVextConfirmation>();
    EXPECT_STREQ(reply.BrokerCode, "");
    EXPECT_STREQ(reply.InvestorCode, "");
    clock.ExpectWithin(reply.ConfirmDate, reply.ConfirmTime);
    EXPECT_EQ(std::string(reply.Reserved42, 6), "rrrrrr");
    EXPECT_STREQ(reply.ConfirmTag, "ABCDEFGHIJKL");
    EXPECT_EQ(std::string(reply.Reserved61, 3), "sss");
    EXPECT_EQ(reply.ConfirmNumber, 17);
    ASSERT_TRUE(event.HasStatus);
    EXPECT_EQ(event.Status.ErrorCode, 0);
    EXPECT_STREQ(event.Status.ErrorText, "");
}

TEST_F(LocalReplies, ConfirmationQueryCarriesOnlyCodesDateAndTime) {
    LogIn();
    ClockWindow clock;
    int ignored = 0x7F7F7F7F;
    Api->QueryConfirmation(&ignored, 6);
    clock.Close();
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnConfirmationQueryReply"));
    const TraderEvent event = User.Events("OnConfirmationQueryReply")[0];
    auto reply = event.As<CZantuVextConfirmation>();
    EXPECT_STREQ(reply.BrokerCode, "B1");
    EXPECT_STREQ(reply.InvestorCode, "U1");
    clock.ExpectWithin(reply.ConfirmDate, reply.ConfirmTime);
    CZantuVextConfirmation expected{};
    std::memcpy(expected.BrokerCode, reply.BrokerCode, sizeof reply.BrokerCode);
    std::memcpy(expected.InvestorCode, reply.InvestorCode, sizeof reply.InvestorCode);
    std::memcpy(expected.ConfirmDate, reply.ConfirmDate, sizeof reply.ConfirmDate);
    std::memcpy(expected.ConfirmTime, reply.ConfirmTime, sizeof reply.ConfirmTime);
    EXPECT_EQ(std::memcmp(&reply, &expected, sizeof reply), 0);
    EXPECT_TRUE(event.HasStatus);
}

TEST_F(LocalReplies, InvestorAndAccountProfileCarryTheLoggedInCodes) {
    CZantuVextLoginRequest request{};
    SetText(request.BrokerCode, "BROKER0123");
    SetText(request.UserCode, "USER01234567890");  // 15 characters
    Api->SubmitLogin(&request, 1);
    Api->QueryInvestor(nullptr, 2);
    Api->QueryAccountProfile(nullptr, 3);
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnAccountProfileReply"));
    ASSERT_TRUE(User.WaitFor("OnInvestorQueryReply"));
    const auto investor = User.Events("OnInvestorQueryReply")[0].As<CZantuVextInvestor>();
    EXPECT_STREQ(investor.InvestorCode, "USER01234567");
    EXPECT_STREQ(investor.BrokerCode, "BROKER0123");
    EXPECT_STREQ(investor.InvestorName, "USER01234567890");
    EXPECT_EQ(investor.StateFlag, 1);
    const auto profile = User.Events("OnAccountProfileReply")[0].As<CZantuVextAccountProfile>();
    EXPECT_STREQ(profile.BrokerCode, "BROKER0123");
    EXPECT_STREQ(profile.InvestorCode, "USER01234567");
    EXPECT_EQ(profile.ProfileCode1, '4');
    EXPECT_EQ(profile.ProfileCode2, '2');
    EXPECT_STREQ(profile.CurrencyCode, "RMB");
    EXPECT_EQ(profile.ProfileCode3, '4');
    for (const char* name : {"OnInvestorQueryReply", "OnAccountProfileReply"}) {
        const TraderEvent event = User.Events(name)[0];
        EXPECT_TRUE(event.HasStatus && event.Status.ErrorCode == 0) << name;
    }
}

TEST_F(LocalReplies, IdentityEchoCutsEachCodeAndComesAfterWhatWasQueuedMeanwhile) {
    CZantuVextIdentityRequest request{};
    SetText(request.BrokerCode, "BROKER01234");     // 11 characters, no NUL
    SetText(request.UserCode, "USER0123456789AB");  // 16 characters, no NUL
    SetText(request.ClientTag, "CLIENT01234");      // 11 characters, no NUL
    std::memset(request.Reserved38, 'z', sizeof request.Reserved38);
    Api->EchoIdentity(&request, 8);
    std::memset(&request, 0, sizeof request);  // the request was copied
    Api->EmptyQuery37(nullptr, 9);
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnEchoIdentityReply"));
    const auto events = User.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Name, "OnEmptyReply25");
    const auto reply = events[1].As<CZantuVextIdentityReply>();
    EXPECT_STREQ(reply.BrokerCode, "BROKER0123");
    EXPECT_STREQ(reply.UserCode, "USER0123456789A");
    EXPECT_STREQ(reply.ClientTag, "CLIENT0123");
    EXPECT_EQ(std::string(reply.Reserved38, sizeof reply.Reserved38),
              std::string(sizeof reply.Reserved38, '\0'));
    EXPECT_EQ(events[1].RequestId, 8);
    EXPECT_TRUE(events[1].HasStatus);
}

TEST_F(LocalReplies, RepeatedRequestsEachShowTheirOwnValues) {
    for (int i = 0; i < 50; ++i) {
        CZantuVextConfirmation confirmation{};
        confirmation.ConfirmNumber = i;
        SetText(confirmation.ConfirmTag, ("T" + std::to_string(i)).c_str());
        Api->SubmitConfirmation(&confirmation, i);
        CZantuVextIdentityRequest identity{};
        SetText(identity.ClientTag, ("C" + std::to_string(i)).c_str());
        Api->EchoIdentity(&identity, i);
    }
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnEchoIdentityReply", 50));
    const auto confirmations = User.Events("OnConfirmationReply");
    const auto echoes = User.Events("OnEchoIdentityReply");
    ASSERT_EQ(confirmations.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(confirmations[i].As<CZantuVextConfirmation>().ConfirmNumber, i);
        EXPECT_EQ(confirmations[i].As<CZantuVextConfirmation>().ConfirmTag, "T" + std::to_string(i));
        EXPECT_EQ(echoes[i].As<CZantuVextIdentityReply>().ClientTag, "C" + std::to_string(i));
        EXPECT_EQ(echoes[i].RequestId, i);
    }
}

TEST_F(LocalReplies, RepliesComeInRequestOrderOnOneThreadThatIsNotTheCallers) {
    Api->Init();
    Api->QueryZeroValue(nullptr, 1);
    Api->QueryAccountProfile(nullptr, 2);
    Api->QueryInvestor(nullptr, 3);
    Api->QueryConfirmation(nullptr, 4);
    Api->RefusedRequest31(nullptr, 5);
    Api->EmptyQuery90(nullptr, 6);
    ASSERT_TRUE(User.WaitForCount(6));
    const auto events = User.Events();
    const char* names[] = {"OnZeroValueReply",         "OnAccountProfileReply", "OnInvestorQueryReply",
                           "OnConfirmationQueryReply", "OnRefusedReply19",      "OnEmptyReply102"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(events[i].Name, names[i]);
        EXPECT_EQ(events[i].RequestId, static_cast<int>(i) + 1);
        EXPECT_EQ(events[i].Thread, events[0].Thread);
    }
    EXPECT_NE(events[0].Thread, std::this_thread::get_id());
}

TEST_F(LocalReplies, NoCallbackObjectAtTheRequestMeansNoReply) {
    Api->SetSpi(nullptr);
    Api->QueryZeroValue(nullptr, 1);
    Api->RefusedRequest32(nullptr, 2);
    Api->EmptyQuery72(nullptr, 3);
    Api->QueryAccountProfile(nullptr, 4);
    CZantuVextConfirmation confirmation{};
    Api->SubmitConfirmation(&confirmation, 5);
    Api->QueryConfirmation(nullptr, 6);
    Api->SetSpi(&User);  // before the callback thread runs
    Api->EmptyQuery73(nullptr, 7);
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnEmptyReply61"));
    ASSERT_EQ(User.Events().size(), 1u);
}

TEST_F(LocalReplies, InvestorAndIdentityEchoGoToTheCallbackObjectRegisteredWhenTheyRun) {
    RecordingTraderSpi other;
    Api->QueryInvestor(nullptr, 1);
    Api->EchoIdentity(nullptr, 2);
    Api->SetSpi(&other);
    Api->EmptyQuery74(nullptr, 3);
    Api->Init();
    ASSERT_TRUE(other.WaitFor("OnEchoIdentityReply"));
    const auto events = other.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Name, "OnInvestorQueryReply");
    EXPECT_EQ(events[1].Name, "OnEmptyReply62");
    EXPECT_EQ(events[2].Name, "OnEchoIdentityReply");
    EXPECT_TRUE(User.Events().empty());
}

}  // namespace
