#include "trade/api/TraderFactory.h"

#include "trade/api/VextTraderApiImpl.h"
#include "trade/session/VOSKTradeApiImp.h"

CZantuVextTraderApi* NewTraderApi() {
    return new CVextTraderApiImpl(new CVOSKTradeApiImp());
}
