// The configuration files of the front: the built-in set loads, limits land on the grid, and bad
// lines are refused with their line number and reason.
#include "tools/simfront/FrontSetup.h"

#include <gtest/gtest.h>

#include "tools/simfront/PriceGrid.h"

namespace simfront {
namespace {

const InstrumentSpec& Named(const FrontSetup& setup, const std::string& id) {
    for (const InstrumentSpec& s : setup.Instruments) {
        if (s.ID == id) return s;
    }
    throw std::out_of_range(id);
}

TEST(FrontSetup, BuiltInSetCoversFiveExchangesWithLimitsOnTheGrid) {
    const FrontSetup setup = DefaultSetup();
    ASSERT_EQ(setup.Accounts.size(), 2u);
    EXPECT_EQ(setup.Accounts[0].User, "10001");
    EXPECT_EQ(setup.Accounts[0].Password, "123456");
    EXPECT_EQ(setup.Exchanges.size(), 5u);
    const InstrumentSpec& cu = Named(setup, "cu2409");
    EXPECT_EQ(cu.PreSettleTicks, 7200);
    EXPECT_EQ(cu.HighLimitTicks, 7704);  // 72000 + 7 %
    EXPECT_EQ(cu.LowLimitTicks, 6696);
    const InstrumentSpec& au = Named(setup, "au2410");
    EXPECT_EQ(au.PreSettleTicks, 28000);
    EXPECT_DOUBLE_EQ(TicksToPrice(au.HighLimitTicks, au.Tick), 604.8);
    EXPECT_EQ(Named(setup, "IO2409-P-3500").OptionType, 'P');
    for (const InstrumentSpec& s : setup.Instruments) {
        SCOPED_TRACE(s.ID);
        EXPECT_LT(s.LowLimitTicks, s.PreSettleTicks);
        EXPECT_GT(s.HighLimitTicks, s.PreSettleTicks);
    }
}

TEST(FrontSetup, PricesOffTheGridAreTold) {
    int64_t ticks = 0;
    EXPECT_TRUE(PriceToTicks(560.02, 0.02, ticks));
    EXPECT_EQ(ticks, 28001);
    EXPECT_FALSE(PriceToTicks(560.01, 0.02, ticks));
    EXPECT_FALSE(PriceToTicks(1e300, 0.02, ticks));
    EXPECT_FALSE(PriceToTicks(std::numeric_limits<double>::quiet_NaN(), 1, ticks));
}

TEST(FrontSetup, BadLinesAreRefusedWithLineAndReason) {
    const std::string head =
        "exchange id=SHFE\n"
        "product exchange=SHFE id=cu type=F\n";
    const std::string cu = "instrument id=cu1 exchange=SHFE product=cu type=F tick=10 multiplier=5";
    struct Case {
        const char* Name;
        std::string Text;
        const char* Error;
    } cases[] = {
        {"unknown product",
         head + "instrument id=x exchange=SHFE product=zz type=F tick=1 multiplier=1 presettle=1",
         "line 3: unknown product zz"},
        {"zero tick",
         head + "instrument id=x exchange=SHFE product=cu type=F tick=0 multiplier=1 presettle=1",
         "tick must be positive"},
        {"price off the grid", head + cu + " presettle=72005",
         "presettle must be a positive price on the tick grid"},
        {"unknown key", head + cu + " presettle=72000 colour=red", "unknown key 'colour'"},
        {"missing key", head + "instrument id=x exchange=SHFE product=cu type=F tick=1 presettle=1",
         "needs multiplier="},
        {"unterminated quote", "exchange id=SHFE name=\"Shanghai\n", "line 1: unterminated quote"},
        {"option without strike",
         head + "instrument id=o exchange=SHFE product=cu type=O tick=1 multiplier=5 presettle=9 "
                "underlying=cu1 option=C",
         "an option needs"},
        {"key twice", head + cu + " presettle=72000 tick=5", "line 3: tick is given twice"},
        {"wrong kind", head + "future id=x", "line 3: expected exchange, product or instrument"},
        {"bad code", head + cu + " presettle=72000 feetype=X", "feetype must be one of RA"},
        {"nothing", "# empty\n", "no instrument defined"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        FrontSetup setup = DefaultSetup();
        std::string error;
        EXPECT_FALSE(LoadReferenceData(c.Text, setup, error));
        EXPECT_NE(error.find(c.Error), std::string::npos) << error;
        EXPECT_EQ(setup.Instruments.size(), DefaultSetup().Instruments.size())
            << "a failed load changes nothing";
    }
}

TEST(FrontSetup, AccountsFileReplacesTheAccounts) {
    FrontSetup setup = DefaultSetup();
    std::string error;
    ASSERT_TRUE(LoadAccounts("account user=7 password=x name=\"Seven Seas\" balance=5\n", setup, error))
        << error;
    ASSERT_EQ(setup.Accounts.size(), 1u);
    EXPECT_EQ(setup.Accounts[0].Name, "Seven Seas");
    EXPECT_EQ(setup.Accounts[0].Balance, 5);

    const struct {
        const char* Text;
        const char* Error;
    } bad[] = {
        {"account user=7 password=x\naccount user=7 password=y\n", "line 2: user 7 is defined twice"},
        {"account user=7\n", "needs password="},
        {"account user=1234567890123456 password=x\n", "user is longer than 15"},
        {"account user=7 password=x balance=-1\n", "balance must not be negative"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.Text);
        EXPECT_FALSE(LoadAccounts(c.Text, setup, error));
        EXPECT_NE(error.find(c.Error), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace simfront
