// The trading library's factory, exported with CZantuVextTraderApi.
#include "ZantuVextTraderApi.h"

#include "trade/api/TraderFactory.h"

CZantuVextTraderApi* CZantuVextTraderApi::CreateVextTraderApi(const char*) {
    return NewTraderApi();
}
