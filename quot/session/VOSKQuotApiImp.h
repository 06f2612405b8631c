// The quote session: CVOSKQuotApi over the shared session core, with the quote dispatcher. Request
// operations run on the callers' threads and only copy and post; connection events, replies and quotes
// reach the CVOSKQuotSpi on the session I/O thread.
#pragma once

#include <atomic>

#include "quot/session/VOSKQuotApi.h"
#include "transport/SessionCore.h"
#include "transport/SessionLink.h"

class CVOSKQuotApiImp final : public CVOSKQuotApi, private CSessionLink {
  public:
    explicit CVOSKQuotApiImp(const CConnectionSettings& settings = {});
    ~CVOSKQuotApiImp() override;

    void Release() override;
    void SetSpi(CVOSKQuotSpi* spi) override;
    int Init() override;
    int Shutdown() override;
    int AddFront(const char* address) override;
    const char* GetErrorText(int code) override;

#define KDX_QUOT_SERVICE(serviceNo, operation, record) \
    int operation(const quot::record* request, int requestId) override;
#include "quot/session/QuotServices.def"
#undef KDX_QUOT_SERVICE

  private:
    void OnConnected() override;
    void OnDisconnected() override;
    int Dispatch(CServerConnection& connection, CAPIPackage& package) override;

    std::atomic<CVOSKQuotSpi*> Spi{nullptr};
    CSessionCore Core;  // last: its I/O thread calls back into the members above
};
