// The trading session's interfaces keep their contract layout: slot order of both classes, the service
// table's slots, no destructor slot and no data in the callback interface.
#include "trade/session/VOSKTradeApi.h"

#include <iterator>
#include <type_traits>

#include <gtest/gtest.h>

#include "tests/support/VirtualSlot.h"

static_assert(std::is_abstract_v<CVOSKTradeApi> && std::has_virtual_destructor_v<CVOSKTradeApi>);
static_assert(!std::has_virtual_destructor_v<CVOSKTradeSpi>);
static_assert(sizeof(CVOSKTradeSpi) == sizeof(void*), "only the vtable pointer");

TEST(TradeSessionInterfaces, ApiOperationsStandInSlotOrder) {
    const SlotCase slots[] = {
        SLOT_CASE(CVOSKTradeApi, Release),
        SLOT_CASE(CVOSKTradeApi, SetSpi),
        SLOT_CASE(CVOSKTradeApi, Init),
        SLOT_CASE(CVOSKTradeApi, Shutdown),
        SLOT_CASE(CVOSKTradeApi, AddFront),
        SLOT_CASE(CVOSKTradeApi, GetErrorText),
        SLOT_CASE(CVOSKTradeApi, SubmitLogin),
        SLOT_CASE(CVOSKTradeApi, SubmitLogout),
        SLOT_CASE(CVOSKTradeApi, SubscribeFlows),
        SLOT_CASE(CVOSKTradeApi, SubmitChangePassword),
        SLOT_CASE(CVOSKTradeApi, SubmitInputOrder),
        SLOT_CASE(CVOSKTradeApi, SubmitOrderCancel),
        SLOT_CASE(CVOSKTradeApi, QueryQuot),
        SLOT_CASE(CVOSKTradeApi, QueryOrder),
        SLOT_CASE(CVOSKTradeApi, QueryTrade),
        SLOT_CASE(CVOSKTradeApi, QueryPosi),
        SLOT_CASE(CVOSKTradeApi, QueryFund),
        SLOT_CASE(CVOSKTradeApi, QueryInstrument),
        SLOT_CASE(CVOSKTradeApi, QueryPosiDetail),
        SLOT_CASE(CVOSKTradeApi, SubmitProfitLossStopSet),
        SLOT_CASE(CVOSKTradeApi, SubmitInputOrder159),
        SLOT_CASE(CVOSKTradeApi, QueryBulletin),
        SLOT_CASE(CVOSKTradeApi, QueryNotice),
        SLOT_CASE(CVOSKTradeApi, SubmitElectronicFundIO),
        SLOT_CASE(CVOSKTradeApi, QueryFundIODetail),
        SLOT_CASE(CVOSKTradeApi, QueryReport),
        SLOT_CASE(CVOSKTradeApi, QueryHisOrder),
        SLOT_CASE(CVOSKTradeApi, QueryHisTrade),
        SLOT_CASE(CVOSKTradeApi, QueryHisBulletin),
        SLOT_CASE(CVOSKTradeApi, QueryHisNotice),
        SLOT_CASE(CVOSKTradeApi, SubmitAccountBind),
        SLOT_CASE(CVOSKTradeApi, QueryAccountBind),
        SLOT_CASE(CVOSKTradeApi, QueryHisFund),
        SLOT_CASE(CVOSKTradeApi, QueryHisPosiDetail),
        SLOT_CASE(CVOSKTradeApi, QueryProduct),
        SLOT_CASE(CVOSKTradeApi, QueryExchange),
        SLOT_CASE(CVOSKTradeApi, QueryInvestorFeeRate),
        SLOT_CASE(CVOSKTradeApi, QueryInvestorMarginRate),
        SLOT_CASE(CVOSKTradeApi, QueryExchangeMarginRate),
    };
    ExpectSlotsInOrder(slots);
    EXPECT_EQ(std::size(slots), 39u);
}

TEST(TradeSessionInterfaces, ServiceTableNamesEachOperationAtItsSlot) {
#define KDX_SERVICE(serviceNo, slot, operation, record, replyNo) \
    EXPECT_EQ(VirtualSlot(&CVOSKTradeApi::operation), slot) << #operation;
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE
}

TEST(TradeSessionInterfaces, SpiCallbacksStandInSlotOrder) {
    const SlotCase slots[] = {
        SLOT_CASE(CVOSKTradeSpi, OnConnected),
        SLOT_CASE(CVOSKTradeSpi, OnDisconnected),
        SLOT_CASE(CVOSKTradeSpi, OnLoginRsp),
        SLOT_CASE(CVOSKTradeSpi, OnLogoutRsp),
        SLOT_CASE(CVOSKTradeSpi, OnChangePasswordRsp),
        SLOT_CASE(CVOSKTradeSpi, OnInputOrderRsp),
        SLOT_CASE(CVOSKTradeSpi, OnOrderNty),
        SLOT_CASE(CVOSKTradeSpi, OnOrderCancelRsp),
        SLOT_CASE(CVOSKTradeSpi, OnMarketStatusNty),
        SLOT_CASE(CVOSKTradeSpi, OnTradeNty),
        SLOT_CASE(CVOSKTradeSpi, OnQuotQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnOrderQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnTradeQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnPosiQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnFundQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnInstrumentQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnPosiDetailQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnProfitLossStopSetRsp),
        SLOT_CASE(CVOSKTradeSpi, OnPosiDetailNty),
        SLOT_CASE(CVOSKTradeSpi, OnFundNty),
        SLOT_CASE(CVOSKTradeSpi, OnPosiNty),
        SLOT_CASE(CVOSKTradeSpi, OnInputOrder159Rsp),
        SLOT_CASE(CVOSKTradeSpi, OnBulletinQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnNoticeQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnBulletinNty),
        SLOT_CASE(CVOSKTradeSpi, OnNoticeNty),
        SLOT_CASE(CVOSKTradeSpi, OnElectronicFundIORsp),
        SLOT_CASE(CVOSKTradeSpi, OnElectronicFundIONty),
        SLOT_CASE(CVOSKTradeSpi, OnFundIODetailQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnReportQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnHisOrderQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnHisTradeQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnHisBulletinQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnHisNoticeQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnAccountBindRsp),
        SLOT_CASE(CVOSKTradeSpi, OnAccountBindQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnHisFundQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnHisPosiDetailQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnAccountBindNty),
        SLOT_CASE(CVOSKTradeSpi, OnProductQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnExchangeQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnInvestorFeeRateQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnInvestorMarginRateQueryRsp),
        SLOT_CASE(CVOSKTradeSpi, OnExchangeMarginRateQueryRsp),
    };
    ExpectSlotsInOrder(slots);
    EXPECT_EQ(std::size(slots), 44u);
}
