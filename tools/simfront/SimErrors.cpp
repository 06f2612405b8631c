// Numbers and texts of the refusal reasons, expanded from SimErrors.def.
#include "tools/simfront/SimErrors.h"

namespace simfront {

int16_t RspNoOf(SimError error) {
    switch (error) {
#define SIM_ERROR(name, rspNo, text) \
    case SimError::name:             \
        return rspNo;
#include "tools/simfront/SimErrors.def"
#undef SIM_ERROR
        case SimError::None:
            break;
    }
    return 0;
}

const char* TextOf(SimError error) {
    switch (error) {
#define SIM_ERROR(name, rspNo, text) \
    case SimError::name:             \
        return text;
#include "tools/simfront/SimErrors.def"
#undef SIM_ERROR
        case SimError::None:
            break;
    }
    return "";
}

}  // namespace simfront
