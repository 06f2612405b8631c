// A quote session that only records what the facade asks of it, into a log that the test owns (the
// facade releases the session, the log outlives it). The test plays the session's I/O thread by calling
// the facade's CVOSKQuotSpi side through Log.Spi. One thread at a time.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "quot/session/VOSKQuotApi.h"

struct FakeSessionLog {
    CVOSKQuotSpi* Spi = nullptr;
    std::vector<std::string> Fronts;
    int Inits = 0;
    bool Released = false;
    int Queries = 0;  // history queries, which the facade never sends
    template <typename Request>
    using Sent = std::vector<std::pair<Request, int>>;  // record and request id
    Sent<quot::LoginReq> Logins;
    Sent<quot::LogoutReq> Logouts;
    Sent<quot::QuotSubscribeReq> Subscribes;
    Sent<quot::QuotUnSubscribeReq> Unsubscribes;
    int Result = 0;  // what every request operation returns
};

class CFakeQuotSession final : public CVOSKQuotApi {
  public:
    explicit CFakeQuotSession(FakeSessionLog& log) : Log(log) {}

    void Release() override {
        Log.Released = true;
        delete this;
    }
    void SetSpi(CVOSKQuotSpi* spi) override { Log.Spi = spi; }
    int Init() override {
        ++Log.Inits;
        return 0;
    }
    int Shutdown() override { return 0; }
    int AddFront(const char* address) override {
        Log.Fronts.emplace_back(address);
        return 0;
    }
    const char* GetErrorText(int) override { return ""; }

    int SubmitLogin(const quot::LoginReq* r, int requestId) override {
        return Record(Log.Logins, r, requestId);
    }
    int SubmitLogout(const quot::LogoutReq* r, int requestId) override {
        return Record(Log.Logouts, r, requestId);
    }
    int SubscribeQuot(const quot::QuotSubscribeReq* r, int requestId) override {
        return Record(Log.Subscribes, r, requestId);
    }
    int UnsubscribeQuot(const quot::QuotUnSubscribeReq* r, int requestId) override {
        return Record(Log.Unsubscribes, r, requestId);
    }
    int QueryMinData150(const quot::MinDataQueryReq*, int) override { return Query(); }
    int QueryDayData(const quot::DayDataQueryReq*, int) override { return Query(); }
    int QueryMinData192(const quot::MinDataQueryReq*, int) override { return Query(); }
    int QueryMinData194(const quot::MinDataQueryReq*, int) override { return Query(); }
    int QueryTradeDetailData(const quot::TradeDetailDataQueryReq*, int) override { return Query(); }

  private:
    template <typename Request>
    int Record(FakeSessionLog::Sent<Request>& sent, const Request* r, int requestId) {
        sent.emplace_back(*r, requestId);
        return Log.Result;
    }
    int Query() {
        ++Log.Queries;
        return Log.Result;
    }

    FakeSessionLog& Log;
};
