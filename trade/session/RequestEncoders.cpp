// Request 3, the flow subscription: the one encoder that is not a row of the service table.
#include "trade/session/RequestEncoders.h"

namespace trade {

namespace {

void AddFlowItem(CKDXRecordSet& set, int32_t flowId, int mode, uint32_t& sequenceNo) {
    if (mode == 0) return;
    sequenceNo = FlowStartPosition(mode, sequenceNo);
    FlowSubscribeReq item{};
    item.FlowID = flowId;
    item.PkgNo = static_cast<int32_t>(sequenceNo);
    const RecordBindings bindings(item);
    (void)set.AddRecord(bindings);
}

}  // namespace

uint32_t FlowStartPosition(int mode, uint32_t sequenceNo) {
    switch (mode) {
        case 1:
            return 0;
        case 2:
            return sequenceNo;
        default:
            return 0xFFFFFFFF;
    }
}

int BuildFlowSubscription(CAPIPackage& package, uint8_t* payload, int privateMode, int publicMode,
                          FlowState& flows) {
    package.BeginPackage(FlowSubscribeServiceNo, 0, payload);
    CKDXRecordSet set;
    (void)package.BeginRecordSet(fld::FlowSubscribeReqList.Tag, set);
    AddFlowItem(set, PrivateFlowID, privateMode, flows.PrivateSeqNo);
    AddFlowItem(set, PublicFlowID, publicMode, flows.PublicSeqNo);
    return 0;
}

}  // namespace trade
