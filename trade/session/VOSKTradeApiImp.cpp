#include "trade/session/VOSKTradeApiImp.h"

#include "trade/session/ReplyDispatcher.h"
#include "transport/PostRecord.h"

CVOSKTradeApiImp::CVOSKTradeApiImp(const CConnectionSettings& settings) : Core(*this, settings) {}

// The I/O thread is joined before any member goes away.
CVOSKTradeApiImp::~CVOSKTradeApiImp() {
    Core.Shutdown();
}

void CVOSKTradeApiImp::Release() {
    Spi = nullptr;
    delete this;
}

void CVOSKTradeApiImp::SetSpi(CVOSKTradeSpi* spi) {
    Spi = spi;
}

int CVOSKTradeApiImp::Init() {
    return Core.Init();
}

int CVOSKTradeApiImp::Shutdown() {
    return Core.Shutdown();
}

int CVOSKTradeApiImp::AddFront(const char* address) {
    return Core.AddFront(address);
}

const char* CVOSKTradeApiImp::GetErrorText(int code) {
    return CSessionCore::GetErrorText(code);
}

// The positions asked for are read and stored on the I/O thread, in order with the flow packages.
int CVOSKTradeApiImp::SubscribeFlows(int privateMode, int publicMode) {
    return Core.Post([this, privateMode, publicMode](CServerConnection& connection) {
        CAPIPackage package;
        trade::BuildFlowSubscription(package, connection.SendBuffer() + 4, privateMode, publicMode, Flows);
        (void)connection.SendPackage(package);
    });
}

#define KDX_SERVICE(serviceNo, slot, operation, record, replyNo)                   \
    int CVOSKTradeApiImp::operation(const trade::record* request, int requestId) { \
        return PostRecord(Core, serviceNo, request, requestId);                    \
    }
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE

void CVOSKTradeApiImp::OnConnected() {
    if (CVOSKTradeSpi* spi = Spi.load()) spi->OnConnected();
}

void CVOSKTradeApiImp::OnDisconnected() {
    if (CVOSKTradeSpi* spi = Spi.load()) spi->OnDisconnected();
}

int CVOSKTradeApiImp::Dispatch(CServerConnection&, CAPIPackage& package) {
    return trade::DispatchPackage(package, Flows, Spi.load());
}
