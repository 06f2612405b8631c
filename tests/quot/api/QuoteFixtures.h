// Payloads of the quote services laid out from the wire rules with the tags written out, never through
// the codec: the requests the facade sends (116, 118, 7, 9), pushed quotes (125), login (117), logout
// (119) and subscribe (8, 10) replies. Shared by the facade's tests and the seeds of its fuzzer.
#pragma once

#include <cstdint>
#include <string>

#include "ZantuVextMdApi.h"
#include "tests/support/Elements.h"

namespace quotefix {

// Tags of the fields the tests set one by one.
namespace tag {
constexpr uint16_t RspInfo = 1025, RspNo = 1026, RspDesc = 1027;
constexpr uint16_t LoginRsp = 1033, LogoutRsp = 1038, InvestorID = 1034, SysName = 1518, SessionID = 1638;
constexpr uint16_t QuotSubscribeRsp = 1018, QuotUnSubscribeRsp = 1020;
constexpr uint16_t Quot = 1141, TradeDate = 1081, InstrumentID = 1046, OI = 1088, QtyTotal = 1087;
constexpr uint16_t ModifyDate = 1062, BidPrice6 = 1640, AskQty5 = 1637, ExchangeID = 1637;
}  // namespace tag

Bytes TextField(uint16_t tag, const std::string& text);
Bytes IntField(uint16_t tag, int32_t value);
Bytes LongField(uint16_t tag, int64_t value);
Bytes DoubleField(uint16_t tag, double value);
Bytes RspInfoElement(int16_t rspNo, const std::string& text);

// Requests as the library writes them: every member of the record, empty ones included, EndFlag 0.
// Login 116: LoginReq (InvestorID, InvestorPassword, empty IP, ProductType NUL, ProductVersion 0).
Bytes LoginRequest(int32_t requestId, const std::string& investorId, const std::string& password);
// Logout 118: LogoutReq (InvestorID).
Bytes LogoutRequest(int32_t requestId, const std::string& investorId);
// Subscribe 7 or unsubscribe 9, request id 0: QuotSubscribeReq or QuotUnSubscribeReq (empty InvestorID,
// InstrumentID).
Bytes SubscribeRequest(uint16_t serviceNo, const std::string& instrument);

// Pushed quote: ServiceNo 125 whose body is one Quot element holding the fields.
Bytes PushedQuote(const Bytes& quotFields);
// Every Quot field in binding order, ten levels, BSFlag and an ExchangeID of 11 characters after
// AskQty5 (both tag 1637). ExpectFullQuoteSnapshot checks what the user receives for it.
Bytes FullQuoteFields();
void ExpectFullQuoteSnapshot(const CZantuVextMarketSnapshot& s);

// Login reply 117: LoginRsp (TradeDate, SysName, SessionID), then RspInfo.
Bytes LoginReply(int32_t requestId, const std::string& tradeDate, int16_t rspNo, int64_t sessionId = 0);
// Logout reply 119: LogoutRsp, then RspInfo.
Bytes LogoutReply(int32_t requestId, const std::string& investorId);
// Subscribe reply 8 (or unsubscribe reply 10): the instrument record, with or without RspInfo.
Bytes SubscribeReply(uint16_t serviceNo, int32_t requestId, const std::string& instrument, bool withRspInfo);

}  // namespace quotefix
