// The operations of CZantuVextTraderApi by how they are answered, restated from the contract's slot
// table: the refused ones (-3), the EmptyQuery ones with the empty reply each is answered with, and a
// call of every kind of request that needs the server. Public header only.
#pragma once

#include <iterator>

#include <gtest/gtest.h>

#include "ZantuVextTraderApi.h"

using OneArgument = int (CZantuVextTraderApi::*)(int);
using TwoArguments = int (CZantuVextTraderApi::*)(void*, int);

inline const OneArgument UnsupportedOne[] = {&CZantuVextTraderApi::Unsupported11,
                                             &CZantuVextTraderApi::Unsupported12};
inline const TwoArguments UnsupportedTwo[] = {
    &CZantuVextTraderApi::Unsupported16, &CZantuVextTraderApi::Unsupported18,
    &CZantuVextTraderApi::Unsupported19, &CZantuVextTraderApi::Unsupported20,
    &CZantuVextTraderApi::Unsupported21, &CZantuVextTraderApi::Unsupported22,
    &CZantuVextTraderApi::Unsupported24, &CZantuVextTraderApi::Unsupported25,
    &CZantuVextTraderApi::Unsupported27, &CZantuVextTraderApi::Unsupported29,
    &CZantuVextTraderApi::Unsupported30, &CZantuVextTraderApi::Unsupported36,
    &CZantuVextTraderApi::Unsupported39, &CZantuVextTraderApi::Unsupported59,
    &CZantuVextTraderApi::Unsupported60, &CZantuVextTraderApi::Unsupported62,
    &CZantuVextTraderApi::Unsupported63, &CZantuVextTraderApi::Unsupported64,
    &CZantuVextTraderApi::Unsupported65, &CZantuVextTraderApi::Unsupported67,
    &CZantuVextTraderApi::Unsupported68, &CZantuVextTraderApi::Unsupported70,
    &CZantuVextTraderApi::Unsupported71, &CZantuVextTraderApi::Unsupported91,
    &CZantuVextTraderApi::Unsupported92,
};

// Each EmptyQuery operation and the empty reply it is answered with.
struct EmptyCase {
    TwoArguments Operation;
    const char* Reply;
};
#define EMPTY(request, reply)                                            \
    EmptyCase {                                                          \
        &CZantuVextTraderApi::EmptyQuery##request, "OnEmptyReply" #reply \
    }
inline const EmptyCase EmptyQueries[] = {
    EMPTY(37, 25), EMPTY(38, 26), EMPTY(45, 33),  EMPTY(52, 40),  EMPTY(53, 41),  EMPTY(55, 43),
    EMPTY(57, 45), EMPTY(58, 46), EMPTY(66, 54),  EMPTY(69, 57),  EMPTY(72, 60),  EMPTY(73, 61),
    EMPTY(74, 62), EMPTY(75, 63), EMPTY(76, 64),  EMPTY(77, 65),  EMPTY(78, 66),  EMPTY(79, 67),
    EMPTY(80, 68), EMPTY(81, 69), EMPTY(82, 70),  EMPTY(83, 71),  EMPTY(84, 96),  EMPTY(85, 97),
    EMPTY(86, 98), EMPTY(87, 99), EMPTY(89, 101), EMPTY(90, 102), EMPTY(93, 121),
};
#undef EMPTY

// Calls every kind of request that needs the server once, expecting `result` from each (the session's:
// 0 posted, -1 not started or not connected). The login is user "U1" of broker "B1", so that it keeps
// the trading day of that user.
inline void ExpectServerRequests(CZantuVextTraderApi* api, int result) {
    CZantuVextLoginRequest login{};
    login.BrokerCode[0] = 'B';
    login.BrokerCode[1] = '1';
    login.UserCode[0] = 'U';
    login.UserCode[1] = '1';
    CZantuVextInputOrder order{};
    CZantuVextOrderAction action{};
    CZantuVextPasswordChange change{};
    CZantuVextOrderQuery orders{};
    CZantuVextInstrumentQuery instruments{};
    CZantuVextProductQuery products{};
    products.ProductClass = '1';
    EXPECT_EQ(api->SubmitLogin(&login, 90), result);
    EXPECT_EQ(api->SubmitLogout(nullptr, 90), result);
    EXPECT_EQ(api->SubmitPasswordChange(&change, 90), result);
    EXPECT_EQ(api->SubmitOrder(&order, 90), result);
    EXPECT_EQ(api->SubmitOrderCancel(&action, 90), result);
    EXPECT_EQ(api->QueryOrders(&orders, 90), result);
    EXPECT_EQ(api->QueryAccount(nullptr, 90), result);
    EXPECT_EQ(api->QueryInstrument(&instruments, 90), result);
    EXPECT_EQ(api->QueryProduct(&products, 90), result);
}
