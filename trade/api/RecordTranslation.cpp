#include "trade/api/RecordTranslation.h"

#include <cstring>
#include <limits>
#include <type_traits>

#include "translate/DateText.h"
#include "translate/Numbers.h"
#include "translate/OrderCodes.h"
#include "translate/ReferenceCodes.h"

namespace tradeapi {

using translate::CopyText;
using translate::ToPublicDate;

namespace {

template <size_t TargetWidth, size_t SourceWidth>
void CopyMember(char (&target)[TargetWidth], const char (&source)[SourceWidth]) {
    CopyText(target, source);
}

// Numbers and code characters keep their type: a pair of different types does not compile.
template <typename T>
requires std::is_arithmetic_v<T>
void CopyMember(T& target, const T& source) {
    target = source;
}

// Qty - QtyLeft as the server's numbers stand, wrapping instead of overflowing.
int32_t FilledQuantity(int32_t qty, int32_t qtyLeft) {
    return static_cast<int32_t>(static_cast<uint32_t>(qty) - static_cast<uint32_t>(qtyLeft));
}

void SetStateText(char (&target)[81], const char (&description)[31], char orderState) {
    if (translate::TextLength(description, sizeof description) > 0) {
        CopyText(target, description);
    } else {
        const char* text = translate::OrderStateText(orderState);
        CopyText(target, sizeof target, text, std::strlen(text));
    }
}

// The members up to byte 136 that CZantuVextInputOrder and CZantuVextOrder share, other than the
// pairs and the time and volume rules.
template <typename PublicOrder, typename SessionOrder>
void SetOrderHead(PublicOrder& target, const SessionOrder& order, const ReplyContext& context) {
    CopyText(target.BrokerCode, context.BrokerCode);
    target.PriceKind = translate::ToPriceKind(order.PriceType);
    target.Side = translate::ToSide(order.BSFlag);
    target.OpenClose[0] = translate::ToOpenClose(order.OCFlag);
    target.Fixed91 = '1';
    CopyText(target.TradingDayCopy, context.TradingDay);
    target.Fixed120 = 1;
    target.Fixed124 = '1';
    target.Fixed136 = '0';
}

void PlaceRate(double& ratio, double& amount, translate::RateSplit split) {
    ratio = split.Ratio;
    amount = split.Amount;
}

}  // namespace

#define KDX_PAIRS(Target, Source) void CopyPairs(Target& target, const Source& source) {
#define KDX_PAIR(targetMember, sourceMember) CopyMember(target.targetMember, source.sourceMember);
#define KDX_END_PAIRS() }
#include "trade/api/MemberPairs.def"
#undef KDX_PAIRS
#undef KDX_PAIR
#undef KDX_END_PAIRS

// ---- Requests

void ToSession(trade::InputOrder& target, const CZantuVextInputOrder& order, int64_t sessionId) {
    target = trade::InputOrder{};
    CopyPairs(target, order);
    target.PriceType = translate::ToPriceType(order.PriceKind);
    target.BSFlag = translate::ToBSFlag(order.Side);
    target.OCFlag = translate::ToOCFlag(order.OpenClose[0], order.ExchangeCode, sizeof order.ExchangeCode);
    target.SessionID = sessionId;
    target.ConditionType = 'P';
    target.ConditionMethod = '5';
    target.ConditionPrice = 0.0;
}

void ToSession(trade::OrderCancelReq& target, const CZantuVextOrderAction& action) {
    target = trade::OrderCancelReq{};
    CopyPairs(target, action);
    target.SessionID = translate::ToSessionId(action.FrontNumber, action.SessionNumber);
}

// ---- Replies and notifications

void ToPublic(CZantuVextLoginReply& target, const trade::LoginRsp& login, const ReplyContext& context,
              const std::tm& now) {
    target = CZantuVextLoginReply{};
    ToPublicDate(target.TradingDate, login.TradeDate);
    translate::FormatTime(target.LoginClock, now);
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.UserCode, context.UserCode);
    CopyText(target.ServerName, login.SysName);
    target.FrontNumber = translate::FrontNumberOf(login.SessionID);
    target.SessionNumber = translate::SessionNumberOf(login.SessionID);
    CopyText(target.OrderRefSeed, "1");
    for (char* clock : {target.ExchangeClock1, target.ExchangeClock2, target.ExchangeClock3,
                        target.ExchangeClock4, target.ExchangeClock5})
        CopyText(clock, sizeof target.ExchangeClock1, target.LoginClock, sizeof target.LoginClock);
}

void ToPublic(CZantuVextInputOrder& target, const trade::InputOrder& order, const ReplyContext& context) {
    target = CZantuVextInputOrder{};
    CopyPairs(target, order);
    SetOrderHead(target, order, context);
    // The echoed order states the time rule of its price kind, not the one sent.
    target.TimeRule = order.PriceType == 'M' ? '1' : '3';
    target.VolumeRule = '1';
}

