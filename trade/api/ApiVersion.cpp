// Version text of the trading library, exported with CZantuVextTraderApi.
#include "ZantuVextTraderApi.h"

#include "translate/ConstantTexts.h"

const char* CZantuVextTraderApi::GetApiVersion() {
    return translate::text::ApiVersion;
}
