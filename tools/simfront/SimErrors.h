// The reasons the front refuses a request (SimErrors.def) and the RspInfo they become. Plain data.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace simfront {

enum class SimError {
    None,
#define SIM_ERROR(name, rspNo, text) name,
#include "tools/simfront/SimErrors.def"
#undef SIM_ERROR
};

int16_t RspNoOf(SimError error);
const char* TextOf(SimError error);

// Fills an RspInfo record (trading or market-data table; both have RspNo and RspDesc): RspNo 0 and
// an empty text for None, else the reason's number and text, then ": " and the detail when given.
template <typename Info>
Info MakeRspInfo(SimError error, const std::string& detail = {}) {
    Info info{};
    info.RspNo = RspNoOf(error);
    if (error == SimError::None) return info;
    std::string text = TextOf(error);
    if (!detail.empty()) text += ": " + detail;
    std::strncpy(info.RspDesc, text.c_str(), sizeof info.RspDesc - 1);
    return info;
}

}  // namespace simfront
