// Packages a front sends and what the calling program must see for each: the callback and the checks on
// its event. Run in process through the quote dispatcher into the facade, and end to end from a
// scripted front through libquotegate.so.
#pragma once

#include <functional>
#include <vector>

#include "tests/support/Hex.h"
#include "tests/support/RecordingMdSpi.h"

struct ReceivedPackageCase {
    const char* Name;
    Bytes Payload;
    const char* Callback;  // the one callback the package produces
    // Checks the event of that callback and the object after it.
    std::function<void(const MdEvent&, CZantuVextMdApi&)> Check;
};

std::vector<ReceivedPackageCase> ReceivedPackageCases();
