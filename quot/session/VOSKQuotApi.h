// The quote session's interfaces. CVOSKQuotApi is called by the market-data facade on its own threads;
// its request operations copy the record and post it to the session I/O thread. CVOSKQuotSpi is called
// back on the session I/O thread only. The slot order of both classes is fixed.
#pragma once

#include "quot/session/QuotRecords.h"

class CVOSKQuotSpi;

class CVOSKQuotApi {
  public:
    // Destroys the session through the virtual destructor.
    virtual void Release() = 0;
    // Not owned; may be null.
    virtual void SetSpi(CVOSKQuotSpi* spi) = 0;
    // Creates the connector, starts connecting to the first front and starts the session I/O thread.
    virtual int Init() = 0;
    virtual int Shutdown() = 0;
    // host:port; fronts are tried in the order they were added.
    virtual int AddFront(const char* address) = 0;
    virtual const char* GetErrorText(int code) = 0;

    // Requests: 0 once posted to the session I/O thread, -1 when there is no current connection
    // (nothing is posted and no reply follows). The record is copied before the call returns.
    virtual int SubmitLogin(const quot::LoginReq* request, int requestId) = 0;
    virtual int SubmitLogout(const quot::LogoutReq* request, int requestId) = 0;
    virtual int SubscribeQuot(const quot::QuotSubscribeReq* request, int requestId) = 0;
    virtual int UnsubscribeQuot(const quot::QuotUnSubscribeReq* request, int requestId) = 0;
    virtual int QueryMinData150(const quot::MinDataQueryReq* request, int requestId) = 0;
    virtual int QueryDayData(const quot::DayDataQueryReq* request, int requestId) = 0;
    virtual int QueryMinData192(const quot::MinDataQueryReq* request, int requestId) = 0;
    virtual int QueryMinData194(const quot::MinDataQueryReq* request, int requestId) = 0;
    virtual int QueryTradeDetailData(const quot::TradeDetailDataQueryReq* request, int requestId) = 0;

    virtual ~CVOSKQuotApi() = default;
};

// Every callback does nothing unless overridden. Replies carry the record (or null), the RspInfo (or
// null), the reply's RequestID and its EndFlag, or for list replies the more flag (0 on the last item
// of the last package). Record pointers are valid only during the call.
class CVOSKQuotSpi {
  public:
    virtual void OnConnected() {}
    virtual void OnDisconnected() {}
    virtual void OnLoginRsp(const quot::LoginRsp* /*record*/, const quot::RspInfo* /*info*/,
                            int /*requestId*/, int /*endFlag*/) {}
    virtual void OnLogoutRsp(const quot::LogoutRsp* /*record*/, const quot::RspInfo* /*info*/,
                             int /*requestId*/, int /*endFlag*/) {}
    virtual void OnSubscribeRsp(const quot::QuotSubscribeRsp* /*record*/, const quot::RspInfo* /*info*/,
                                int /*requestId*/, int /*endFlag*/) {}
    virtual void OnUnsubscribeRsp(const quot::QuotUnSubscribeRsp* /*record*/, const quot::RspInfo* /*info*/,
                                  int /*requestId*/, int /*endFlag*/) {}
    virtual void OnQuot(const quot::Quot* /*record*/) {}
    virtual void OnMinData150(const quot::MinData* /*record*/, const quot::RspInfo* /*info*/,
                              int /*requestId*/, int /*more*/) {}
    virtual void OnDayData(const quot::DayData* /*record*/, const quot::RspInfo* /*info*/, int /*requestId*/,
                           int /*more*/) {}
    virtual void OnMinData192(const quot::MinData* /*record*/, const quot::RspInfo* /*info*/,
                              int /*requestId*/, int /*more*/) {}
    virtual void OnMinData194(const quot::MinData* /*record*/, const quot::RspInfo* /*info*/,
                              int /*requestId*/, int /*more*/) {}
    virtual void OnTradeDetailData(const quot::TradeDetailData* /*record*/, const quot::RspInfo* /*info*/,
                                   int /*requestId*/, int /*more*/) {}

  protected:
    // Not deleted through this interface: it has no destructor slot.
    ~CVOSKQuotSpi() = default;
};
