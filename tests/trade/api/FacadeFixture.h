// The trading facade over a fake session, with a recording callback object registered: tests call the
// public operations, drive the facade's session callbacks directly (on the test thread, standing in
// for the session I/O thread) and read what reached the session and the user.
#pragma once

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "tests/support/FakeTradeSession.h"
#include "tests/support/RecordingTraderSpi.h"
#include "trade/api/VextTraderApiImpl.h"

// Fills a text member the way a caller or the decoder does: the text, then NULs (no NUL when the
// text fills the member).
template <size_t Width>
void SetText(char (&member)[Width], const char* text) {
    std::memset(member, 0, Width);
    std::memcpy(member, text, std::min(Width, std::strlen(text)));
}

class FacadeTest : public ::testing::Test {
  protected:
    FacadeTest()
        : Log(std::make_shared<FakeTradeSessionLog>()),
          Api(new CVextTraderApiImpl(new CFakeTradeSession(Log))) {
        Api->SetSpi(&User);
    }
    ~FacadeTest() override {
        if (Api != nullptr) Api->Release();
    }

    // The facade as the session sees it.
    CVOSKTradeSpi& Session() { return *Log->Spi.load(); }

    // A successful login of user "U1" at broker "B1" whose reply carries this trade date and SessionID.
    void LogIn(const char* tradeDate = "2024-03-15", int64_t sessionId = (int64_t{5} << 32) | 7) {
        CZantuVextLoginRequest request{};
        SetText(request.BrokerCode, "B1");
        SetText(request.UserCode, "U1");
        Api->SubmitLogin(&request, 1);
        trade::LoginRsp reply{};
        SetText(reply.TradeDate, tradeDate);
        reply.SessionID = sessionId;
        const trade::RspInfo ok{};
        Session().OnLoginRsp(&reply, &ok, 1, 0);
    }

    const std::shared_ptr<FakeTradeSessionLog> Log;
    RecordingTraderSpi User;
    CZantuVextTraderApi* Api;
};
