// Loading accounts and reference data, and the built-in defaults.
#include "tools/simfront/FrontSetup.h"

#include <cmath>
#include <set>

#include "tools/simfront/ConfigText.h"
#include "tools/simfront/PriceGrid.h"

namespace simfront {

// clang-format off
const char DefaultAccountsText[] =
    "# Two accounts, so that two programs can trade with each other.\n"
    "account user=10001 password=123456 name=\"Demo trader A\" balance=10000000\n"
    "account user=10002 password=123456 name=\"Demo trader B\" balance=10000000\n";

const char DefaultReferenceText[] =
    "exchange id=SHFE  name=\"Shanghai Futures Exchange\"\n"
    "exchange id=INE   name=\"Shanghai International Energy Exchange\"\n"
    "exchange id=DCE   name=\"Dalian Commodity Exchange\"\n"
    "exchange id=CZCE  name=\"Zhengzhou Commodity Exchange\"\n"
    "exchange id=CFFEX name=\"China Financial Futures Exchange\"\n"
    "\n"
    "product exchange=SHFE  id=cu   type=F name=copper\n"
    "product exchange=SHFE  id=au   type=F name=gold\n"
    "product exchange=SHFE  id=rb   type=F name=rebar\n"
    "product exchange=SHFE  id=cu_o type=O name=\"copper options\"\n"
    "product exchange=INE   id=sc   type=F name=\"crude oil\"\n"
    "product exchange=DCE   id=m    type=F name=\"soybean meal\"\n"
    "product exchange=DCE   id=i    type=F name=\"iron ore\"\n"
    "product exchange=DCE   id=m_o  type=O name=\"soybean meal options\"\n"
    "product exchange=CZCE  id=SR   type=F name=\"white sugar\"\n"
    "product exchange=CZCE  id=TA   type=F name=PTA\n"
    "product exchange=CFFEX id=IF   type=F name=\"CSI 300 index futures\"\n"
    "product exchange=CFFEX id=T    type=F name=\"10-year treasury bond futures\"\n"
    "product exchange=CFFEX id=IO   type=O name=\"CSI 300 index options\"\n"
    "\n"
    "# Fees: feetype R is a ratio of the turnover, A an amount per lot; margins likewise.\n"
    "instrument id=cu2409 exchange=SHFE product=cu type=F name=\"copper 2409\" tick=10 multiplier=5"
    " presettle=72000 preoi=180000 limit=0.07 feetype=R fee=0.00005 margintype=R margin=0.10"
    " listed=2023-09-18 expires=2024-09-18\n"
    "instrument id=au2410 exchange=SHFE product=au type=F name=\"gold 2410\" tick=0.02 multiplier=1000"
    " presettle=560.00 preoi=150000 limit=0.08 feetype=A fee=10 closetodayfee=0 margintype=R margin=0.10"
    " listed=2023-10-17 expires=2024-10-15\n"
    "instrument id=rb2410 exchange=SHFE product=rb type=F name=\"rebar 2410\" tick=1 multiplier=10"
    " presettle=3600 preoi=1800000 limit=0.07 feetype=R fee=0.0001 margintype=R margin=0.09"
    " listed=2023-10-17 expires=2024-10-15\n"
    "instrument id=sc2409 exchange=INE product=sc type=F name=\"crude oil 2409\" tick=0.1 multiplier=1000"
    " presettle=600.0 preoi=40000 limit=0.10 feetype=A fee=20 closetodayfee=0 margintype=R margin=0.10"
    " listed=2021-09-01 expires=2024-08-30\n"
    "instrument id=m2409 exchange=DCE product=m type=F name=\"soybean meal 2409\" tick=1 multiplier=10"
    " presettle=3300 preoi=1600000 limit=0.06 feetype=A fee=1.5 margintype=R margin=0.08"
    " listed=2023-09-15 expires=2024-09-13\n"
    "instrument id=i2409 exchange=DCE product=i type=F name=\"iron ore 2409\" tick=0.5 multiplier=100"
    " presettle=800.0 preoi=600000 limit=0.11 feetype=R fee=0.0001 margintype=R margin=0.13"
    " listed=2023-09-15 expires=2024-09-13\n"
    "instrument id=SR409 exchange=CZCE product=SR type=F name=\"white sugar 409\" tick=1 multiplier=10"
    " presettle=6200 preoi=500000 limit=0.06 feetype=A fee=3 margintype=R margin=0.07"
    " listed=2023-09-15 expires=2024-09-13\n"
    "instrument id=TA409 exchange=CZCE product=TA type=F name=\"PTA 409\" tick=2 multiplier=5"
    " presettle=5800 preoi=900000 limit=0.06 feetype=A fee=3 margintype=R margin=0.07"
    " listed=2023-09-15 expires=2024-09-13\n"
    "instrument id=IF2409 exchange=CFFEX product=IF type=F name=\"CSI 300 2409\" tick=0.2 multiplier=300"
    " presettle=3500.0 preoi=120000 limit=0.10 feetype=R fee=0.000023 closetodayfee=0.00023"
    " margintype=R margin=0.12 listed=2024-07-22 expires=2024-09-20\n"
    "instrument id=T2409 exchange=CFFEX product=T type=F name=\"treasury 2409\" tick=0.005 multiplier=10000"
    " presettle=104.000 preoi=200000 limit=0.02 feetype=A fee=3 margintype=R margin=0.02"
    " listed=2023-12-11 expires=2024-09-13\n"
    "\n"
    "# Option buyers lock the whole premium (long margin 1.0); sellers post a margin.\n"
    "instrument id=cu2409C72000 exchange=SHFE product=cu_o type=O name=\"copper call 72000\" tick=2"
    " multiplier=5 presettle=1500 preoi=3000 limit=0.5 feetype=A fee=2 margintype=R longmargin=1.0"
    " shortmargin=0.5 underlying=cu2409 strike=72000 option=C listed=2023-09-18 expires=2024-08-26\n"
    "instrument id=m2409-C-3300 exchange=DCE product=m_o type=O name=\"soybean meal call 3300\" tick=0.5"
    " multiplier=10 presettle=120.0 preoi=50000 limit=0.5 feetype=A fee=0.6 margintype=R longmargin=1.0"
    " shortmargin=0.6 underlying=m2409 strike=3300 option=C listed=2023-09-15 expires=2024-08-07\n"
    "instrument id=IO2409-C-3500 exchange=CFFEX product=IO type=O name=\"CSI 300 call 3500\" tick=0.2"
    " multiplier=100 presettle=80.0 preoi=20000 limit=0.5 feetype=A fee=15 margintype=R longmargin=1.0"
    " shortmargin=0.6 underlying=IF2409 strike=3500 option=C listed=2024-07-22 expires=2024-09-20\n"
    "instrument id=IO2409-P-3500 exchange=CFFEX product=IO type=O name=\"CSI 300 put 3500\" tick=0.2"
    " multiplier=100 presettle=75.0 preoi=18000 limit=0.5 feetype=A fee=15 margintype=R longmargin=1.0"
    " shortmargin=0.6 underlying=IF2409 strike=3500 option=P listed=2024-07-22 expires=2024-09-20\n";
// clang-format on

namespace {

// Width limits of the wire fields the texts end up in.
constexpr size_t UserLength = 15;
constexpr size_t PasswordLength = 20;
constexpr size_t InvestorNameLength = 50;
constexpr size_t ExchangeIDLength = 16;
constexpr size_t ExchangeNameLength = 50;
constexpr size_t ProductIDLength = 10;
constexpr size_t ProductNameLength = 30;
constexpr size_t InstrumentIDLength = 15;
constexpr size_t InstrumentNameLength = 30;
constexpr size_t DateLength = 10;

std::string At(const ConfigLine& line, const std::string& what) {
    return "line " + std::to_string(line.Number) + ": " + what;
}

bool ReadAccount(const ConfigLine& line, AccountSpec& account, std::string& error) {
    CFieldReader r(line);
    r.Text("user", account.User, UserLength, true);
    r.Text("password", account.Password, PasswordLength, true);
    r.Text("name", account.Name, InvestorNameLength);
    r.Number("balance", account.Balance);
    if (!r.Finish(error)) return false;
    if (account.User.empty()) {
        error = At(line, "user is empty");
        return false;
    }
    if (!(account.Balance >= 0)) {
        error = At(line, "balance must not be negative");
        return false;
    }
    return true;
}

bool ReadInstrument(const ConfigLine& line, InstrumentSpec& s, std::string& error) {
    CFieldReader r(line);
    r.Text("id", s.ID, InstrumentIDLength, true);
    r.Text("exchange", s.Exchange, ExchangeIDLength, true);
    r.Text("product", s.Product, ProductIDLength, true);
    r.Text("name", s.Name, InstrumentNameLength);
    r.Code("type", s.Type, "FO", true);
    r.Number("tick", s.Tick, true);
    int64_t multiplier = 0;
    r.Integer("multiplier", multiplier, true);
    r.Number("presettle", s.PreSettle, true);
    s.PreClose = s.PreSettle;
    r.Number("preclose", s.PreClose);
    r.Integer("preoi", s.PreOpenInterest);
    r.Number("limit", s.LimitRatio);
    r.Code("feetype", s.FeeType, "RA");
    r.Number("fee", s.OpenFee);
    s.CloseFee = s.OpenFee;
    r.Number("closefee", s.CloseFee);
    s.CloseTodayFee = s.CloseFee;
    r.Number("closetodayfee", s.CloseTodayFee);
    r.Code("margintype", s.MarginType, "RA");
    double margin = 0;
    r.Number("margin", margin);
    s.LongMargin = s.ShortMargin = margin;
    r.Number("longmargin", s.LongMargin);
    r.Number("shortmargin", s.ShortMargin);
    int64_t maxQty = s.MaxOrderQty;
    r.Integer("maxqty", maxQty);
    r.Text("underlying", s.Underlying, InstrumentIDLength);
    r.Number("strike", s.Strike);
    r.Code("option", s.OptionType, "CP");
    r.Text("listed", s.ListDate, DateLength);
    r.Text("expires", s.ExpireDate, DateLength);
    if (!r.Finish(error)) return false;

    std::string problem;
    if (s.ID.empty())
        problem = "id is empty";
    else if (!(s.Tick > 0))
        problem = "tick must be positive";
    else if (multiplier <= 0 || multiplier > 1000000000)
        problem = "multiplier must be a positive integer";
    else if (!PriceToTicks(s.PreSettle, s.Tick, s.PreSettleTicks) || s.PreSettleTicks <= 0)
        problem = "presettle must be a positive price on the tick grid";
    else if (!(s.LimitRatio > 0 && s.LimitRatio < 1))
        problem = "limit must lie between 0 and 1";
    else if (maxQty <= 0 || maxQty > 1000000)
        problem = "maxqty must be a positive integer";
    else if (s.OpenFee < 0 || s.CloseFee < 0 || s.CloseTodayFee < 0)
        problem = "fees must not be negative";
    else if (s.LongMargin < 0 || s.ShortMargin < 0)
        problem = "margins must not be negative";
    else if (s.PreOpenInterest < 0)
        problem = "preoi must not be negative";
    else if (s.Type == 'O' && (s.Underlying.empty() || s.OptionType == 0 || !(s.Strike > 0)))
        problem = "an option needs underlying=, strike= and option=";
    if (!problem.empty()) {
        error = At(line, problem);
        return false;
    }
    s.Multiplier = static_cast<int32_t>(multiplier);
    s.MaxOrderQty = static_cast<int32_t>(maxQty);
    const double preSettle = static_cast<double>(s.PreSettleTicks);
    s.HighLimitTicks = static_cast<int64_t>(std::floor(preSettle * (1 + s.LimitRatio) + 1e-9));
    s.LowLimitTicks =
        std::max<int64_t>(1, static_cast<int64_t>(std::ceil(preSettle * (1 - s.LimitRatio) - 1e-9)));
    return true;
}

}  // namespace

bool LoadAccounts(std::string_view text, FrontSetup& setup, std::string& error) {
    std::vector<ConfigLine> lines;
    if (!ParseConfigText(text, lines, error)) return false;
    std::vector<AccountSpec> accounts;
    std::set<std::string> users;
    for (const ConfigLine& line : lines) {
        if (line.Kind != "account") {
            error = At(line, "expected 'account', got '" + line.Kind + "'");
            return false;
        }
        AccountSpec account;
        if (!ReadAccount(line, account, error)) return false;
        if (!users.insert(account.User).second) {
            error = At(line, "user " + account.User + " is defined twice");
            return false;
        }
        accounts.push_back(std::move(account));
    }
    if (accounts.empty()) {
        error = "no account defined";
        return false;
    }
    setup.Accounts = std::move(accounts);
    return true;
}

bool LoadReferenceData(std::string_view text, FrontSetup& setup, std::string& error) {
    std::vector<ConfigLine> lines;
    if (!ParseConfigText(text, lines, error)) return false;
    FrontSetup data;
    std::set<std::string> exchanges;
    std::set<std::string> products;
    std::set<std::string> instruments;
    for (const ConfigLine& line : lines) {
        if (line.Kind == "exchange") {
            ExchangeSpec e;
            CFieldReader r(line);
            r.Text("id", e.ID, ExchangeIDLength, true);
            r.Text("name", e.Name, ExchangeNameLength);
            if (!r.Finish(error)) return false;
            if (e.ID.empty() || !exchanges.insert(e.ID).second) {
                error = At(line, "exchange id is empty or defined twice");
                return false;
            }
            data.Exchanges.push_back(std::move(e));
        } else if (line.Kind == "product") {
            ProductSpec p;
            CFieldReader r(line);
            r.Text("exchange", p.Exchange, ExchangeIDLength, true);
            r.Text("id", p.ID, ProductIDLength, true);
            r.Text("name", p.Name, ProductNameLength);
            r.Code("type", p.Type, "FO", true);
            if (!r.Finish(error)) return false;
            if (exchanges.count(p.Exchange) == 0) {
                error = At(line, "unknown exchange " + p.Exchange);
                return false;
            }
            if (p.ID.empty() || !products.insert(p.Exchange + "." + p.ID).second) {
                error = At(line, "product id is empty or defined twice");
                return false;
            }
            data.Products.push_back(std::move(p));
        } else if (line.Kind == "instrument") {
            InstrumentSpec s;
            if (!ReadInstrument(line, s, error)) return false;
            if (products.count(s.Exchange + "." + s.Product) == 0) {
                error = At(line, "unknown product " + s.Product + " on exchange " + s.Exchange);
                return false;
            }
            if (!instruments.insert(s.ID).second) {
                error = At(line, "instrument " + s.ID + " is defined twice");
                return false;
            }
            data.Instruments.push_back(std::move(s));
        } else {
            error = At(line, "expected exchange, product or instrument, got '" + line.Kind + "'");
            return false;
        }
    }
    if (data.Instruments.empty()) {
        error = "no instrument defined";
        return false;
    }
    setup.Exchanges = std::move(data.Exchanges);
    setup.Products = std::move(data.Products);
    setup.Instruments = std::move(data.Instruments);
    return true;
}

FrontSetup DefaultSetup() {
    FrontSetup setup;
    std::string error;
    // The built-in texts are checked by the tests; a failure here would leave the setup empty.
    (void)LoadAccounts(DefaultAccountsText, setup, error);
    (void)LoadReferenceData(DefaultReferenceText, setup, error);
    return setup;
}

}  // namespace simfront
