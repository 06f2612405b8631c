// The quote session's interfaces keep their contract layout: slot order of both classes, no destructor
// slot and no data in the callback interface.
#include "quot/session/VOSKQuotApi.h"

#include <type_traits>

#include <gtest/gtest.h>

#include "tests/support/VirtualSlot.h"

static_assert(std::is_abstract_v<CVOSKQuotApi> && std::has_virtual_destructor_v<CVOSKQuotApi>);
static_assert(!std::has_virtual_destructor_v<CVOSKQuotSpi>);
static_assert(sizeof(CVOSKQuotSpi) == sizeof(void*), "only the vtable pointer");

TEST(QuotSessionInterfaces, ApiOperationsStandInSlotOrder) {
    const SlotCase slots[] = {
        SLOT_CASE(CVOSKQuotApi, Release),
        SLOT_CASE(CVOSKQuotApi, SetSpi),
        SLOT_CASE(CVOSKQuotApi, Init),
        SLOT_CASE(CVOSKQuotApi, Shutdown),
        SLOT_CASE(CVOSKQuotApi, AddFront),
        SLOT_CASE(CVOSKQuotApi, GetErrorText),
        SLOT_CASE(CVOSKQuotApi, SubmitLogin),
        SLOT_CASE(CVOSKQuotApi, SubmitLogout),
        SLOT_CASE(CVOSKQuotApi, SubscribeQuot),
        SLOT_CASE(CVOSKQuotApi, UnsubscribeQuot),
        SLOT_CASE(CVOSKQuotApi, QueryMinData150),
        SLOT_CASE(CVOSKQuotApi, QueryDayData),
        SLOT_CASE(CVOSKQuotApi, QueryMinData192),
        SLOT_CASE(CVOSKQuotApi, QueryMinData194),
        SLOT_CASE(CVOSKQuotApi, QueryTradeDetailData),
    };
    ExpectSlotsInOrder(slots);
}

TEST(QuotSessionInterfaces, SpiCallbacksStandInSlotOrder) {
    const SlotCase slots[] = {
        SLOT_CASE(CVOSKQuotSpi, OnConnected),    SLOT_CASE(CVOSKQuotSpi, OnDisconnected),
        SLOT_CASE(CVOSKQuotSpi, OnLoginRsp),     SLOT_CASE(CVOSKQuotSpi, OnLogoutRsp),
        SLOT_CASE(CVOSKQuotSpi, OnSubscribeRsp), SLOT_CASE(CVOSKQuotSpi, OnUnsubscribeRsp),
        SLOT_CASE(CVOSKQuotSpi, OnQuot),         SLOT_CASE(CVOSKQuotSpi, OnMinData150),
        SLOT_CASE(CVOSKQuotSpi, OnDayData),      SLOT_CASE(CVOSKQuotSpi, OnMinData192),
        SLOT_CASE(CVOSKQuotSpi, OnMinData194),   SLOT_CASE(CVOSKQuotSpi, OnTradeDetailData),
    };
    ExpectSlotsInOrder(slots);
}
