// The market-data library's public interface (quotegate): the exported CZantuVextMdApi, the callback
// interface CZantuVextMdSpi that the calling program implements, and CZantuVextInstrumentId. Plain
// C++11. The slot order of both classes and the layout of every record are a binary contract.
#ifndef ZANTU_VEXT_MD_API_H
#define ZANTU_VEXT_MD_API_H

#include "ZantuVextSharedRecords.h"

// The instrument of a subscribe or unsubscribe reply.
struct CZantuVextInstrumentId {
    char InstrumentCode[31];
};
ZANTU_VEXT_SIZE(CZantuVextInstrumentId, 31);
ZANTU_VEXT_AT(CZantuVextInstrumentId, InstrumentCode, 0);

// Implemented by the calling program and registered with CZantuVextMdApi::SetSpi. Every slot has an
// empty default body. All callbacks run on the market-data object's session I/O thread, one at a time;
// a callback that blocks holds up all traffic of the object. Reply callbacks receive (record or null,
// status or null, requestId of the request, isLast, always true). Record and status pointers are valid
// only until the callback returns. The OnReservedN slots are never called; slot positions are the
// contract.
class CZantuVextMdSpi {
  public:
    // 0: A front connection is up; log in and subscribe now (also after every reconnection).
    virtual void OnConnected() {}
    // 1: The front connection is lost; reason is always 0. The library reconnects by itself.
    virtual void OnDisconnected(int /*reason*/) {}
    virtual void OnReserved2() {}
    // 3: Reply of SubmitLogin; both pointers are set. TradingDate is also what CurrentTradingDay
    // returns from now on, even for a failed login.
    virtual void OnLoginReply(CZantuVextLoginReply* /*reply*/, CZantuVextRspInfo* /*status*/,
                              int /*requestId*/, bool /*isLast*/) {}
    // 4: Reply of SubmitLogout.
    virtual void OnLogoutReply(CZantuVextLogoutRecord* /*reply*/, CZantuVextRspInfo* /*status*/,
                               int /*requestId*/, bool /*isLast*/) {}
    virtual void OnReserved5() {}
    virtual void OnReserved6() {}
    // 7: Reply of SubscribeQuotes, one per instrument code.
    virtual void OnSubscribeReply(CZantuVextInstrumentId* /*instrument*/, CZantuVextRspInfo* /*status*/,
                                  int /*requestId*/, bool /*isLast*/) {}
    // 8: Reply of UnsubscribeQuotes, one per instrument code.
    virtual void OnUnsubscribeReply(CZantuVextInstrumentId* /*instrument*/, CZantuVextRspInfo* /*status*/,
                                    int /*requestId*/, bool /*isLast*/) {}
    virtual void OnReserved9() {}
    virtual void OnReserved10() {}
    // 11: One quote pushed by the server (every pushed quote, subscribed by this object or not).
    virtual void OnMarketSnapshot(CZantuVextMarketSnapshot* /*snapshot*/) {}

    // After the contract's 12 slots, so that a callback object may be deleted through this class.
    // The library never deletes the callback object.
    virtual ~CZantuVextMdSpi() {}
};

// One object per market-data connection. Create it with CreateVextMdApi, register fronts and the
// callback object, call Init, then log in and subscribe after OnConnected. Destroy it only with Release.
// Operations may be called from any thread of the calling program; Release must not run concurrently
// with any other operation of the object.
//
// Results of request operations: 0 when the request was posted, -1 when Init has not run or no front
// connection exists at that moment (nothing is sent, no reply follows), -3 for operations that are not
// offered. Server-side errors arrive only as the status of the reply callback. Request records and
// codes are read before the operation returns. Every callback runs on the session I/O thread.
class ZANTU_VEXT_EXPORT CZantuVextMdApi {
  public:
    // Creates a market-data object; the arguments are not used. Never returns null.
    static CZantuVextMdApi* CreateVextMdApi(const char* path, bool, bool);
    // "6.3.19_P1".
    static const char* GetApiVersion();

    // 0: Stops the session and frees the object; no callback follows.
    virtual void Release() = 0;
    // 1: Starts connecting to the first front. Call once. Throws the I/O library's system errors (name
    // resolution, thread).
    virtual void Init() = 0;
    // 2: Returns 0 at once.
    virtual int Join() = 0;
    // 3: Trading day of the last login reply, YYYYMMDD, or empty. Valid until Release.
    virtual const char* CurrentTradingDay() = 0;
    // 4: Registers a front "tcp://host:port" (the first six characters are skipped). Fronts are tried
    // in the order of registration.
    virtual void AddFront(char* frontAddress) = 0;
    // 5, 6: No effect.
    virtual void ReservedSlot5(int) = 0;
    virtual void ReservedSlot6(int) = 0;
    // 7: Registers the callback object (null stops callbacks). Not owned.
    virtual void SetSpi(CZantuVextMdSpi* spi) = 0;
    // 8: One subscribe request per code (first 15 characters of each), replied by OnSubscribeReply;
    // quotes then arrive through OnMarketSnapshot. Returns 0, even when nothing could be sent.
    virtual int SubscribeQuotes(char* instrumentCodes[], int count) = 0;
    // 9: One unsubscribe request per code, replied by OnUnsubscribeReply. Returns 0.
    virtual int UnsubscribeQuotes(char* instrumentCodes[], int count) = 0;
    // 10, 11: Not offered; return -3.
    virtual int Unsupported10(void*, int) = 0;
    virtual int Unsupported11(void*, int) = 0;
    // 12: Login (OnLoginReply).
    virtual int SubmitLogin(CZantuVextLoginRequest* request, int requestId) = 0;
    // 13: Logout of the logged-in user (OnLogoutReply); the record is not read.
    virtual int SubmitLogout(CZantuVextLogoutRecord* request, int requestId) = 0;
    // 14: Not offered; returns -3.
    virtual int Unsupported14(void*, int) = 0;

  protected:
    // Objects are destroyed only by Release.
    ~CZantuVextMdApi() {}
};

#endif
