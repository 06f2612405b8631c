// The market-data library's factory: a facade over a new quote session. The market-data dictionary
// comes with the library's own dictionary object.
#include "ZantuVextMdApi.h"

#include "quot/api/VextMdApiImpl.h"
#include "quot/session/VOSKQuotApiImp.h"

// The three arguments are not used.
CZantuVextMdApi* CZantuVextMdApi::CreateVextMdApi(const char*, bool, bool) {
    return new CVextMdApiImpl(new CVOSKQuotApiImp);
}
