// Reply and pushed-quote handling of the quote session, driven by QuotReplies.def.
#include "quot/session/QuotDispatcher.h"

#include "codec/ReplyReading.h"

namespace quot {

int DispatchPackage(CAPIPackage& package, CVOSKQuotSpi* spi) {
    switch (package.ServiceNo) {
        case PushedQuoteServiceNo:
            // Only the first Quot element of a package is read; one package makes one call.
            NotifyRecord(package, spi, &CVOSKQuotSpi::OnQuot);
            break;
#define KDX_QUOT_REPLY(serviceNo, family, bodyRow, record, callback)                     \
    case serviceNo:                                                                      \
        family##Reply<RspInfo>(package, fld::bodyRow.Tag, spi, &CVOSKQuotSpi::callback); \
        break;
#include "quot/session/QuotReplies.def"
#undef KDX_QUOT_REPLY
        default:
            break;
    }
    return 0;
}

}  // namespace quot
