// The trading session: CVOSKTradeApi over the shared session core, with the trading reply dispatcher and
// the flow state. Request operations run on the callers' threads and only copy and post; connection
// events, replies and notifications reach the CVOSKTradeSpi on the session I/O thread, which alone
// touches the flow state.
#pragma once

#include <atomic>

#include "trade/session/RequestEncoders.h"
#include "trade/session/VOSKTradeApi.h"
#include "transport/SessionCore.h"
#include "transport/SessionLink.h"

class CVOSKTradeApiImp final : public CVOSKTradeApi, private CSessionLink {
  public:
    explicit CVOSKTradeApiImp(const CConnectionSettings& settings = {});
    ~CVOSKTradeApiImp() override;

    void Release() override;
    void SetSpi(CVOSKTradeSpi* spi) override;
    int Init() override;
    int Shutdown() override;
    int AddFront(const char* address) override;
    const char* GetErrorText(int code) override;
    int SubscribeFlows(int privateMode, int publicMode) override;

#define KDX_SERVICE(serviceNo, slot, operation, record, replyNo) \
    int operation(const trade::record* request, int requestId) override;
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE

  private:
    void OnConnected() override;
    void OnDisconnected() override;
    int Dispatch(CServerConnection& connection, CAPIPackage& package) override;

    std::atomic<CVOSKTradeSpi*> Spi{nullptr};
    trade::FlowState Flows{};  // I/O thread only
    CSessionCore Core;         // last: its I/O thread calls back into the members above
};
