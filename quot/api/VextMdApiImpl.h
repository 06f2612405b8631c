// The market-data object behind CZantuVextMdApi: public requests become quote-session records handed to
// the session, session callbacks become public records handed to the user's CZantuVextMdSpi. Public
// operations run on the calling program's threads; the CVOSKQuotSpi side runs on the session I/O thread.
#pragma once

#include <atomic>
#include <mutex>

#include "ZantuVextMdApi.h"
#include "quot/api/TradingDay.h"
#include "quot/session/VOSKQuotApi.h"

class CVextMdApiImpl final : public CZantuVextMdApi, public CVOSKQuotSpi {
  public:
    // Takes ownership of the session (released by Release) and registers itself as its callback.
    explicit CVextMdApiImpl(CVOSKQuotApi* session);
    CVextMdApiImpl(const CVextMdApiImpl&) = delete;
    CVextMdApiImpl& operator=(const CVextMdApiImpl&) = delete;

    // Clears the user callback, then releases the session, which returns only once its I/O thread has
    // left the handler it was running (or, called from a callback, lets the thread go when that
    // callback returns); then frees the object. No user callback starts after the clearing.
    void Release() override;
    void Init() override;
    int Join() override;
    const char* CurrentTradingDay() override;
    // Addresses that end within or right after their six scheme characters register nothing.
    void AddFront(char* frontAddress) override;
    void ReservedSlot5(int) override;
    void ReservedSlot6(int) override;
    void SetSpi(CZantuVextMdSpi* spi) override;
    // A null list or a count below 1 sends nothing; null entries are skipped. Always 0.
    int SubscribeQuotes(char* instrumentCodes[], int count) override;
    int UnsubscribeQuotes(char* instrumentCodes[], int count) override;
    int Unsupported10(void*, int) override;
    int Unsupported11(void*, int) override;
    // A null request sends nothing and returns -1.
    int SubmitLogin(CZantuVextLoginRequest* request, int requestId) override;
    int SubmitLogout(CZantuVextLogoutRecord* request, int requestId) override;
    int Unsupported14(void*, int) override;

    void OnConnected() override;
    void OnDisconnected() override;
    void OnLoginRsp(const quot::LoginRsp* record, const quot::RspInfo* info, int requestId,
                    int endFlag) override;
    void OnLogoutRsp(const quot::LogoutRsp* record, const quot::RspInfo* info, int requestId,
                     int endFlag) override;
    void OnSubscribeRsp(const quot::QuotSubscribeRsp* record, const quot::RspInfo* info, int requestId,
                        int endFlag) override;
    void OnUnsubscribeRsp(const quot::QuotUnSubscribeRsp* record, const quot::RspInfo* info, int requestId,
                          int endFlag) override;
    void OnQuot(const quot::Quot* record) override;

  private:
    // Who logged in last: written by SubmitLogin on a caller's thread, read on the I/O thread.
    struct CLoginIdentity {
        char UserCode[16];
        char BrokerCode[11];
    };

    ~CVextMdApiImpl() = default;

    CLoginIdentity LoadIdentity() const;
    template <typename Request>
    void RequestPerCode(char* instrumentCodes[], int count, int (CVOSKQuotApi::*send)(const Request*, int));

    CVOSKQuotApi* const Session;
    std::atomic<CZantuVextMdSpi*> UserSpi{nullptr};
    // Held only to copy the identity in or out, never across a call.
    mutable std::mutex IdentityMutex;
    CLoginIdentity Identity{};
    CTradingDay TradingDay;
};
