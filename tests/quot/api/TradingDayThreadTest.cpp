// What the caller's threads and the session I/O thread share without waiting for each other: the
// trading day (read through CurrentTradingDay while login replies replace it) and the identity of the
// last login (written by SubmitLogin while replies read it). Run under ThreadSanitizer.
#include "quot/api/VextMdApiImpl.h"

#include <cstring>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/quot/api/FakeQuotSession.h"

namespace {

constexpr int Rounds = 20000;

// Checks each login reply as it is delivered, on the thread playing the session I/O thread.
class CheckingSpi : public CZantuVextMdSpi {
  public:
    void OnLoginReply(CZantuVextLoginReply* reply, CZantuVextRspInfo*, int, bool) override {
        const std::string user(reply->UserCode), broker(reply->BrokerCode);
        if (!((user == "" && broker == "") || (user == "USERA" && broker == "BA") ||
              (user == "USERBBBBBBBBBBB" && broker == "BBBBBBBBBB")))
            ++TornIdentities;
    }
    int TornIdentities = 0;
};

}  // namespace

TEST(MdFacadeThreads, CallersNeverSeeAHalfWrittenDayOrIdentity) {
    FakeSessionLog log;
    CZantuVextMdApi* api = new CVextMdApiImpl(new CFakeQuotSession(log));
    CheckingSpi spi;
    api->SetSpi(&spi);
    CVOSKQuotSpi& session = *log.Spi;

    int tornDays = 0;
    std::thread caller([&] {
        const std::set<std::string> days = {"", "20240315", "20241231"};
        CZantuVextLoginRequest a{}, b{};
        std::strcpy(a.UserCode, "USERA");
        std::strcpy(a.BrokerCode, "BA");
        std::strcpy(b.UserCode, "USERBBBBBBBBBBB");
        std::strcpy(b.BrokerCode, "BBBBBBBBBB");
        for (int i = 0; i < Rounds; ++i) {
            if (days.count(api->CurrentTradingDay()) == 0) ++tornDays;
            api->SubmitLogin(i % 2 ? &a : &b, i);
        }
    });
    quot::LoginRsp rsp[2] = {};
    std::strcpy(rsp[0].TradeDate, "2024-03-15");
    std::strcpy(rsp[1].TradeDate, "2024-12-31");
    const quot::RspInfo info{};
    for (int i = 0; i < Rounds; ++i)
        session.OnLoginRsp(&rsp[i % 2], &info, i, 1);
    caller.join();

    EXPECT_EQ(tornDays, 0);
    EXPECT_EQ(spi.TornIdentities, 0);
    api->Release();
}
