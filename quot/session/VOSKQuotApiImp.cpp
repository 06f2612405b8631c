#include "quot/session/VOSKQuotApiImp.h"

#include "quot/session/QuotDispatcher.h"
#include "transport/PostRecord.h"

CVOSKQuotApiImp::CVOSKQuotApiImp(const CConnectionSettings& settings) : Core(*this, settings) {}

// The I/O thread is joined before any member goes away.
CVOSKQuotApiImp::~CVOSKQuotApiImp() {
    Core.Shutdown();
}

void CVOSKQuotApiImp::Release() {
    Spi = nullptr;
    delete this;
}

void CVOSKQuotApiImp::SetSpi(CVOSKQuotSpi* spi) {
    Spi = spi;
}

int CVOSKQuotApiImp::Init() {
    return Core.Init();
}

int CVOSKQuotApiImp::Shutdown() {
    return Core.Shutdown();
}

int CVOSKQuotApiImp::AddFront(const char* address) {
    return Core.AddFront(address);
}

const char* CVOSKQuotApiImp::GetErrorText(int code) {
    return CSessionCore::GetErrorText(code);
}

#define KDX_QUOT_SERVICE(serviceNo, operation, record)                           \
    int CVOSKQuotApiImp::operation(const quot::record* request, int requestId) { \
        return PostRecord(Core, serviceNo, request, requestId);                  \
    }
#include "quot/session/QuotServices.def"
#undef KDX_QUOT_SERVICE

void CVOSKQuotApiImp::OnConnected() {
    if (CVOSKQuotSpi* spi = Spi.load()) spi->OnConnected();
}

void CVOSKQuotApiImp::OnDisconnected() {
    if (CVOSKQuotSpi* spi = Spi.load()) spi->OnDisconnected();
}

int CVOSKQuotApiImp::Dispatch(CServerConnection&, CAPIPackage& package) {
    return quot::DispatchPackage(package, Spi.load());
}
