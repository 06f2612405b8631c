// Creation of the trading object, kept apart from the exported factory so that the exported translation
// unit includes no Boost header (and so exports no Boost symbol).
#pragma once

class CZantuVextTraderApi;

// A new trading object over a new trading session.
CZantuVextTraderApi* NewTraderApi();
