#include "translate/StatusInfo.h"

#include "translate/ConstantTexts.h"
#include "translate/TextCopy.h"

namespace translate {

CZantuVextRspInfo MakeRspInfo(int16_t rspNo, const char* rspDesc, size_t rspDescWidth) {
    CZantuVextRspInfo info{};
    info.ErrorCode = static_cast<uint16_t>(rspNo);
    CopyText(info.ErrorText, sizeof info.ErrorText, rspDesc, rspDescWidth);
    return info;
}

CZantuVextRspInfo NotSupportedRspInfo() {
    CZantuVextRspInfo info{};
    info.ErrorCode = NotSupportedCode;
    CopyText(info.ErrorText, text::NotSupported);
    return info;
}

}  // namespace translate
