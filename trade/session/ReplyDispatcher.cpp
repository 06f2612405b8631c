// Reply, flow and notification handling of the trading session, driven by TradeReplies.def and
// TradeNotifications.def.
#include "trade/session/ReplyDispatcher.h"

#include <cstring>

#include "codec/ReplyReading.h"

namespace trade {
namespace {

struct Context {
    CAPIPackage& Package;
    FlowState& Flows;
    CVOSKTradeSpi* Spi;
};

// A successful login moves the session's trade date; a new trading day starts both flows again from
// their beginning, before the callback sees the reply.
void LoginReply(Context& c, uint16_t tag, ReplyCallback<CVOSKTradeSpi, LoginRsp, RspInfo> callback) {
    LoginRsp record;
    RspInfo info;
    (void)ReadElement(c.Package, tag, record);
    (void)ReadElement(c.Package, info);
    if (info.RspNo == 0) {
        if (std::strncmp(record.TradeDate, c.Flows.TradeDate, sizeof c.Flows.TradeDate) != 0) {
            c.Flows.PrivateSeqNo = 0;
            c.Flows.PublicSeqNo = 0;
        }
        static_assert(sizeof record.TradeDate <= sizeof c.Flows.TradeDate);
        std::memcpy(c.Flows.TradeDate, record.TradeDate, sizeof record.TradeDate);
    }
    if (c.Spi) (c.Spi->*callback)(&record, &info, c.Package.RequestID, c.Package.EndFlag);
}

template <typename R>
void FixedReply(Context& c, uint16_t tag, ReplyCallback<CVOSKTradeSpi, R, RspInfo> callback) {
    ::FixedReply<RspInfo>(c.Package, tag, c.Spi, callback);
}
template <typename R>
void SingleReply(Context& c, uint16_t tag, ReplyCallback<CVOSKTradeSpi, R, RspInfo> callback) {
    ::SingleReply<RspInfo>(c.Package, tag, c.Spi, callback);
}
template <typename R>
void ListReply(Context& c, uint16_t tag, ReplyCallback<CVOSKTradeSpi, R, RspInfo> callback) {
    ::ListReply<RspInfo>(c.Package, tag, c.Spi, callback);
}

// Flow packages carry their sequence number in EndFlag and the notification code in RequestID. One at or
// below the flow's position is old or a duplicate and leaves no trace; any newer one moves the position,
// whether its code is known or not.
void FlowPackage(Context& c, int32_t flowId, uint32_t& position) {
    const uint32_t sequenceNo = static_cast<uint32_t>(c.Package.EndFlag);
    if (sequenceNo <= position) return;
    const int32_t code = c.Package.RequestID;
#define KDX_NOTICE(flow, notificationCode, record, callback) \
    if (flowId == (flow) && code == (notificationCode))      \
        NotifyRecord(c.Package, c.Spi, &CVOSKTradeSpi::callback);
#include "trade/session/TradeNotifications.def"
#undef KDX_NOTICE
    position = sequenceNo;
}

// Reply 4 grants the position of each flow asked for; a failed one leaves the positions as requested.
void FlowSubscriptionReply(Context& c) {
    RspInfo info;
    (void)ReadElement(c.Package, info);
    if (info.RspNo != 0) return;
    WalkList<FlowSubscribeRsp>(
        c.Package, fld::FlowSubscribeRspList.Tag, [&](const FlowSubscribeRsp* item, int) {
            if (item == nullptr) return;
            (item->FlowID == PrivateFlowID ? c.Flows.PrivateSeqNo : c.Flows.PublicSeqNo) =
                static_cast<uint32_t>(item->PkgNo);
        });
}

constexpr uint16_t PrivateFlowServiceNo = 1;
constexpr uint16_t PublicFlowServiceNo = 2;
constexpr uint16_t FlowSubscribeReplyNo = FlowSubscribeServiceNo + 1;
constexpr uint16_t AccountBindNoticeNo = 210;

}  // namespace

int DispatchPackage(CAPIPackage& package, FlowState& flows, CVOSKTradeSpi* spi) {
    Context c{package, flows, spi};
    switch (package.ServiceNo) {
        case PrivateFlowServiceNo:
            FlowPackage(c, PrivateFlowID, flows.PrivateSeqNo);
            break;
        case PublicFlowServiceNo:
            FlowPackage(c, PublicFlowID, flows.PublicSeqNo);
            break;
        case FlowSubscribeReplyNo:
            FlowSubscriptionReply(c);
            break;
        case AccountBindNoticeNo:
            NotifyRecord(c.Package, spi, &CVOSKTradeSpi::OnAccountBindNty);
            break;
#define KDX_REPLY(serviceNo, family, bodyRow, record, callback)       \
    case serviceNo:                                                   \
        family##Reply(c, fld::bodyRow.Tag, &CVOSKTradeSpi::callback); \
        break;
#include "trade/session/TradeReplies.def"
#undef KDX_REPLY
        default:
            break;
    }
    return 0;
}

}  // namespace trade
