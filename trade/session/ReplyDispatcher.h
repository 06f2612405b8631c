// The trading session's reply dispatcher: routes each received package by its ServiceNo to the reply,
// flow, flow-subscription or account-bind handler and reports through CVOSKTradeSpi. Runs on the
// session I/O thread, which alone touches the flow state.
#pragma once

#include "codec/APIPackage.h"
#include "trade/session/RequestEncoders.h"
#include "trade/session/VOSKTradeApi.h"

namespace trade {

// Handles one opened package. A package of no known ServiceNo is ignored. With no callback object the
// package is decoded and the flow state kept as usual, and nothing is called. Returns 0: no package
// closes the connection.
int DispatchPackage(CAPIPackage& package, FlowState& flows, CVOSKTradeSpi* spi);

}  // namespace trade
