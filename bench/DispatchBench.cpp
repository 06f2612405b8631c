// Order notifications per second through the trading dispatcher, in process: a private-flow package with
// code 124 and a fully populated Order, decoded and delivered to a callback object that keeps it.
#include <benchmark/benchmark.h>

#include <cstring>

#include "codec/APIPackage.h"
#include "codec/RecordTable.h"
#include "trade/session/ReplyDispatcher.h"

namespace {

class KeepingSpi : public CVOSKTradeSpi {
  public:
    void OnOrderNty(const trade::Order* order) override { Last = *order; }
    trade::Order Last{};
};

void OrderNotifications(benchmark::State& state) {
    trade::Order order{};
    std::strcpy(order.InvestorID, "10001");
    std::strcpy(order.OrderID, "202403150000123");
    std::strcpy(order.InstrumentID, "cu2405");
    std::strcpy(order.ExchangeID, "SHFE");
    std::strcpy(order.OrderStatusDesc, "accepted");
    order.BSFlag = '1';
    order.Price = 71230.0;
    order.Qty = 3;
    order.QtyLeft = 3;
    order.SessionID = (int64_t{5} << 32) | 7;

    uint8_t payload[MaxPayloadLength];
    CAPIPackage built;
    built.BeginPackage(1, 124, payload);
    (void)WriteRecordElement(built, order);
    const uint32_t length = built.GetLength();
    constexpr uint32_t EndFlagValueOffset = 38;  // ApiHead 8, ServiceNo 10, RequestID 12, EndFlag header 8

    trade::FlowState flows{};
    KeepingSpi spi;
    uint32_t sequenceNo = 0;
    for (auto _ : state) {
        ++sequenceNo;
        payload[EndFlagValueOffset] = static_cast<uint8_t>(sequenceNo >> 24);
        payload[EndFlagValueOffset + 1] = static_cast<uint8_t>(sequenceNo >> 16);
        payload[EndFlagValueOffset + 2] = static_cast<uint8_t>(sequenceNo >> 8);
        payload[EndFlagValueOffset + 3] = static_cast<uint8_t>(sequenceNo);
        CAPIPackage package;
        package.OpenPackage(payload, length);
        benchmark::DoNotOptimize(trade::DispatchPackage(package, flows, &spi));
    }
    if (flows.PrivateSeqNo != sequenceNo) state.SkipWithError("notifications were dropped");
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("Order notifications");
}

}  // namespace

BENCHMARK(OrderNotifications);
BENCHMARK_MAIN();
