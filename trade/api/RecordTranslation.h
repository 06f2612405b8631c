// Translation of the trading object's records: public requests into session records, and session
// replies and notifications into public records. Member-for-member copies come from MemberPairs.def;
// the functions here add the conversions (codes, dates, numbers, fixed members, stored codes). Pure
// functions over their arguments; any thread. Every text is read within its member's width: a caller's
// member without a NUL is cut at its width.
#pragma once

#include <cstdint>
#include <ctime>

#include "ZantuVextTraderApi.h"
#include "trade/session/TradeRecords.h"
#include "translate/TextCopy.h"

namespace tradeapi {

// What reply translations take from the trading object, copied once per callback: the codes of the
// last login request and the trading day of the last successful login.
struct ReplyContext {
    char BrokerCode[11];
    char UserCode[16];
    char TradingDay[9];
};

// CopyPairs(target, source): the member pairs of MemberPairs.def; other members are left as they are.
#define KDX_PAIRS(Target, Source) void CopyPairs(Target& target, const Source& source);
#define KDX_PAIR(targetMember, sourceMember)
#define KDX_END_PAIRS()
#include "trade/api/MemberPairs.def"
#undef KDX_PAIRS
#undef KDX_PAIR
#undef KDX_END_PAIRS

// ---- Requests (the target is zero-filled first)

// Order entry: codes translated, SessionID of the given login, condition 'P' / '5' / 0.0.
void ToSession(trade::InputOrder& target, const CZantuVextInputOrder& order, int64_t sessionId);
// Cancellation: SessionID from the request's own front and session numbers.
void ToSession(trade::OrderCancelReq& target, const CZantuVextOrderAction& action);

// A query: the stored user code as InvestorID where the session record has one, then the member pairs.
template <typename SessionQuery, typename PublicQuery>
void ToSessionQuery(SessionQuery& target, const PublicQuery& query, const char (&userCode)[16]) {
    target = SessionQuery{};
    if constexpr (requires { target.InvestorID; }) translate::CopyText(target.InvestorID, userCode);
    CopyPairs(target, query);
}

// ---- Replies and notifications (the target is zero-filled first)

void ToPublic(CZantuVextLoginReply& target, const trade::LoginRsp& login, const ReplyContext& context,
              const std::tm& now);
void ToPublic(CZantuVextInputOrder& target, const trade::InputOrder& order, const ReplyContext& context);
void ToPublic(CZantuVextOrderAction& target, const trade::OrderCancelRsp& cancel, const ReplyContext& context,
              int requestId);
void ToPublic(CZantuVextOrder& target, const trade::Order& order, const ReplyContext& context);
void ToPublic(CZantuVextTrade& target, const trade::Trade& fill, const ReplyContext& context);
void ToPublic(CZantuVextPosition& target, const trade::Posi& position, const ReplyContext& context);
void ToPublic(CZantuVextAccount& target, const trade::Fund& fund, const ReplyContext& context);
void ToPublic(CZantuVextPositionDetail& target, const trade::PosiDetail& detail, const ReplyContext& context);
void ToPublic(CZantuVextInstrument& target, const trade::Instrument& instrument, const ReplyContext& context);
void ToPublic(CZantuVextProduct& target, const trade::Product& product, const ReplyContext& context);
void ToPublic(CZantuVextExchange& target, const trade::Exchange& exchange, const ReplyContext& context);
void ToPublic(CZantuVextFeeRate& target, const trade::InvestorFeeRate& rate, const ReplyContext& context);
void ToPublic(CZantuVextMarginRate& target, const trade::InvestorMarginRate& rate,
              const ReplyContext& context);
void ToPublic(CZantuVextExchangeMarginRate& target, const trade::ExchangeMarginRate& rate,
              const ReplyContext& context);
void ToPublic(CZantuVextMarketSnapshot& target, const trade::Quot& quote, const ReplyContext& context);

// ---- Locally answered replies (the target is zero-filled first)

void BuildIdentityReply(CZantuVextIdentityReply& target, const CZantuVextIdentityRequest& request);
// The caller's confirmation with the stored codes, its ConfirmTag (12 characters) and the date and
// time of `now`; the passed-through bytes and ConfirmNumber keep the caller's values.
void BuildConfirmation(CZantuVextConfirmation& target, const CZantuVextConfirmation& request,
                       const ReplyContext& context, const std::tm& now);
// Only the stored codes and the date and time of `now`.
void BuildConfirmationQuery(CZantuVextConfirmation& target, const ReplyContext& context, const std::tm& now);
void BuildInvestor(CZantuVextInvestor& target, const ReplyContext& context);
void BuildAccountProfile(CZantuVextAccountProfile& target, const ReplyContext& context);

}  // namespace tradeapi
