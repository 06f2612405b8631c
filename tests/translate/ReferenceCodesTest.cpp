// Codes of positions and reference data, rate splits and delivery periods, as tables of cases.
#include "translate/ReferenceCodes.h"

#include <string>

#include <gtest/gtest.h>

using namespace translate;

TEST(ReferenceCodes, SingleCharacterCodes) {
    struct Case {
        const char* name;
        char (*translate)(char);
        char code;
        char expected;
    };
    const Case cases[] = {
        {"side long", ToPositionSide, 'B', '2'},  {"side short", ToPositionSide, 'S', '3'},
        {"side none", ToPositionSide, '\0', '3'}, {"day today", ToPositionDay, '1', '1'},
        {"day earlier", ToPositionDay, '2', '2'}, {"day none", ToPositionDay, '\0', '2'},
        {"detail buy", ToDetailSide, 'B', '0'},   {"detail sell", ToDetailSide, 'S', '1'},
        {"option call", ToOptionKind, 'C', '1'},  {"option put", ToOptionKind, 'P', '2'},
        {"option none", ToOptionKind, '\0', '2'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.translate(c.code), c.expected);
    }
}

TEST(ReferenceCodes, ProductClassesOfInstrumentsAndProductsDiffer) {
    struct Case {
        char instrumentType;
        char instrumentClass;
        char productClass;
    };
    const Case cases[] = {
        {'F', '1', '1'}, {'O', '2', '2'},  {'B', 'B', '4'},   {'D', 'D', '4'},
        {'E', 'E', '4'}, {'S', '4', '\0'}, {'X', '\0', '\0'}, {'\0', '\0', '\0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.instrumentType));
        EXPECT_EQ(InstrumentProductClass(c.instrumentType), c.instrumentClass);
        EXPECT_EQ(ProductProductClass(c.instrumentType), c.productClass);
    }
}

TEST(ReferenceCodes, ProductQueryClasses) {
    struct Case {
        char productClass;
        bool refused;
        char instrumentType;
    };
    const Case cases[] = {
        {'1', false, 'F'}, {'2', false, 'O'},  {'3', true, '\0'},  {'4', true, '\0'},   {'5', true, '\0'},
        {'6', true, '\0'}, {'7', false, '\0'}, {'0', false, '\0'}, {'\0', false, '\0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.productClass));
        const ProductQueryType type = ToProductQueryType(c.productClass);
        EXPECT_EQ(type.Refused, c.refused);
        EXPECT_EQ(type.InstrumentType, c.instrumentType);
    }
}

TEST(ReferenceCodes, RatesGoToTheirRatioOrAmountMember) {
    struct Case {
        const char* name;
        RateSplit (*split)(char, double);
        char type;
        double ratio;
        double amount;
    };
    const Case cases[] = {
        {"margin R", SplitByMarginRateType, 'R', 0.12, 0.0},
        {"margin A", SplitByMarginRateType, 'A', 0.0, 0.12},
        {"margin other", SplitByMarginRateType, 'X', 0.0, 0.0},
        {"margin none", SplitByMarginRateType, '\0', 0.0, 0.0},
        {"rate R", SplitRatioElseAmount, 'R', 0.12, 0.0},
        {"rate A", SplitRatioElseAmount, 'A', 0.0, 0.12},
        {"rate other", SplitRatioElseAmount, '\0', 0.0, 0.12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RateSplit split = c.split(c.type, 0.12);
        EXPECT_EQ(split.Ratio, c.ratio);
        EXPECT_EQ(split.Amount, c.amount);
    }
}

TEST(ReferenceCodes, DeliveryPeriodFromTheDecimalDate) {
    struct Case {
        const char* date;
        int32_t year;
        int32_t month;
    };
    const Case cases[] = {
        {"20240916", 2024, 9}, {"", 0, 0}, {"202412", 20, 24}, {"2024-09", 0, 20}, {"abc", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        char member[9] = {};
        std::string(c.date).copy(member, 8);
        const DeliveryPeriod period = ToDeliveryPeriod(member);
        EXPECT_EQ(period.Year, c.year);
        EXPECT_EQ(period.Month, c.month);
    }
    const char unterminated[8] = {'2', '0', '2', '5', '0', '1', '3', '1'};
    EXPECT_EQ(ToDeliveryPeriod(unterminated).Month, 1);
}
