// Routing of clients and payloads to the two desks, and the market step.
#include "tools/simfront/FrontCore.h"

#include <ctime>

#include "codec/Fields.h"

namespace simfront {

WallTime LocalWallTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    char time[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return {date, time};
}

CFrontCore::CFrontCore(FrontSetup setup, CoreOptions options, COutbox& out)
    : Setup(std::move(setup)),
      Options(std::move(options)),
      Date(!Options.TradeDate.empty() ? Options.TradeDate
                                      : (Options.Clock ? Options.Clock() : LocalWallTime()).Date),
      MarketPtr(std::make_unique<CMarketState>(Setup, Options.Seed)),
      TradePtr(std::make_unique<CTradeDesk>(*MarketPtr, Options, Date, out)),
      QuotePtr(std::make_unique<CQuoteDesk>(
          *MarketPtr, Options, Date,
          [this](const std::string& user, const std::string& password) {
              return TradePtr->Authenticate(user, password);
          },
          out)) {}

void CFrontCore::Open(uint32_t client, Channel channel) {
    Channels[client] = channel;
    const int64_t sessionId = SessionIDOf(++LastSession);
    if (channel == Channel::Trade)
        TradePtr->Open(client, sessionId);
    else
        QuotePtr->Open(client, sessionId);
}

void CFrontCore::Close(uint32_t client) {
    const auto it = Channels.find(client);
    if (it == Channels.end()) return;
    if (it->second == Channel::Trade)
        TradePtr->Close(client);
    else
        QuotePtr->Close(client);
    Channels.erase(it);
}

void CFrontCore::Receive(uint32_t client, uint8_t* payload, uint32_t length) {
    const auto it = Channels.find(client);
    if (it == Channels.end()) return;
    // Without an API head there is no ServiceNo to act on: such a payload is not a package.
    CKDXPackage view;
    view.Attach(payload, 0, length, nullptr);
    if (view.FindElement(fld::ApiHead.Tag) < 0) {
        if (Options.Log)
            Options.Log("client " + std::to_string(client) + ": payload without API head ignored");
        return;
    }
    CAPIPackage package;
    package.OpenPackage(payload, length);
    if (it->second == Channel::Trade)
        TradePtr->Handle(client, package);
    else
        QuotePtr->Handle(client, package);
}

void CFrontCore::Tick() {
    MarketPtr->Synthetic.Step();
    TradePtr->CrossResting();
    QuotePtr->Publish();
}

}  // namespace simfront
