// libFuzzer entry: arbitrary bytes opened as a received API package. Decodes the head, looks elements
// up, decodes a wide binding list over every element found and walks every record list.
#include <cstdint>
#include <cstring>
#include <vector>

#include "codec/APIPackage.h"
#include "codec/Fields.h"

namespace {

struct Wide {
    char InvestorID[16];
    char BSFlag;
    double Price;
    int64_t QtyTotal;
    int32_t Qty;
    int16_t RspNo;
    char RspDesc[257];
    int32_t AskQty5;
    char ExchangeID[17];
};

void DecodeWide(const uint8_t* data, uint32_t length) {
    Wide w{};
    FieldBinding b[] = {Bind(fld::InvestorID, w.InvestorID),
                        Bind(fld::BSFlag, w.BSFlag),
                        Bind(fld::Price, w.Price),
                        Bind(fld::QtyTotal, w.QtyTotal),
                        Bind(fld::Qty, w.Qty),
                        Bind(fld::RspNo, w.RspNo),
                        Bind(fld::RspDesc, w.RspDesc),
                        Bind(fld::AskQty5, w.AskQty5),
                        Bind(fld::ExchangeID, w.ExchangeID)};
    (void)FieldBindingList{b, sizeof b / sizeof b[0]}.Decode(data, length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > MaxPayloadLength) return 0;
    std::vector<uint8_t> payload(data, data + size);  // exact size: a read past it is caught
    CAPIPackage package;
    package.OpenPackage(payload.data(), static_cast<uint32_t>(payload.size()));
    if (package.Data == nullptr) return 0;

    DecodeWide(package.Data, package.Length);
    const uint16_t tags[] = {fld::RspInfo.Tag, fld::InputOrder.Tag, fld::Order.Tag, fld::Quot.Tag};
    for (uint16_t tag : tags) {
        CKDXPackage child;
        if (package.OpenElement(tag, child) == 0 && child.Data != nullptr)
            DecodeWide(child.Data, child.Length);
    }
    const uint16_t lists[] = {fld::OrderList.Tag, fld::FlowSubscribeRspList.Tag, fld::QuotList.Tag};
    for (uint16_t tag : lists) {
        CKDXRecordSet set;
        if (package.OpenRecordSet(tag, set) != 0) continue;
        while (set.NextRecord())
            DecodeWide(set.Data, set.Length);
    }
    return 0;
}
