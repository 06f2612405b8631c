// The quote session's reply dispatcher: routes each received package by its ServiceNo and reports through
// CVOSKQuotSpi. Runs on the session I/O thread.
#pragma once

#include "codec/APIPackage.h"
#include "quot/session/VOSKQuotApi.h"

namespace quot {

constexpr uint16_t PushedQuoteServiceNo = 125;

// Handles one opened package; any ServiceNo outside the service table is ignored. With no callback
// object nothing is called. Returns 0: no package closes the connection.
int DispatchPackage(CAPIPackage& package, CVOSKQuotSpi* spi);

}  // namespace quot