void ToPublic(CZantuVextOrderAction& target, const trade::OrderCancelRsp& cancel, const ReplyContext& context,
              int requestId) {
    target = CZantuVextOrderAction{};
    CopyPairs(target, cancel);
    CopyText(target.BrokerCode, context.BrokerCode);
    target.RequestId = requestId;
    target.FrontNumber = translate::FrontNumberOf(cancel.SessionID);
    target.SessionNumber = translate::SessionNumberOf(cancel.SessionID);
    target.ActionCode = '0';
}

void ToPublic(CZantuVextOrder& target, const trade::Order& order, const ReplyContext& context) {
    target = CZantuVextOrder{};
    CopyPairs(target, order);
    SetOrderHead(target, order, context);
    CopyText(target.TradingDay, context.TradingDay);
    target.OrderState = translate::ToOrderState(order.OrderStatus, order.Qty, order.QtyLeft);
    target.FilledQuantity = FilledQuantity(order.Qty, order.QtyLeft);
    ToPublicDate(target.EntryDate, order.OrderDate);
    target.FrontNumber = translate::FrontNumberOf(order.SessionID);
    target.SessionNumber = translate::SessionNumberOf(order.SessionID);
    SetStateText(target.StateText, order.OrderStatusDesc, target.OrderState);
    target.OrderNumber = translate::LeadingDecimal(order.OrderID);
}

void ToPublic(CZantuVextTrade& target, const trade::Trade& fill, const ReplyContext& context) {
    target = CZantuVextTrade{};
    CopyPairs(target, fill);
    CopyText(target.BrokerCode, context.BrokerCode);
    target.Side = translate::ToSide(fill.BSFlag);
    target.OpenClose = translate::ToOpenClose(fill.OCFlag);
    target.Fixed191 = '1';
    ToPublicDate(target.FillDate, fill.MatchDate);
    target.Fixed222 = '0';
    CopyText(target.TradingDay, context.TradingDay);
    target.OrderNumber = translate::LeadingDecimal(fill.OrderID);
}

void ToPublic(CZantuVextPosition& target, const trade::Posi& position, const ReplyContext& context) {
    target = CZantuVextPosition{};
    CopyPairs(target, position);
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.InvestorCode, context.UserCode);
    target.PositionSide = translate::ToPositionSide(position.BSFlag);
    target.Fixed56 = '1';
    target.PositionDay = translate::ToPositionDay(position.PositionDate);
    CopyText(target.TradingDay, context.TradingDay);
    PlaceRate(target.RatioMarginRate, target.AmountMarginRate,
              translate::SplitByMarginRateType(position.MarginRateType, position.MarginRate));
}

void ToPublic(CZantuVextAccount& target, const trade::Fund& fund, const ReplyContext& context) {
    target = CZantuVextAccount{};
    CopyPairs(target, fund);
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.InvestorCode, context.UserCode);
    CopyText(target.TradingDay, context.TradingDay);
    CopyText(target.CurrencyCode, "CNY");
}

void ToPublic(CZantuVextPositionDetail& target, const trade::PosiDetail& detail,
              const ReplyContext& context) {
    target = CZantuVextPositionDetail{};
    CopyPairs(target, detail);
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.InvestorCode, context.UserCode);
    target.Fixed55 = '1';
    target.Side = translate::ToDetailSide(detail.BSFlag);
    ToPublicDate(target.OpenDate, detail.CreateTradeDate);
    CopyText(target.TradingDay, context.TradingDay);
    target.Fixed120 = '0';
    PlaceRate(target.RatioMarginRate, target.AmountMarginRate,
              translate::SplitByMarginRateType(detail.MarginRateType, detail.MarginRate));
}

void ToPublic(CZantuVextInstrument& target, const trade::Instrument& instrument, const ReplyContext&) {
    target = CZantuVextInstrument{};
    CopyPairs(target, instrument);
    target.ProductClass = translate::InstrumentProductClass(instrument.InstrumentType);
    // An empty server date stays empty.
    ToPublicDate(target.OpenDate, instrument.OpenDate);
    CopyText(target.CreateDate, target.OpenDate);
    ToPublicDate(target.ExpireDate, instrument.ExpiredDate);
    CopyText(target.DeliveryStart, target.ExpireDate);
    CopyText(target.DeliveryEnd, target.ExpireDate);
    const translate::DeliveryPeriod delivery = translate::ToDeliveryPeriod(target.DeliveryStart);
    target.DeliveryYear = delivery.Year;
    target.DeliveryMonth = delivery.Month;
    target.Fixed132 = std::numeric_limits<int32_t>::max();
    target.Fixed136 = 1;
    target.Fixed140 = std::numeric_limits<int32_t>::max();
    target.Fixed144 = 1;
    target.Fixed205 = '1';
    target.Fixed208 = 1;
    target.Fixed212 = '2';
    target.Fixed213 = '1';
    target.Fixed232 = '0';
    target.OptionKind = translate::ToOptionKind(instrument.OptionsType);
    target.Fixed288 = '0';
}

