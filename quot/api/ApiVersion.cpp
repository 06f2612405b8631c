// Version text of the market-data library, exported with CZantuVextMdApi.
#include "ZantuVextMdApi.h"

#include "translate/ConstantTexts.h"

const char* CZantuVextMdApi::GetApiVersion() {
    return translate::text::ApiVersion;
}
