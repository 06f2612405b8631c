// The trading session's interfaces. CVOSKTradeApi is called by the facade on its own threads; its request
// operations copy the record and post it to the session I/O thread. CVOSKTradeSpi is called back on the
// session I/O thread only. The slot order of both classes is fixed.
#pragma once

#include "trade/session/TradeRecords.h"

class CVOSKTradeSpi;

class CVOSKTradeApi {
  public:
    // Clears the callback, then destroys the session.
    virtual void Release() = 0;
    // Not owned; may be null.
    virtual void SetSpi(CVOSKTradeSpi* spi) = 0;
    // Creates the connector, starts connecting to the first front and starts the session I/O thread.
    virtual int Init() = 0;
    virtual int Shutdown() = 0;
    // host:port; fronts are tried in the order they were added.
    virtual int AddFront(const char* address) = 0;
    virtual const char* GetErrorText(int code) = 0;

    // Requests: 0 once posted to the session I/O thread, -1 when there is no current connection
    // (nothing is posted and no reply follows). The record is copied before the call returns.
    virtual int SubmitLogin(const trade::LoginReq* request, int requestId) = 0;
    virtual int SubmitLogout(const trade::LogoutReq* request, int requestId) = 0;
    // Request 3, one mode per flow: 0 leaves the flow out, 1 from its start, 2 after its last position,
    // any other value only packages still to come.
    virtual int SubscribeFlows(int privateMode, int publicMode) = 0;
    virtual int SubmitChangePassword(const trade::ChangePasswordReq* request, int requestId) = 0;
    virtual int SubmitInputOrder(const trade::InputOrder* request, int requestId) = 0;
    virtual int SubmitOrderCancel(const trade::OrderCancelReq* request, int requestId) = 0;
    virtual int QueryQuot(const trade::QuotQueryReq* request, int requestId) = 0;
    virtual int QueryOrder(const trade::OrderQueryReq* request, int requestId) = 0;
    virtual int QueryTrade(const trade::TradeQueryReq* request, int requestId) = 0;
    virtual int QueryPosi(const trade::PosiQueryReq* request, int requestId) = 0;
    virtual int QueryFund(const trade::FundQueryReq* request, int requestId) = 0;
    virtual int QueryInstrument(const trade::InstrumentQueryReq* request, int requestId) = 0;
    virtual int QueryPosiDetail(const trade::PosiDetailQueryReq* request, int requestId) = 0;
    virtual int SubmitProfitLossStopSet(const trade::ProfitLossStopSetReq* request, int requestId) = 0;
    virtual int SubmitInputOrder159(const trade::InputOrder* request, int requestId) = 0;
    virtual int QueryBulletin(const trade::BulletinQueryReq* request, int requestId) = 0;
    virtual int QueryNotice(const trade::NoticeQueryReq* request, int requestId) = 0;
    virtual int SubmitElectronicFundIO(const trade::ElectronicFundIOReq* request, int requestId) = 0;
    virtual int QueryFundIODetail(const trade::FundIODetailQueryReq* request, int requestId) = 0;
    virtual int QueryReport(const trade::ReportQueryReq* request, int requestId) = 0;
    virtual int QueryHisOrder(const trade::HisOrderQueryReq* request, int requestId) = 0;
    virtual int QueryHisTrade(const trade::HisTradeQueryReq* request, int requestId) = 0;
    virtual int QueryHisBulletin(const trade::HisBulletinQueryReq* request, int requestId) = 0;
    virtual int QueryHisNotice(const trade::HisNoticeQueryReq* request, int requestId) = 0;
    virtual int SubmitAccountBind(const trade::AccountBindReq* request, int requestId) = 0;
    virtual int QueryAccountBind(const trade::AccountBindQueryReq* request, int requestId) = 0;
    virtual int QueryHisFund(const trade::HisFundQueryReq* request, int requestId) = 0;
    virtual int QueryHisPosiDetail(const trade::HisPosiDetailQueryReq* request, int requestId) = 0;
    virtual int QueryProduct(const trade::ProductQueryReq* request, int requestId) = 0;
    virtual int QueryExchange(const trade::ExchangeQueryReq* request, int requestId) = 0;
    virtual int QueryInvestorFeeRate(const trade::InvestorFeeRateQueryReq* request, int requestId) = 0;
    virtual int QueryInvestorMarginRate(const trade::InvestorMarginRateQueryReq* request, int requestId) = 0;
    virtual int QueryExchangeMarginRate(const trade::ExchangeMarginRateQueryReq* request, int requestId) = 0;

