// What the front is started with: accounts and reference data (exchanges, products, instruments),
// read from the configuration text format (ConfigText.h) or taken from the built-in defaults.
// Plain data, no I/O: callers read the files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace simfront {

struct AccountSpec {
    std::string User;  // InvestorID, at most 15 characters
    std::string Password;
    std::string Name;
    double Balance = 0;  // opening balance of the day
};

struct ExchangeSpec {
    std::string ID;
    std::string Name;
};

struct ProductSpec {
    std::string Exchange;
    std::string ID;
    std::string Name;
    char Type = 'F';  // F futures, O options
};

struct InstrumentSpec {
    std::string ID;
    std::string Exchange;
    std::string Product;
    std::string Name;
    char Type = 'F';  // F futures, O options
    double Tick = 0;
    int32_t Multiplier = 0;  // contract size (TradeUnit)
    double PreSettle = 0;
    double PreClose = 0;
    int64_t PreOpenInterest = 0;
    double LimitRatio = 0.06;  // daily limits: PreSettle * (1 +- ratio), rounded inwards to the grid
    char FeeType = 'R';        // R: ratio of turnover, A: amount per lot
    double OpenFee = 0;
    double CloseFee = 0;
    double CloseTodayFee = 0;
    char MarginType = 'R';  // R: ratio of notional, A: amount per lot
    double LongMargin = 0;
    double ShortMargin = 0;
    int32_t MaxOrderQty = 1000;
    std::string Underlying;  // options only
    double Strike = 0;
    char OptionType = 0;     // C or P
    std::string ListDate;    // YYYY-MM-DD
    std::string ExpireDate;  // YYYY-MM-DD
    // Derived on loading: the daily limits in ticks.
    int64_t PreSettleTicks = 0;
    int64_t HighLimitTicks = 0;
    int64_t LowLimitTicks = 0;
};

struct FrontSetup {
    std::vector<AccountSpec> Accounts;
    std::vector<ExchangeSpec> Exchanges;
    std::vector<ProductSpec> Products;
    std::vector<InstrumentSpec> Instruments;
};

// Lines "account user=.. password=.. [name=..] [balance=..]". Replaces setup.Accounts.
[[nodiscard]] bool LoadAccounts(std::string_view text, FrontSetup& setup, std::string& error);
// Lines "exchange ..", "product .." and "instrument .." (see DefaultReferenceText). Replaces the
// exchanges, products and instruments of setup.
[[nodiscard]] bool LoadReferenceData(std::string_view text, FrontSetup& setup, std::string& error);

// The built-in configuration, in the file format.
extern const char DefaultAccountsText[];
extern const char DefaultReferenceText[];

// The built-in accounts and reference data.
FrontSetup DefaultSetup();

}  // namespace simfront
