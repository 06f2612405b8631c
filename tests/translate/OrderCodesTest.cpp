// Order and trade code characters in both directions, order states and their GBK texts.
#include "translate/OrderCodes.h"

#include <iconv.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

using namespace translate;

TEST(OrderCodes, SingleCharacterCodesInBothDirections) {
    struct Case {
        const char* name;
        char (*translate)(char);
        char code;
        char expected;
    };
    const Case cases[] = {
        {"PriceKind market", ToPriceType, '1', 'M'},
        {"PriceKind limit", ToPriceType, '2', 'L'},
        {"PriceKind other", ToPriceType, '9', 'L'},
        {"Side buy", ToBSFlag, '0', 'B'},
        {"Side sell", ToBSFlag, '1', 'S'},
        {"Side other", ToBSFlag, 'x', 'S'},
        {"PriceType M", ToPriceKind, 'M', '1'},
        {"PriceType L", ToPriceKind, 'L', '2'},
        {"PriceType none", ToPriceKind, '\0', '2'},
        {"BSFlag B", ToSide, 'B', '0'},
        {"BSFlag S", ToSide, 'S', '1'},
        {"BSFlag none", ToSide, '\0', '1'},
        {"OCFlag T", ToOpenClose, 'T', '3'},
        {"OCFlag C", ToOpenClose, 'C', '1'},
        {"OCFlag O", ToOpenClose, 'O', '0'},
        {"OCFlag none", ToOpenClose, '\0', '0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.translate(c.code), c.expected);
    }
}

TEST(OrderCodes, CloseTodayOnlyOnTheExchangesThatKnowIt) {
    struct Case {
        char openClose;
        const char* exchange;
        char ocFlag;
    };
    const Case cases[] = {
        {'0', "SHFE", 'O'}, {'0', "", 'O'},    {'3', "SHFE", 'T'},  {'3', "INE", 'T'},
        {'3', "shfe", 'C'}, {'3', "DCE", 'C'}, {'3', "SHFE2", 'C'}, {'3', "", 'C'},
        {'1', "SHFE", 'C'}, {'2', "INE", 'C'}, {'4', "DCE", 'C'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.openClose) + " " + c.exchange);
        char exchangeCode[9] = {};
        std::strncpy(exchangeCode, c.exchange, sizeof exchangeCode - 1);
        EXPECT_EQ(ToOCFlag(c.openClose, exchangeCode, sizeof exchangeCode), c.ocFlag);
    }
    const char unterminated[4] = {'S', 'H', 'F', 'E'};
    EXPECT_EQ(ToOCFlag('3', unterminated, sizeof unterminated), 'T');
}

TEST(OrderCodes, OrderStateFromStatusAndQuantities) {
    EXPECT_EQ(ToOrderState('I', 10, 10), '3');
    EXPECT_EQ(ToOrderState('I', 10, 4), '1');
    EXPECT_EQ(ToOrderState('F', 10, 0), '0');
    EXPECT_EQ(ToOrderState('C', 10, 10), '5');
    EXPECT_EQ(ToOrderState('X', 10, 10), 'a');
    EXPECT_EQ(ToOrderState('\0', 0, 0), 'a');
}

namespace {

// UTF-8 text converted to GBK by the C library, independently of the byte escapes in our table.
std::string Gbk(const char* utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    char out[64] = {};
    char* in = const_cast<char*>(utf8);
    size_t inLeft = std::strlen(utf8);
    char* outPtr = out;
    size_t outLeft = sizeof out - 1;
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return rc == static_cast<size_t>(-1) ? std::string() : std::string(out);
}

}  // namespace

TEST(OrderCodes, StateTextsAreTheGbkTexts) {
    if (Gbk("\xE5\x85\xA8").empty()) GTEST_SKIP() << "no GBK converter in the C library";
    EXPECT_EQ(OrderStateText('0'), Gbk("全部成交"));
    EXPECT_EQ(OrderStateText('5'), Gbk("已撤消"));
    EXPECT_EQ(OrderStateText('a'), Gbk("已受理"));
    EXPECT_EQ(OrderStateText('3'), Gbk("已报入"));
    EXPECT_EQ(OrderStateText('1'), Gbk("部分成交"));
    EXPECT_STREQ(OrderStateText('x'), "");
    EXPECT_STREQ(OrderStateText('\0'), "");
}