    virtual ~CVOSKTradeApi() = default;
};

// Every callback does nothing unless overridden. Replies carry the record (or null), the RspInfo (or
// null), the reply's RequestID and the more flag (0 on the last record of the last package);
// notifications carry one record. Record pointers are valid only during the call.
class CVOSKTradeSpi {
  public:
    virtual void OnConnected() {}
    virtual void OnDisconnected() {}
    virtual void OnLoginRsp(const trade::LoginRsp* /*record*/, const trade::RspInfo* /*info*/,
                            int /*requestId*/, int /*more*/) {}
    virtual void OnLogoutRsp(const trade::LogoutRsp* /*record*/, const trade::RspInfo* /*info*/,
                             int /*requestId*/, int /*more*/) {}
    virtual void OnChangePasswordRsp(const trade::ChangePasswordRsp* /*record*/,
                                     const trade::RspInfo* /*info*/, int /*requestId*/, int /*more*/) {}
    virtual void OnInputOrderRsp(const trade::InputOrder* /*record*/, const trade::RspInfo* /*info*/,
                                 int /*requestId*/, int /*more*/) {}
    virtual void OnOrderNty(const trade::Order* /*record*/) {}
    virtual void OnOrderCancelRsp(const trade::OrderCancelRsp* /*record*/, const trade::RspInfo* /*info*/,
                                  int /*requestId*/, int /*more*/) {}
    virtual void OnMarketStatusNty(const trade::MarketStatusNty* /*record*/) {}
    virtual void OnTradeNty(const trade::Trade* /*record*/) {}
    virtual void OnQuotQueryRsp(const trade::Quot* /*record*/, const trade::RspInfo* /*info*/,
                                int /*requestId*/, int /*more*/) {}
    virtual void OnOrderQueryRsp(const trade::Order* /*record*/, const trade::RspInfo* /*info*/,
                                 int /*requestId*/, int /*more*/) {}
    virtual void OnTradeQueryRsp(const trade::Trade* /*record*/, const trade::RspInfo* /*info*/,
                                 int /*requestId*/, int /*more*/) {}
    virtual void OnPosiQueryRsp(const trade::Posi* /*record*/, const trade::RspInfo* /*info*/,
                                int /*requestId*/, int /*more*/) {}
    virtual void OnFundQueryRsp(const trade::Fund* /*record*/, const trade::RspInfo* /*info*/,
                                int /*requestId*/, int /*more*/) {}
    virtual void OnInstrumentQueryRsp(const trade::Instrument* /*record*/, const trade::RspInfo* /*info*/,
                                      int /*requestId*/, int /*more*/) {}
    virtual void OnPosiDetailQueryRsp(const trade::PosiDetail* /*record*/, const trade::RspInfo* /*info*/,
                                      int /*requestId*/, int /*more*/) {}
    virtual void OnProfitLossStopSetRsp(const trade::ProfitLossStopSetRsp* /*record*/,
                                        const trade::RspInfo* /*info*/, int /*requestId*/, int /*more*/) {}
    virtual void OnPosiDetailNty(const trade::PosiDetail* /*record*/) {}
    virtual void OnFundNty(const trade::Fund* /*record*/) {}
    virtual void OnPosiNty(const trade::Posi* /*record*/) {}
    virtual void OnInputOrder159Rsp(const trade::InputOrder* /*record*/, const trade::RspInfo* /*info*/,
                                    int /*requestId*/, int /*more*/) {}
    virtual void OnBulletinQueryRsp(const trade::Bulletin* /*record*/, const trade::RspInfo* /*info*/,
                                    int /*requestId*/, int /*more*/) {}
    virtual void OnNoticeQueryRsp(const trade::Notice* /*record*/, const trade::RspInfo* /*info*/,
                                  int /*requestId*/, int /*more*/) {}
    virtual void OnBulletinNty(const trade::Bulletin* /*record*/) {}
    virtual void OnNoticeNty(const trade::Notice* /*record*/) {}
    virtual void OnElectronicFundIORsp(const trade::ElectronicFundIORsp* /*record*/,
                                       const trade::RspInfo* /*info*/, int /*requestId*/, int /*more*/) {}
    virtual void OnElectronicFundIONty(const trade::ElectronicFundIONty* /*record*/) {}
    virtual void OnFundIODetailQueryRsp(const trade::FundIODetail* /*record*/, const trade::RspInfo* /*info*/,
                                        int /*requestId*/, int /*more*/) {}
    virtual void OnReportQueryRsp(const trade::Report* /*record*/, const trade::RspInfo* /*info*/,
                                  int /*requestId*/, int /*more*/) {}
    virtual void OnHisOrderQueryRsp(const trade::Order* /*record*/, const trade::RspInfo* /*info*/,
                                    int /*requestId*/, int /*more*/) {}
    virtual void OnHisTradeQueryRsp(const trade::Trade* /*record*/, const trade::RspInfo* /*info*/,
                                    int /*requestId*/, int /*more*/) {}
    virtual void OnHisBulletinQueryRsp(const trade::Bulletin* /*record*/, const trade::RspInfo* /*info*/,
                                       int /*requestId*/, int /*more*/) {}
    virtual void OnHisNoticeQueryRsp(const trade::Notice* /*record*/, const trade::RspInfo* /*info*/,
                                     int /*requestId*/, int /*more*/) {}
    virtual void OnAccountBindRsp(const trade::AccountBindRsp* /*record*/, const trade::RspInfo* /*info*/,
                                  int /*requestId*/, int /*more*/) {}
    virtual void OnAccountBindQueryRsp(const trade::AccountBind* /*record*/, const trade::RspInfo* /*info*/,
                                       int /*requestId*/, int /*more*/) {}
    virtual void OnHisFundQueryRsp(const trade::Fund* /*record*/, const trade::RspInfo* /*info*/,
                                   int /*requestId*/, int /*more*/) {}
    virtual void OnHisPosiDetailQueryRsp(const trade::PosiDetail* /*record*/, const trade::RspInfo* /*info*/,
                                         int /*requestId*/, int /*more*/) {}
    virtual void OnAccountBindNty(const trade::AccountBind* /*record*/) {}
    virtual void OnProductQueryRsp(const trade::Product* /*record*/, const trade::RspInfo* /*info*/,
                                   int /*requestId*/, int /*more*/) {}
    virtual void OnExchangeQueryRsp(const trade::Exchange* /*record*/, const trade::RspInfo* /*info*/,
                                    int /*requestId*/, int /*more*/) {}
    virtual void OnInvestorFeeRateQueryRsp(const trade::InvestorFeeRate* /*record*/,
                                           const trade::RspInfo* /*info*/, int /*requestId*/, int /*more*/) {}
    virtual void OnInvestorMarginRateQueryRsp(const trade::InvestorMarginRate* /*record*/,
                                              const trade::RspInfo* /*info*/, int /*requestId*/,
                                              int /*more*/) {}
    virtual void OnExchangeMarginRateQueryRsp(const trade::ExchangeMarginRate* /*record*/,
                                              const trade::RspInfo* /*info*/, int /*requestId*/,
                                              int /*more*/) {}

  protected:
    // Not deleted through this interface: it has no destructor slot.
    ~CVOSKTradeSpi() = default;
};
