// Sans-I/O request encoders of the trading session: each builds one whole request payload in a buffer
// of MaxPayloadLength bytes (the connection passes its send buffer after the 4-byte length prefix).
// Run on the session I/O thread only; the flow state they read and write belongs to that thread.
#pragma once

#include <cstdint>

#include "codec/APIPackage.h"
#include "trade/session/TradeRecords.h"

namespace trade {

// What the service table says of request ServiceNo: its body record, its slot and name in
// CVOSKTradeApi and the ServiceNo of its reply.
template <uint16_t ServiceNo>
struct Service;

#define KDX_SERVICE(serviceNo, slot, operation, record, replyNo) \
    template <>                                                  \
    struct Service<serviceNo> {                                  \
        using Record = record;                                   \
        static constexpr int Slot = slot;                        \
        static constexpr const char* Operation = #operation;     \
        static constexpr uint16_t ReplyNo = replyNo;             \
    };
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE

// Request ServiceNo: head (ServiceNo, requestId, EndFlag 0) and a body of exactly one element, the
// request record under its own row's tag with every member. Returns the body element's value length
// (-1 cannot happen: every request record fits a payload).
template <uint16_t ServiceNo>
int BuildRequest(CAPIPackage& package, uint8_t* payload, const typename Service<ServiceNo>::Record& request,
                 int32_t requestId) {
    package.BeginPackage(ServiceNo, requestId, payload);
    return WriteRecordElement(package, request);
}

// The session's flow state: trade date of the last successful login and the last position of each
// notification flow. All zero when the session is created; survives reconnections.
struct FlowState {
    char TradeDate[12];
    uint32_t PrivateSeqNo;  // flow 1
    uint32_t PublicSeqNo;   // flow 2
};

constexpr uint16_t FlowSubscribeServiceNo = 3;
constexpr int32_t PrivateFlowID = 1;
constexpr int32_t PublicFlowID = 2;

// The position a subscription mode asks for, sent as PkgNo:
//   mode 1  from the start of the flow          0
//   mode 2  after the flow's last position      sequenceNo
//   other   only packages still to come         0xFFFFFFFF (-1 on the wire)
// Mode 0 sends no item for the flow and is not asked here.
uint32_t FlowStartPosition(int mode, uint32_t sequenceNo);

// Request 3 (RequestID 0): a FlowSubscribeReqList with one FlowSubscribeReq {FlowID, PkgNo} for the
// private flow unless privateMode is 0, then one for the public flow unless publicMode is 0; the list
// is sent even when empty. The PkgNo sent for a flow becomes its sequence number. Returns 0.
int BuildFlowSubscription(CAPIPackage& package, uint8_t* payload, int privateMode, int publicMode,
                          FlowState& flows);

}  // namespace trade
