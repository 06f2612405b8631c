// Slot positions and signatures of the four public classes, checked against the slot tables below,
// which restate the contract independently of the headers. Under the Itanium C++ ABI (GCC, Clang) a
// pointer to a virtual member function holds the byte offset of its vtable slot; comparing it for every
// operation proves that a calling program which declares the classes from the same tables calls the
// same function through each slot. A probe class's first new virtual function lands on the slot after
// the last one of its base, which proves that no virtual function was added or lost.
#include "ZantuVextMdApi.h"
#include "ZantuVextTraderApi.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <type_traits>

#include <gtest/gtest.h>

namespace {

constexpr size_t NotVirtual = SIZE_MAX;

// Slot index of a virtual member function, from the Itanium representation of its pointer:
// {ptr, adj}; for a virtual function ptr is 1 + the slot's byte offset (on ARM, adj's low bit is set
// and ptr is the offset).
template <typename Pointer>
size_t SlotOf(Pointer pointer) {
    struct Representation {
        uintptr_t ptr;
        ptrdiff_t adj;
    } rep;
    static_assert(sizeof(Pointer) == sizeof(Representation), "not an Itanium member function pointer");
    std::memcpy(&rep, &pointer, sizeof rep);
#if defined(__arm__) || defined(__aarch64__)
    return (rep.adj & 1) != 0 ? rep.ptr / sizeof(void*) : NotVirtual;
#else
    return (rep.ptr & 1) != 0 ? (rep.ptr - 1) / sizeof(void*) : NotVirtual;
#endif
}

template <typename Class, typename Signature>
using MemberFunction = Signature Class::*;

template <typename Base>
struct Probe : Base {
    virtual void FirstSlotAfterBase() {}
};

// One table per class: X(slot, Operation, signature).
// clang-format off
#define TRADER_API_SLOTS(X) \
    X(0, Release, void()) \
    X(1, Init, void()) \
    X(2, Join, int()) \
    X(3, CurrentTradingDay, const char*()) \
    X(4, AddFront, void(char*)) \
    X(5, ReservedSlot5, void(int)) \
    X(6, ReservedSlot6, void(int)) \
    X(7, SetSpi, void(CZantuVextTraderSpi*)) \
    X(8, SetPrivateResumeMode, void(int)) \
    X(9, SetPublicResumeMode, void(int)) \
    X(10, EchoIdentity, int(CZantuVextIdentityRequest*, int)) \
    X(11, Unsupported11, int(int)) \
    X(12, Unsupported12, int(int)) \
    X(13, SubmitLogin, int(CZantuVextLoginRequest*, int)) \
    X(14, SubmitLogout, int(CZantuVextLogoutRecord*, int)) \
    X(15, SubmitPasswordChange, int(CZantuVextPasswordChange*, int)) \
    X(16, Unsupported16, int(void*, int)) \
    X(17, QueryZeroValue, int(void*, int)) \
    X(18, Unsupported18, int(void*, int)) \
    X(19, Unsupported19, int(void*, int)) \
    X(20, Unsupported20, int(void*, int)) \
    X(21, Unsupported21, int(void*, int)) \
    X(22, Unsupported22, int(void*, int)) \
    X(23, SubmitOrder, int(CZantuVextInputOrder*, int)) \
    X(24, Unsupported24, int(void*, int)) \
    X(25, Unsupported25, int(void*, int)) \
    X(26, SubmitOrderCancel, int(CZantuVextOrderAction*, int)) \
    X(27, Unsupported27, int(void*, int)) \
    X(28, SubmitConfirmation, int(CZantuVextConfirmation*, int)) \
    X(29, Unsupported29, int(void*, int)) \
    X(30, Unsupported30, int(void*, int)) \
    X(31, RefusedRequest31, int(void*, int)) \
    X(32, RefusedRequest32, int(void*, int)) \
    X(33, RefusedRequest33, int(void*, int)) \
    X(34, RefusedRequest34, int(void*, int)) \
    X(35, RefusedRequest35, int(void*, int)) \
    X(36, Unsupported36, int(void*, int)) \
    X(37, EmptyQuery37, int(void*, int)) \
    X(38, EmptyQuery38, int(void*, int)) \
    X(39, Unsupported39, int(void*, int)) \
    X(40, QueryOrders, int(CZantuVextOrderQuery*, int)) \
    X(41, QueryTrades, int(CZantuVextTradeQuery*, int)) \
    X(42, QueryPositions, int(CZantuVextPositionQuery*, int)) \
    X(43, QueryAccount, int(void*, int)) \
    X(44, QueryInvestor, int(void*, int)) \
    X(45, EmptyQuery45, int(void*, int)) \
    X(46, QueryMarginRates, int(CZantuVextMarginRateQuery*, int)) \
    X(47, QueryFeeRates, int(CZantuVextFeeRateQuery*, int)) \
    X(48, QueryExchange, int(CZantuVextExchangeQuery*, int)) \
    X(49, QueryProduct, int(CZantuVextProductQuery*, int)) \
    X(50, QueryInstrument, int(CZantuVextInstrumentQuery*, int)) \
    X(51, QueryMarketSnapshot, int(CZantuVextSnapshotQuery*, int)) \
    X(52, EmptyQuery52, int(void*, int)) \
    X(53, EmptyQuery53, int(void*, int)) \
    X(54, QueryPositionDetail, int(CZantuVextPositionDetailQuery*, int)) \
    X(55, EmptyQuery55, int(void*, int)) \
    X(56, QueryConfirmation, int(void*, int)) \
    X(57, EmptyQuery57, int(void*, int)) \
    X(58, EmptyQuery58, int(void*, int)) \
    X(59, Unsupported59, int(void*, int)) \
    X(60, Unsupported60, int(void*, int)) \
    X(61, QueryExchangeMarginRates, int(CZantuVextExchangeMarginRateQuery*, int)) \
    X(62, Unsupported62, int(void*, int)) \
    X(63, Unsupported63, int(void*, int)) \
    X(64, Unsupported64, int(void*, int)) \
    X(65, Unsupported65, int(void*, int)) \
    X(66, EmptyQuery66, int(void*, int)) \
    X(67, Unsupported67, int(void*, int)) \
    X(68, Unsupported68, int(void*, int)) \
    X(69, EmptyQuery69, int(void*, int)) \
    X(70, Unsupported70, int(void*, int)) \
    X(71, Unsupported71, int(void*, int)) \
    X(72, EmptyQuery72, int(void*, int)) \
    X(73, EmptyQuery73, int(void*, int)) \
    X(74, EmptyQuery74, int(void*, int)) \
    X(75, EmptyQuery75, int(void*, int)) \
    X(76, EmptyQuery76, int(void*, int)) \
    X(77, EmptyQuery77, int(void*, int)) \
    X(78, EmptyQuery78, int(void*, int)) \
    X(79, EmptyQuery79, int(void*, int)) \
    X(80, EmptyQuery80, int(void*, int)) \
    X(81, EmptyQuery81, int(void*, int)) \
    X(82, EmptyQuery82, int(void*, int)) \
    X(83, EmptyQuery83, int(void*, int)) \
    X(84, EmptyQuery84, int(void*, int)) \
    X(85, EmptyQuery85, int(void*, int)) \
    X(86, EmptyQuery86, int(void*, int)) \
    X(87, EmptyQuery87, int(void*, int)) \
    X(88, QueryAccountProfile, int(void*, int)) \
    X(89, EmptyQuery89, int(void*, int)) \
    X(90, EmptyQuery90, int(void*, int)) \
    X(91, Unsupported91, int(void*, int)) \
    X(92, Unsupported92, int(void*, int)) \
    X(93, EmptyQuery93, int(void*, int))

#define TRADER_SPI_SLOTS(X) \
    X(0, OnConnected, void()) \
    X(1, OnDisconnected, void(int)) \
    X(2, OnReserved2, void()) \
    X(3, OnEchoIdentityReply, void(CZantuVextIdentityReply*, CZantuVextRspInfo*, int, bool)) \
    X(4, OnLoginReply, void(CZantuVextLoginReply*, CZantuVextRspInfo*, int, bool)) \
    X(5, OnLogoutReply, void(CZantuVextLogoutRecord*, CZantuVextRspInfo*, int, bool)) \
    X(6, OnPasswordChangeReply, void(CZantuVextPasswordChange*, CZantuVextRspInfo*, int, bool)) \
    X(7, OnReserved7, void()) \
    X(8, OnZeroValueReply, void(CZantuVextZeroValue*, CZantuVextRspInfo*, int, bool)) \
    X(9, OnReserved9, void()) \
    X(10, OnReserved10, void()) \
    X(11, OnOrderInsertReply, void(CZantuVextInputOrder*, CZantuVextRspInfo*, int, bool)) \
    X(12, OnReserved12, void()) \
    X(13, OnReserved13, void()) \
    X(14, OnOrderCancelReply, void(CZantuVextOrderAction*, CZantuVextRspInfo*, int, bool)) \
    X(15, OnReserved15, void()) \
    X(16, OnConfirmationReply, void(CZantuVextConfirmation*, CZantuVextRspInfo*, int, bool)) \
    X(17, OnReserved17, void()) \
    X(18, OnReserved18, void()) \
    X(19, OnRefusedReply19, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(20, OnRefusedReply20, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(21, OnRefusedReply21, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(22, OnRefusedReply22, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(23, OnRefusedReply23, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(24, OnReserved24, void()) \
    X(25, OnEmptyReply25, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(26, OnEmptyReply26, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(27, OnReserved27, void()) \
    X(28, OnOrderQueryReply, void(CZantuVextOrder*, CZantuVextRspInfo*, int, bool)) \
    X(29, OnTradeQueryReply, void(CZantuVextTrade*, CZantuVextRspInfo*, int, bool)) \
    X(30, OnPositionQueryReply, void(CZantuVextPosition*, CZantuVextRspInfo*, int, bool)) \
    X(31, OnAccountQueryReply, void(CZantuVextAccount*, CZantuVextRspInfo*, int, bool)) \
    X(32, OnInvestorQueryReply, void(CZantuVextInvestor*, CZantuVextRspInfo*, int, bool)) \
    X(33, OnEmptyReply33, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(34, OnMarginRateQueryReply, void(CZantuVextMarginRate*, CZantuVextRspInfo*, int, bool)) \
    X(35, OnFeeRateQueryReply, void(CZantuVextFeeRate*, CZantuVextRspInfo*, int, bool)) \
    X(36, OnExchangeQueryReply, void(CZantuVextExchange*, CZantuVextRspInfo*, int, bool)) \
    X(37, OnProductQueryReply, void(CZantuVextProduct*, CZantuVextRspInfo*, int, bool)) \
    X(38, OnInstrumentQueryReply, void(CZantuVextInstrument*, CZantuVextRspInfo*, int, bool)) \
    X(39, OnMarketSnapshotQueryReply, void(CZantuVextMarketSnapshot*, CZantuVextRspInfo*, int, bool)) \
    X(40, OnEmptyReply40, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(41, OnEmptyReply41, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(42, OnPositionDetailQueryReply, void(CZantuVextPositionDetail*, CZantuVextRspInfo*, int, bool)) \
    X(43, OnEmptyReply43, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(44, OnConfirmationQueryReply, void(CZantuVextConfirmation*, CZantuVextRspInfo*, int, bool)) \
    X(45, OnEmptyReply45, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(46, OnEmptyReply46, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(47, OnReserved47, void()) \
    X(48, OnReserved48, void()) \
    X(49, OnExchangeMarginRateQueryReply, void(CZantuVextExchangeMarginRate*, CZantuVextRspInfo*, int, bool)) \
    X(50, OnReserved50, void()) \
    X(51, OnReserved51, void()) \
    X(52, OnReserved52, void()) \
    X(53, OnReserved53, void()) \
    X(54, OnEmptyReply54, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(55, OnReserved55, void()) \
    X(56, OnReserved56, void()) \
    X(57, OnEmptyReply57, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(58, OnReserved58, void()) \
    X(59, OnReserved59, void()) \
    X(60, OnEmptyReply60, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(61, OnEmptyReply61, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(62, OnEmptyReply62, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(63, OnEmptyReply63, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(64, OnEmptyReply64, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(65, OnEmptyReply65, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(66, OnEmptyReply66, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(67, OnEmptyReply67, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(68, OnEmptyReply68, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(69, OnEmptyReply69, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(70, OnEmptyReply70, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(71, OnEmptyReply71, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(72, OnReserved72, void()) \
    X(73, OnOrderUpdate, void(CZantuVextOrder*)) \
    X(74, OnTradeUpdate, void(CZantuVextTrade*)) \
    X(75, OnReserved75, void()) \
    X(76, OnReserved76, void()) \
    X(77, OnReserved77, void()) \
    X(78, OnReserved78, void()) \
    X(79, OnReserved79, void()) \
    X(80, OnReserved80, void()) \
    X(81, OnReserved81, void()) \
    X(82, OnReserved82, void()) \
    X(83, OnReserved83, void()) \
    X(84, OnReserved84, void()) \
    X(85, OnReserved85, void()) \
    X(86, OnReserved86, void()) \
    X(87, OnReserved87, void()) \
    X(88, OnReserved88, void()) \
    X(89, OnReserved89, void()) \
    X(90, OnReserved90, void()) \
    X(91, OnReserved91, void()) \
    X(92, OnReserved92, void()) \
    X(93, OnReserved93, void()) \
    X(94, OnReserved94, void()) \
    X(95, OnReserved95, void()) \
    X(96, OnEmptyReply96, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(97, OnEmptyReply97, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(98, OnEmptyReply98, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(99, OnEmptyReply99, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(100, OnAccountProfileReply, void(CZantuVextAccountProfile*, CZantuVextRspInfo*, int, bool)) \
    X(101, OnEmptyReply101, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(102, OnEmptyReply102, void(void*, CZantuVextRspInfo*, int, bool)) \
    X(103, OnReserved103, void()) \
    X(104, OnReserved104, void()) \
    X(105, OnReserved105, void()) \
    X(106, OnReserved106, void()) \
    X(107, OnReserved107, void()) \
    X(108, OnReserved108, void()) \
    X(109, OnReserved109, void()) \
    X(110, OnReserved110, void()) \
    X(111, OnReserved111, void()) \
    X(112, OnReserved112, void()) \
    X(113, OnReserved113, void()) \
    X(114, OnReserved114, void()) \
    X(115, OnReserved115, void()) \
    X(116, OnReserved116, void()) \
    X(117, OnReserved117, void()) \
    X(118, OnReserved118, void()) \
    X(119, OnReserved119, void()) \
    X(120, OnReserved120, void()) \
    X(121, OnEmptyReply121, void(void*, CZantuVextRspInfo*, int, bool))

#define MD_API_SLOTS(X) \
    X(0, Release, void()) \
    X(1, Init, void()) \
    X(2, Join, int()) \
    X(3, CurrentTradingDay, const char*()) \
    X(4, AddFront, void(char*)) \
    X(5, ReservedSlot5, void(int)) \
    X(6, ReservedSlot6, void(int)) \
    X(7, SetSpi, void(CZantuVextMdSpi*)) \
    X(8, SubscribeQuotes, int(char**, int)) \
    X(9, UnsubscribeQuotes, int(char**, int)) \
    X(10, Unsupported10, int(void*, int)) \
    X(11, Unsupported11, int(void*, int)) \
    X(12, SubmitLogin, int(CZantuVextLoginRequest*, int)) \
    X(13, SubmitLogout, int(CZantuVextLogoutRecord*, int)) \
    X(14, Unsupported14, int(void*, int))

#define MD_SPI_SLOTS(X) \
    X(0, OnConnected, void()) \
    X(1, OnDisconnected, void(int)) \
    X(2, OnReserved2, void()) \
    X(3, OnLoginReply, void(CZantuVextLoginReply*, CZantuVextRspInfo*, int, bool)) \
    X(4, OnLogoutReply, void(CZantuVextLogoutRecord*, CZantuVextRspInfo*, int, bool)) \
    X(5, OnReserved5, void()) \
    X(6, OnReserved6, void()) \
    X(7, OnSubscribeReply, void(CZantuVextInstrumentId*, CZantuVextRspInfo*, int, bool)) \
    X(8, OnUnsubscribeReply, void(CZantuVextInstrumentId*, CZantuVextRspInfo*, int, bool)) \
    X(9, OnReserved9, void()) \
    X(10, OnReserved10, void()) \
    X(11, OnMarketSnapshot, void(CZantuVextMarketSnapshot*))
// clang-format on

// The tables cover the slots 0 to count - 1, each once.
template <size_t N>
void ExpectEverySlotOnce(const size_t (&slots)[N]) {
    const std::set<size_t> distinct(slots, slots + N);
    EXPECT_EQ(distinct.size(), N);
    EXPECT_EQ(*distinct.begin(), 0u);
    EXPECT_EQ(*distinct.rbegin(), N - 1);
}

#define SLOT_NUMBER(slot, name, signature) slot,
}  // namespace

#define TRADER_API_SIGNATURE(slot, name, signature)                                    \
    static_assert(std::is_same<decltype(&CZantuVextTraderApi::name),                   \
                               MemberFunction<CZantuVextTraderApi, signature>>::value, \
                  #name);
#define TRADER_SPI_SIGNATURE(slot, name, signature)                                    \
    static_assert(std::is_same<decltype(&CZantuVextTraderSpi::name),                   \
                               MemberFunction<CZantuVextTraderSpi, signature>>::value, \
                  #name);
#define MD_API_SIGNATURE(slot, name, signature)                                                            \
    static_assert(                                                                                         \
        std::is_same<decltype(&CZantuVextMdApi::name), MemberFunction<CZantuVextMdApi, signature>>::value, \
        #name);
#define MD_SPI_SIGNATURE(slot, name, signature)                                                            \
    static_assert(                                                                                         \
        std::is_same<decltype(&CZantuVextMdSpi::name), MemberFunction<CZantuVextMdSpi, signature>>::value, \
        #name);
TRADER_API_SLOTS(TRADER_API_SIGNATURE)
TRADER_SPI_SLOTS(TRADER_SPI_SIGNATURE)
MD_API_SLOTS(MD_API_SIGNATURE)
MD_SPI_SLOTS(MD_SPI_SIGNATURE)

#define TRADER_API_SLOT(slot, name, signature) \
    EXPECT_EQ(SlotOf(&CZantuVextTraderApi::name), size_t{slot}) << #name;
#define TRADER_SPI_SLOT(slot, name, signature) \
    EXPECT_EQ(SlotOf(&CZantuVextTraderSpi::name), size_t{slot}) << #name;
#define MD_API_SLOT(slot, name, signature) EXPECT_EQ(SlotOf(&CZantuVextMdApi::name), size_t{slot}) << #name;
#define MD_SPI_SLOT(slot, name, signature) EXPECT_EQ(SlotOf(&CZantuVextMdSpi::name), size_t{slot}) << #name;

TEST(PublicSlots, TablesNameEverySlotOnce) {
    const size_t traderApi[] = {TRADER_API_SLOTS(SLOT_NUMBER)};
    const size_t traderSpi[] = {TRADER_SPI_SLOTS(SLOT_NUMBER)};
    const size_t mdApi[] = {MD_API_SLOTS(SLOT_NUMBER)};
    const size_t mdSpi[] = {MD_SPI_SLOTS(SLOT_NUMBER)};
    ExpectEverySlotOnce(traderApi);
    ExpectEverySlotOnce(traderSpi);
    ExpectEverySlotOnce(mdApi);
    ExpectEverySlotOnce(mdSpi);
}

TEST(PublicSlots, TraderApiHasIts94OperationsInSlotOrder) {
    TRADER_API_SLOTS(TRADER_API_SLOT)
    EXPECT_EQ(SlotOf(&Probe<CZantuVextTraderApi>::FirstSlotAfterBase), 94u);
}

TEST(PublicSlots, TraderSpiHasIts122CallbacksThenTheDestructor) {
    TRADER_SPI_SLOTS(TRADER_SPI_SLOT)
    // The virtual destructor takes two slots (complete and deleting) after slot 121.
    EXPECT_EQ(SlotOf(&Probe<CZantuVextTraderSpi>::FirstSlotAfterBase), 124u);
}

TEST(PublicSlots, MdApiHasIts15OperationsInSlotOrder) {
    MD_API_SLOTS(MD_API_SLOT)
    EXPECT_EQ(SlotOf(&Probe<CZantuVextMdApi>::FirstSlotAfterBase), 15u);
}

TEST(PublicSlots, MdSpiHasIts12CallbacksThenTheDestructor) {
    MD_SPI_SLOTS(MD_SPI_SLOT)
    EXPECT_EQ(SlotOf(&Probe<CZantuVextMdSpi>::FirstSlotAfterBase), 14u);
}

// The exported classes carry nothing but their vtable pointer, have no virtual destructor and cannot
// be destroyed by the caller; the callback interfaces can be deleted through their base.
static_assert(sizeof(CZantuVextTraderApi) == sizeof(void*), "no data members");
static_assert(sizeof(CZantuVextMdApi) == sizeof(void*), "no data members");
static_assert(!std::has_virtual_destructor<CZantuVextTraderApi>::value, "no virtual destructor");
static_assert(!std::has_virtual_destructor<CZantuVextMdApi>::value, "no virtual destructor");
static_assert(!std::is_destructible<CZantuVextTraderApi>::value, "destroyed only by Release");
static_assert(!std::is_destructible<CZantuVextMdApi>::value, "destroyed only by Release");
static_assert(std::has_virtual_destructor<CZantuVextTraderSpi>::value, "deletable through the base");
static_assert(std::has_virtual_destructor<CZantuVextMdSpi>::value, "deletable through the base");