void ToPublic(CZantuVextProduct& target, const trade::Product& product, const ReplyContext&) {
    target = CZantuVextProduct{};
    CopyPairs(target, product);
    target.ProductClass = translate::ProductProductClass(product.InstrumentType);
}

void ToPublic(CZantuVextExchange& target, const trade::Exchange& exchange, const ReplyContext&) {
    target = CZantuVextExchange{};
    CopyPairs(target, exchange);
    target.Fixed70 = '0';
}

void ToPublic(CZantuVextFeeRate& target, const trade::InvestorFeeRate& rate, const ReplyContext& context) {
    target = CZantuVextFeeRate{};
    CopyPairs(target, rate);
    target.Fixed31 = '1';
    CopyText(target.BrokerCode, context.BrokerCode);
    PlaceRate(target.OpenFeeRatio, target.OpenFeeAmount,
              translate::SplitRatioElseAmount(rate.FeeType, rate.FeeRate));
    PlaceRate(target.CloseFeeRatio, target.CloseFeeAmount,
              translate::SplitRatioElseAmount(rate.FeeType, rate.CloseFeeRate));
    PlaceRate(target.CloseTodayFeeRatio, target.CloseTodayFeeAmount,
              translate::SplitRatioElseAmount(rate.FeeType, rate.CloseTodayFeeRate));
}

void ToPublic(CZantuVextMarginRate& target, const trade::InvestorMarginRate& rate,
              const ReplyContext& context) {
    target = CZantuVextMarginRate{};
    CopyPairs(target, rate);
    target.Fixed31 = '1';
    CopyText(target.BrokerCode, context.BrokerCode);
    target.Fixed56 = '1';
    PlaceRate(target.LongMarginRatio, target.LongMarginAmount,
              translate::SplitRatioElseAmount(rate.MarginRateType, rate.LongMarginRate));
    PlaceRate(target.ShortMarginRatio, target.ShortMarginAmount,
              translate::SplitRatioElseAmount(rate.MarginRateType, rate.ShortMarginRate));
}

void ToPublic(CZantuVextExchangeMarginRate& target, const trade::ExchangeMarginRate& rate,
              const ReplyContext&) {
    target = CZantuVextExchangeMarginRate{};
    CopyPairs(target, rate);
    target.Fixed42 = '1';
    PlaceRate(target.LongMarginRatio, target.LongMarginAmount,
              translate::SplitRatioElseAmount(rate.MarginRateType, rate.LongMarginRate));
    PlaceRate(target.ShortMarginRatio, target.ShortMarginAmount,
              translate::SplitRatioElseAmount(rate.MarginRateType, rate.ShortMarginRate));
}

void ToPublic(CZantuVextMarketSnapshot& target, const trade::Quot& quote, const ReplyContext& context) {
    target = CZantuVextMarketSnapshot{};
    CopyPairs(target, quote);
    // The trading day of the login, not the quote's own date.
    CopyText(target.TradingDate, context.TradingDay);
    target.PriorOpenInterest = translate::CountToDouble(quote.PreOI);
    target.TotalVolume = translate::LowWord(quote.QtyTotal);
    target.CurrentOpenInterest = translate::CountToDouble(quote.OI);
    ToPublicDate(target.ChangeDate, quote.ModifyDate);
}

// ---- Locally answered replies

void BuildIdentityReply(CZantuVextIdentityReply& target, const CZantuVextIdentityRequest& request) {
    target = CZantuVextIdentityReply{};
    CopyText(target.BrokerCode, request.BrokerCode);
    CopyText(target.UserCode, request.UserCode);
    CopyText(target.ClientTag, request.ClientTag);
}

void BuildConfirmation(CZantuVextConfirmation& target, const CZantuVextConfirmation& request,
                       const ReplyContext& context, const std::tm& now) {
    target = request;
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.InvestorCode, context.UserCode);
    CopyText(target.ConfirmTag, request.ConfirmTag);
    translate::FormatDate(target.ConfirmDate, now);
    translate::FormatTime(target.ConfirmTime, now);
}

void BuildConfirmationQuery(CZantuVextConfirmation& target, const ReplyContext& context, const std::tm& now) {
    target = CZantuVextConfirmation{};
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.InvestorCode, context.UserCode);
    translate::FormatDate(target.ConfirmDate, now);
    translate::FormatTime(target.ConfirmTime, now);
}

void BuildInvestor(CZantuVextInvestor& target, const ReplyContext& context) {
    target = CZantuVextInvestor{};
    CopyText(target.InvestorCode, context.UserCode);
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.InvestorName, context.UserCode);
    target.StateFlag = 1;
}

void BuildAccountProfile(CZantuVextAccountProfile& target, const ReplyContext& context) {
    target = CZantuVextAccountProfile{};
    CopyText(target.BrokerCode, context.BrokerCode);
    CopyText(target.InvestorCode, context.UserCode);
    target.ProfileCode1 = '4';
    target.ProfileCode2 = '2';
    CopyText(target.CurrencyCode, "RMB");
    target.ProfileCode3 = '4';
}

}  // namespace tradeapi
