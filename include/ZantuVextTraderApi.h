// The trading library's public interface (ordergate): the exported CZantuVextTraderApi, the callback
// interface CZantuVextTraderSpi that the calling program implements, and the trading records. Plain
// C++11. The slot order of both classes and the layout of every record are a binary contract.
#ifndef ZANTU_VEXT_TRADER_API_H
#define ZANTU_VEXT_TRADER_API_H

#include "ZantuVextSharedRecords.h"

// ---- Records of the locally answered requests

// Identity echo request: the library copies its first 88 bytes.
struct CZantuVextIdentityRequest {
    char BrokerCode[11];
    char UserCode[16];
    char ClientTag[11];
    char Reserved38[50];
};
ZANTU_VEXT_SIZE(CZantuVextIdentityRequest, 88);
ZANTU_VEXT_AT(CZantuVextIdentityRequest, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextIdentityRequest, UserCode, 11);
ZANTU_VEXT_AT(CZantuVextIdentityRequest, ClientTag, 27);

// Identity echo reply: the request's BrokerCode (10 characters), UserCode (15) and ClientTag (10).
struct CZantuVextIdentityReply {
    char BrokerCode[11];
    char UserCode[16];
    char ClientTag[11];
    char Reserved38[34];
};
ZANTU_VEXT_SIZE(CZantuVextIdentityReply, 72);
ZANTU_VEXT_AT(CZantuVextIdentityReply, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextIdentityReply, UserCode, 11);
ZANTU_VEXT_AT(CZantuVextIdentityReply, ClientTag, 27);

// Reply of QueryZeroValue: Value is always 0.
struct CZantuVextZeroValue {
    int Value;
};
ZANTU_VEXT_SIZE(CZantuVextZeroValue, 4);
ZANTU_VEXT_AT(CZantuVextZeroValue, Value, 0);

// Settlement confirmation, request and reply. ConfirmDate is YYYYMMDD and ConfirmTime HH:MM:SS, both
// the local time of the reply; the reserved bytes and ConfirmNumber of a request come back unchanged.
struct CZantuVextConfirmation {
    char BrokerCode[11];
    char InvestorCode[13];
    char ConfirmDate[9];
    char ConfirmTime[9];
    char Reserved42[6];
    char ConfirmTag[13];
    char Reserved61[3];
    int ConfirmNumber;
};
ZANTU_VEXT_SIZE(CZantuVextConfirmation, 68);
ZANTU_VEXT_AT(CZantuVextConfirmation, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextConfirmation, InvestorCode, 11);
ZANTU_VEXT_AT(CZantuVextConfirmation, ConfirmDate, 24);
ZANTU_VEXT_AT(CZantuVextConfirmation, ConfirmTime, 33);
ZANTU_VEXT_AT(CZantuVextConfirmation, Reserved42, 42);
ZANTU_VEXT_AT(CZantuVextConfirmation, ConfirmTag, 48);
ZANTU_VEXT_AT(CZantuVextConfirmation, Reserved61, 61);
ZANTU_VEXT_AT(CZantuVextConfirmation, ConfirmNumber, 64);

// Investor reply: the logged-in user code as InvestorCode and InvestorName; StateFlag is 1.
struct CZantuVextInvestor {
    char InvestorCode[13];
    char BrokerCode[11];
    char Reserved24[13];
    char InvestorName[81];
    char Reserved118[54];
    int StateFlag;
    char Reserved176[220];
};
ZANTU_VEXT_SIZE(CZantuVextInvestor, 396);
ZANTU_VEXT_AT(CZantuVextInvestor, InvestorCode, 0);
ZANTU_VEXT_AT(CZantuVextInvestor, BrokerCode, 13);
ZANTU_VEXT_AT(CZantuVextInvestor, InvestorName, 37);
ZANTU_VEXT_AT(CZantuVextInvestor, StateFlag, 172);

// Account profile reply: ProfileCode1 '4', ProfileCode2 '2', CurrencyCode "RMB", ProfileCode3 '4'.
struct CZantuVextAccountProfile {
    char BrokerCode[11];
    char InvestorCode[13];
    char ProfileCode1;
    char ProfileCode2;
    char Reserved26[1];
    char CurrencyCode[4];
    char ProfileCode3;
    char Reserved32[13];
};
ZANTU_VEXT_SIZE(CZantuVextAccountProfile, 45);
ZANTU_VEXT_AT(CZantuVextAccountProfile, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextAccountProfile, InvestorCode, 11);
ZANTU_VEXT_AT(CZantuVextAccountProfile, ProfileCode1, 24);
ZANTU_VEXT_AT(CZantuVextAccountProfile, ProfileCode2, 25);
ZANTU_VEXT_AT(CZantuVextAccountProfile, CurrencyCode, 27);
ZANTU_VEXT_AT(CZantuVextAccountProfile, ProfileCode3, 31);

// ---- Password change

// Request: OldPassword and NewPassword are sent (first 20 characters each). Reply: the logged-in
// UserCode and the passwords of the latest request (first 40 characters each); BrokerCode empty.
struct CZantuVextPasswordChange {
    char BrokerCode[11];
    char UserCode[16];
    char OldPassword[41];
    char NewPassword[41];
};
ZANTU_VEXT_SIZE(CZantuVextPasswordChange, 109);
ZANTU_VEXT_AT(CZantuVextPasswordChange, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextPasswordChange, UserCode, 11);
ZANTU_VEXT_AT(CZantuVextPasswordChange, OldPassword, 27);
ZANTU_VEXT_AT(CZantuVextPasswordChange, NewPassword, 68);

// ---- Orders and trades
// Code characters: Side '0' buy, '1' sell; OpenClose '0' open, '1' close, '3' close today; PriceKind
// '1' market, '2' limit.

// Order entry request, and the echoed order of a rejection. A request's text members must be
// NUL-terminated inside their width; a member without a NUL is cut at its width.
struct CZantuVextInputOrder {
    char BrokerCode[11];
    char InvestorCode[13];
    char InstrumentCode[31];
    char OrderRef[13];
    char UserCode[16];
    char PriceKind;
    char Side;
    char OpenClose[5];  // the first character is the code
    char Fixed91;       // '1' in replies
    char Reserved92[4];
    double Price;
    int Quantity;
    char TimeRule;
    char TradingDayCopy[9];
    char VolumeRule;
    char Reserved119[1];
    int Fixed120;   // 1 in replies
    char Fixed124;  // '1' in replies
    char Reserved125[11];
    char Fixed136;  // '0' in replies
    char Reserved137[31];
    int RequestId;
    char Reserved172[8];
    char ExchangeCode[9];
    char UnitCode[17];
    char Reserved206[17];
    char ClientCode[11];
    char IpAddress[16];
    char MacAddress[21];
    char Reserved271[1];
};
ZANTU_VEXT_SIZE(CZantuVextInputOrder, 272);
ZANTU_VEXT_AT(CZantuVextInputOrder, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextInputOrder, InvestorCode, 11);
ZANTU_VEXT_AT(CZantuVextInputOrder, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextInputOrder, OrderRef, 55);
ZANTU_VEXT_AT(CZantuVextInputOrder, UserCode, 68);
ZANTU_VEXT_AT(CZantuVextInputOrder, PriceKind, 84);
ZANTU_VEXT_AT(CZantuVextInputOrder, Side, 85);
ZANTU_VEXT_AT(CZantuVextInputOrder, OpenClose, 86);
ZANTU_VEXT_AT(CZantuVextInputOrder, Fixed91, 91);
ZANTU_VEXT_AT(CZantuVextInputOrder, Price, 96);
ZANTU_VEXT_AT(CZantuVextInputOrder, Quantity, 104);
ZANTU_VEXT_AT(CZantuVextInputOrder, TimeRule, 108);
ZANTU_VEXT_AT(CZantuVextInputOrder, TradingDayCopy, 109);
ZANTU_VEXT_AT(CZantuVextInputOrder, VolumeRule, 118);
ZANTU_VEXT_AT(CZantuVextInputOrder, Fixed120, 120);
ZANTU_VEXT_AT(CZantuVextInputOrder, Fixed124, 124);
ZANTU_VEXT_AT(CZantuVextInputOrder, Fixed136, 136);
ZANTU_VEXT_AT(CZantuVextInputOrder, RequestId, 168);
ZANTU_VEXT_AT(CZantuVextInputOrder, ExchangeCode, 180);
ZANTU_VEXT_AT(CZantuVextInputOrder, UnitCode, 189);
ZANTU_VEXT_AT(CZantuVextInputOrder, ClientCode, 223);
ZANTU_VEXT_AT(CZantuVextInputOrder, IpAddress, 234);
ZANTU_VEXT_AT(CZantuVextInputOrder, MacAddress, 250);

// Order cancellation request, and the echoed cancellation of a rejection. FrontNumber and
// SessionNumber name the session that entered the order (from its order record).
struct CZantuVextOrderAction {
    char BrokerCode[11];
    char InvestorCode[13];
    char Reserved24[4];
    char OrderRef[13];
    char Reserved41[3];
    int RequestId;
    int FrontNumber;
    int SessionNumber;
    char ExchangeCode[9];
    char OrderSysCode[21];
    char ActionCode;  // '0' in replies
    char Reserved87[13];
    char UserCode[16];
    char InstrumentCode[31];
    char Reserved147[61];
};
ZANTU_VEXT_SIZE(CZantuVextOrderAction, 208);
ZANTU_VEXT_AT(CZantuVextOrderAction, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextOrderAction, InvestorCode, 11);
ZANTU_VEXT_AT(CZantuVextOrderAction, OrderRef, 28);
ZANTU_VEXT_AT(CZantuVextOrderAction, RequestId, 44);
ZANTU_VEXT_AT(CZantuVextOrderAction, FrontNumber, 48);
ZANTU_VEXT_AT(CZantuVextOrderAction, SessionNumber, 52);
ZANTU_VEXT_AT(CZantuVextOrderAction, ExchangeCode, 56);
ZANTU_VEXT_AT(CZantuVextOrderAction, OrderSysCode, 65);
ZANTU_VEXT_AT(CZantuVextOrderAction, ActionCode, 86);
ZANTU_VEXT_AT(CZantuVextOrderAction, UserCode, 100);
ZANTU_VEXT_AT(CZantuVextOrderAction, InstrumentCode, 116);

// An order as the server reports it. OrderState: '0' filled, '1' partly filled, '3' entered,
// '5' cancelled, 'a' accepted; StateText describes it (GBK). Dates YYYYMMDD, times HH:MM:SS.
struct CZantuVextOrder {
    char BrokerCode[11];
    char InvestorCode[13];
    char InstrumentCode[31];
    char OrderRef[13];
    char UserCode[16];
    char PriceKind;
    char Side;
    char OpenClose[5];  // the first character is the code
    char Fixed91;       // '1'
    char Reserved92[4];
    double Price;
    int Quantity;
    char TimeRule;
    char TradingDayCopy[9];
    char VolumeRule;
    char Reserved119[1];
    int Fixed120;   // 1
    char Fixed124;  // '1'
    char Reserved125[11];
    char Fixed136;  // '0'
    char Reserved137[31];
    int RequestId;
    char OrderCode[13];
    char ExchangeCode[9];
    char Reserved194[11];
    char ClientCode[11];
    char ExchangeInstrumentCode[31];
    char AccountCode[21];
    char Reserved268[4];
    char SubmitState;
    char Reserved273[7];
    char TradingDay[9];
    char Reserved289[7];
    char OrderSysCode[21];
    char Reserved317[1];
    char OrderState;
    char Reserved319[1];
    int FilledQuantity;
    int RemainingQuantity;
    char EntryDate[9];
    char EntryTime[9];
    char Reserved346[18];
    char ChangeTime[9];
    char Reserved373[47];
    int FrontNumber;
    int SessionNumber;
    char ProductInfo[11];
    char StateText[81];
    char Reserved520[20];
    int OrderNumber;
    char Reserved544[41];
    char UnitCode[17];
    char Reserved602[17];
    char IpAddress[16];
    char MacAddress[21];
};
ZANTU_VEXT_SIZE(CZantuVextOrder, 656);
ZANTU_VEXT_AT(CZantuVextOrder, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextOrder, InvestorCode, 11);
ZANTU_VEXT_AT(CZantuVextOrder, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextOrder, OrderRef, 55);
ZANTU_VEXT_AT(CZantuVextOrder, UserCode, 68);
ZANTU_VEXT_AT(CZantuVextOrder, PriceKind, 84);
ZANTU_VEXT_AT(CZantuVextOrder, Side, 85);
ZANTU_VEXT_AT(CZantuVextOrder, OpenClose, 86);
ZANTU_VEXT_AT(CZantuVextOrder, Fixed91, 91);
ZANTU_VEXT_AT(CZantuVextOrder, Price, 96);
ZANTU_VEXT_AT(CZantuVextOrder, Quantity, 104);
ZANTU_VEXT_AT(CZantuVextOrder, TimeRule, 108);
ZANTU_VEXT_AT(CZantuVextOrder, TradingDayCopy, 109);
ZANTU_VEXT_AT(CZantuVextOrder, VolumeRule, 118);
ZANTU_VEXT_AT(CZantuVextOrder, Fixed120, 120);
ZANTU_VEXT_AT(CZantuVextOrder, Fixed124, 124);
ZANTU_VEXT_AT(CZantuVextOrder, Fixed136, 136);
ZANTU_VEXT_AT(CZantuVextOrder, RequestId, 168);
ZANTU_VEXT_AT(CZantuVextOrder, OrderCode, 172);
ZANTU_VEXT_AT(CZantuVextOrder, ExchangeCode, 185);
ZANTU_VEXT_AT(CZantuVextOrder, ClientCode, 205);
ZANTU_VEXT_AT(CZantuVextOrder, ExchangeInstrumentCode, 216);
ZANTU_VEXT_AT(CZantuVextOrder, AccountCode, 247);
ZANTU_VEXT_AT(CZantuVextOrder, SubmitState, 272);
ZANTU_VEXT_AT(CZantuVextOrder, TradingDay, 280);
ZANTU_VEXT_AT(CZantuVextOrder, OrderSysCode, 296);
ZANTU_VEXT_AT(CZantuVextOrder, OrderState, 318);
ZANTU_VEXT_AT(CZantuVextOrder, FilledQuantity, 320);
ZANTU_VEXT_AT(CZantuVextOrder, RemainingQuantity, 324);
ZANTU_VEXT_AT(CZantuVextOrder, EntryDate, 328);
ZANTU_VEXT_AT(CZantuVextOrder, EntryTime, 337);
ZANTU_VEXT_AT(CZantuVextOrder, ChangeTime, 364);
ZANTU_VEXT_AT(CZantuVextOrder, FrontNumber, 420);
ZANTU_VEXT_AT(CZantuVextOrder, SessionNumber, 424);
ZANTU_VEXT_AT(CZantuVextOrder, ProductInfo, 428);
ZANTU_VEXT_AT(CZantuVextOrder, StateText, 439);
ZANTU_VEXT_AT(CZantuVextOrder, OrderNumber, 540);
ZANTU_VEXT_AT(CZantuVextOrder, UnitCode, 585);
ZANTU_VEXT_AT(CZantuVextOrder, IpAddress, 619);
ZANTU_VEXT_AT(CZantuVextOrder, MacAddress, 635);

// A trade (fill) as the server reports it. FillDate YYYYMMDD, FillTime HH:MM:SS.
struct CZantuVextTrade {
    char BrokerCode[11];
    char InvestorCode[13];
    char InstrumentCode[31];
    char OrderRef[13];
    char UserCode[16];
    char ExchangeCode[9];
    char TradeCode[21];
    char Side;
    char OrderSysCode[21];
    char Reserved136[11];
    char ClientCode[11];
    char Reserved158[1];
    char ExchangeInstrumentCode[31];
    char OpenClose;
    char Fixed191;  // '1'
    double Price;
    int Quantity;
    char FillDate[9];
    char FillTime[9];
    char Fixed222;  // '0'
    char Reserved223[1];
    char AccountCode[21];
    char OrderCode[13];
    char Reserved258[38];
    char TradingDay[9];
    char Reserved305[7];
    int OrderNumber;
    char Reserved316[1];
    char UnitCode[17];
    char Reserved334[2];
};
ZANTU_VEXT_SIZE(CZantuVextTrade, 336);
ZANTU_VEXT_AT(CZantuVextTrade, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextTrade, InvestorCode, 11);
ZANTU_VEXT_AT(CZantuVextTrade, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextTrade, OrderRef, 55);
ZANTU_VEXT_AT(CZantuVextTrade, UserCode, 68);
ZANTU_VEXT_AT(CZantuVextTrade, ExchangeCode, 84);
ZANTU_VEXT_AT(CZantuVextTrade, TradeCode, 93);
ZANTU_VEXT_AT(CZantuVextTrade, Side, 114);
ZANTU_VEXT_AT(CZantuVextTrade, OrderSysCode, 115);
ZANTU_VEXT_AT(CZantuVextTrade, ClientCode, 147);
ZANTU_VEXT_AT(CZantuVextTrade, ExchangeInstrumentCode, 159);
ZANTU_VEXT_AT(CZantuVextTrade, OpenClose, 190);
ZANTU_VEXT_AT(CZantuVextTrade, Fixed191, 191);
ZANTU_VEXT_AT(CZantuVextTrade, Price, 192);
ZANTU_VEXT_AT(CZantuVextTrade, Quantity, 200);
ZANTU_VEXT_AT(CZantuVextTrade, FillDate, 204);
ZANTU_VEXT_AT(CZantuVextTrade, FillTime, 213);
ZANTU_VEXT_AT(CZantuVextTrade, Fixed222, 222);
ZANTU_VEXT_AT(CZantuVextTrade, AccountCode, 224);
ZANTU_VEXT_AT(CZantuVextTrade, OrderCode, 245);
ZANTU_VEXT_AT(CZantuVextTrade, TradingDay, 296);
ZANTU_VEXT_AT(CZantuVextTrade, OrderNumber, 312);
ZANTU_VEXT_AT(CZantuVextTrade, UnitCode, 317);

// ---- Query requests: only InstrumentCode and ExchangeCode (and the product's ProductCode and
// ProductClass) are read; an empty member matches everything. Members without a NUL are cut at
// their width.

struct CZantuVextOrderQuery {
    char Reserved0[24];
    char InstrumentCode[31];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextOrderQuery, 64);
ZANTU_VEXT_AT(CZantuVextOrderQuery, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextOrderQuery, ExchangeCode, 55);

struct CZantuVextTradeQuery {
    char Reserved0[24];
    char InstrumentCode[31];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextTradeQuery, 64);
ZANTU_VEXT_AT(CZantuVextTradeQuery, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextTradeQuery, ExchangeCode, 55);

struct CZantuVextPositionQuery {
    char Reserved0[24];
    char InstrumentCode[31];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextPositionQuery, 64);
ZANTU_VEXT_AT(CZantuVextPositionQuery, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextPositionQuery, ExchangeCode, 55);

// ExchangeCode starts one byte after the end of InstrumentCode in this record.
struct CZantuVextMarginRateQuery {
    char Reserved0[24];
    char InstrumentCode[31];
    char Reserved55[1];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextMarginRateQuery, 65);
ZANTU_VEXT_AT(CZantuVextMarginRateQuery, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextMarginRateQuery, ExchangeCode, 56);

struct CZantuVextFeeRateQuery {
    char Reserved0[24];
    char InstrumentCode[31];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextFeeRateQuery, 64);
ZANTU_VEXT_AT(CZantuVextFeeRateQuery, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextFeeRateQuery, ExchangeCode, 55);

struct CZantuVextExchangeQuery {
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextExchangeQuery, 9);
ZANTU_VEXT_AT(CZantuVextExchangeQuery, ExchangeCode, 0);

// ProductClass: '1' futures, '2' options, any other character no filter; '3' to '6' are refused
// with ErrorCode 99.
struct CZantuVextProductQuery {
    char ProductCode[31];
    char ProductClass;
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextProductQuery, 41);
ZANTU_VEXT_AT(CZantuVextProductQuery, ProductCode, 0);
ZANTU_VEXT_AT(CZantuVextProductQuery, ProductClass, 31);
ZANTU_VEXT_AT(CZantuVextProductQuery, ExchangeCode, 32);

struct CZantuVextInstrumentQuery {
    char InstrumentCode[31];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextInstrumentQuery, 40);
ZANTU_VEXT_AT(CZantuVextInstrumentQuery, InstrumentCode, 0);
ZANTU_VEXT_AT(CZantuVextInstrumentQuery, ExchangeCode, 31);

struct CZantuVextSnapshotQuery {
    char InstrumentCode[31];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextSnapshotQuery, 40);
ZANTU_VEXT_AT(CZantuVextSnapshotQuery, InstrumentCode, 0);
ZANTU_VEXT_AT(CZantuVextSnapshotQuery, ExchangeCode, 31);

struct CZantuVextPositionDetailQuery {
    char Reserved0[24];
    char InstrumentCode[31];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextPositionDetailQuery, 64);
ZANTU_VEXT_AT(CZantuVextPositionDetailQuery, InstrumentCode, 24);
ZANTU_VEXT_AT(CZantuVextPositionDetailQuery, ExchangeCode, 55);

// ExchangeCode starts one byte after the end of InstrumentCode in this record.
struct CZantuVextExchangeMarginRateQuery {
    char Reserved0[11];
    char InstrumentCode[31];
    char Reserved42[1];
    char ExchangeCode[9];
};
ZANTU_VEXT_SIZE(CZantuVextExchangeMarginRateQuery, 52);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRateQuery, InstrumentCode, 11);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRateQuery, ExchangeCode, 43);

// ---- Query replies

// PositionSide '2' long, '3' short; PositionDay '1' today, '2' earlier. RatioMarginRate or
// AmountMarginRate carries the margin rate, by its kind.
struct CZantuVextPosition {
    char InstrumentCode[31];
    char BrokerCode[11];
    char InvestorCode[13];
    char PositionSide;
    char Fixed56;  // '1'
    char PositionDay;
    char Reserved58[2];
    int PriorQuantity;
    int Quantity;
    int LongFrozen;
    int ShortFrozen;
    char Reserved76[4];
    double LongFrozenAmount;
    double ShortFrozenAmount;
    int OpenQuantity;
    int CloseQuantity;
    double OpenAmount;
    double CloseAmount;
    double PositionCost;
    double PriorMargin;
    double UsedMargin;
    double FrozenMargin;
    double FrozenCash;
    char Reserved160[8];
    double CashIn;
    char Reserved176[8];
    double ClosedProfit;
    double FloatingProfit;
    double PriorSettlePrice;
    double SettlePrice;
    char TradingDay[9];
    char Reserved225[7];
    double OpenCost;
    double ExchangeMargin;
    char Reserved248[16];
    double CloseProfitByDate;
    double CloseProfitByTrade;
    int TodayQuantity;
    char Reserved284[4];
    double RatioMarginRate;
    double AmountMarginRate;
    char Reserved304[20];
    char ExchangeCode[9];
    char Reserved333[27];
    double CostOffset;
    char Reserved368[16];
};
ZANTU_VEXT_SIZE(CZantuVextPosition, 384);
ZANTU_VEXT_AT(CZantuVextPosition, InstrumentCode, 0);
ZANTU_VEXT_AT(CZantuVextPosition, BrokerCode, 31);
ZANTU_VEXT_AT(CZantuVextPosition, InvestorCode, 42);
ZANTU_VEXT_AT(CZantuVextPosition, PositionSide, 55);
ZANTU_VEXT_AT(CZantuVextPosition, Fixed56, 56);
ZANTU_VEXT_AT(CZantuVextPosition, PositionDay, 57);
ZANTU_VEXT_AT(CZantuVextPosition, PriorQuantity, 60);
ZANTU_VEXT_AT(CZantuVextPosition, Quantity, 64);
ZANTU_VEXT_AT(CZantuVextPosition, LongFrozen, 68);
ZANTU_VEXT_AT(CZantuVextPosition, ShortFrozen, 72);
ZANTU_VEXT_AT(CZantuVextPosition, LongFrozenAmount, 80);
ZANTU_VEXT_AT(CZantuVextPosition, ShortFrozenAmount, 88);
ZANTU_VEXT_AT(CZantuVextPosition, OpenQuantity, 96);
ZANTU_VEXT_AT(CZantuVextPosition, CloseQuantity, 100);
ZANTU_VEXT_AT(CZantuVextPosition, OpenAmount, 104);
ZANTU_VEXT_AT(CZantuVextPosition, CloseAmount, 112);
ZANTU_VEXT_AT(CZantuVextPosition, PositionCost, 120);
ZANTU_VEXT_AT(CZantuVextPosition, PriorMargin, 128);
ZANTU_VEXT_AT(CZantuVextPosition, UsedMargin, 136);
ZANTU_VEXT_AT(CZantuVextPosition, FrozenMargin, 144);
ZANTU_VEXT_AT(CZantuVextPosition, FrozenCash, 152);
ZANTU_VEXT_AT(CZantuVextPosition, CashIn, 168);
ZANTU_VEXT_AT(CZantuVextPosition, ClosedProfit, 184);
ZANTU_VEXT_AT(CZantuVextPosition, FloatingProfit, 192);
ZANTU_VEXT_AT(CZantuVextPosition, PriorSettlePrice, 200);
ZANTU_VEXT_AT(CZantuVextPosition, SettlePrice, 208);
ZANTU_VEXT_AT(CZantuVextPosition, TradingDay, 216);
ZANTU_VEXT_AT(CZantuVextPosition, OpenCost, 232);
ZANTU_VEXT_AT(CZantuVextPosition, ExchangeMargin, 240);
ZANTU_VEXT_AT(CZantuVextPosition, CloseProfitByDate, 264);
ZANTU_VEXT_AT(CZantuVextPosition, CloseProfitByTrade, 272);
ZANTU_VEXT_AT(CZantuVextPosition, TodayQuantity, 280);
ZANTU_VEXT_AT(CZantuVextPosition, RatioMarginRate, 288);
ZANTU_VEXT_AT(CZantuVextPosition, AmountMarginRate, 296);
ZANTU_VEXT_AT(CZantuVextPosition, ExchangeCode, 324);
ZANTU_VEXT_AT(CZantuVextPosition, CostOffset, 360);

// Funds of the account; CurrencyCode is "CNY".
struct CZantuVextAccount {
    char BrokerCode[11];
    char InvestorCode[13];
    char Reserved24[24];
    double PriorBalance;
    char Reserved56[24];
    double Deposit;
    double Withdrawal;
    double FrozenMargin;
    double FrozenCash;
    double FrozenFee;
    double UsedMargin;
    double CashIn;
    double Fee;
    double ClosedProfit;
    double FloatingProfit;
    double Balance;
    double Available;
    char Reserved176[16];
    char TradingDay[9];
    char Reserved201[55];
    char CurrencyCode[4];
    char Reserved260[140];
};
ZANTU_VEXT_SIZE(CZantuVextAccount, 400);
ZANTU_VEXT_AT(CZantuVextAccount, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextAccount, InvestorCode, 11);
ZANTU_VEXT_AT(CZantuVextAccount, PriorBalance, 48);
ZANTU_VEXT_AT(CZantuVextAccount, Deposit, 80);
ZANTU_VEXT_AT(CZantuVextAccount, Withdrawal, 88);
ZANTU_VEXT_AT(CZantuVextAccount, FrozenMargin, 96);
ZANTU_VEXT_AT(CZantuVextAccount, FrozenCash, 104);
ZANTU_VEXT_AT(CZantuVextAccount, FrozenFee, 112);
ZANTU_VEXT_AT(CZantuVextAccount, UsedMargin, 120);
ZANTU_VEXT_AT(CZantuVextAccount, CashIn, 128);
ZANTU_VEXT_AT(CZantuVextAccount, Fee, 136);
ZANTU_VEXT_AT(CZantuVextAccount, ClosedProfit, 144);
ZANTU_VEXT_AT(CZantuVextAccount, FloatingProfit, 152);
ZANTU_VEXT_AT(CZantuVextAccount, Balance, 160);
ZANTU_VEXT_AT(CZantuVextAccount, Available, 168);
ZANTU_VEXT_AT(CZantuVextAccount, TradingDay, 192);
ZANTU_VEXT_AT(CZantuVextAccount, CurrencyCode, 256);

// One open position lot. Side '0' long, '1' short; OpenDate YYYYMMDD.
struct CZantuVextPositionDetail {
    char InstrumentCode[31];
    char BrokerCode[11];
    char InvestorCode[13];
    char Fixed55;  // '1'
    char Side;
    char OpenDate[9];
    char TradeCode[21];
    char Reserved87[1];
    int Quantity;
    char Reserved92[4];
    double OpenPrice;
    char TradingDay[9];
    char Reserved113[7];
    char Fixed120;  // '0'
    char Reserved121[31];
    char ExchangeCode[9];
    char Reserved161[7];
    double CloseProfitByDate;
    double CloseProfitByTrade;
    double PositionProfitByDate;
    double PositionProfitByTrade;
    double UsedMargin;
    double ExchangeMargin;
    double RatioMarginRate;
    double AmountMarginRate;
    double PriorSettlePrice;
    double SettlePrice;
    int CloseQuantity;
    char Reserved252[4];
    double CloseAmount;
    int FirstVolume;
    char UnitCode[17];
    char Reserved285[3];
};
ZANTU_VEXT_SIZE(CZantuVextPositionDetail, 288);
ZANTU_VEXT_AT(CZantuVextPositionDetail, InstrumentCode, 0);
ZANTU_VEXT_AT(CZantuVextPositionDetail, BrokerCode, 31);
ZANTU_VEXT_AT(CZantuVextPositionDetail, InvestorCode, 42);
ZANTU_VEXT_AT(CZantuVextPositionDetail, Fixed55, 55);
ZANTU_VEXT_AT(CZantuVextPositionDetail, Side, 56);
ZANTU_VEXT_AT(CZantuVextPositionDetail, OpenDate, 57);
ZANTU_VEXT_AT(CZantuVextPositionDetail, TradeCode, 66);
ZANTU_VEXT_AT(CZantuVextPositionDetail, Quantity, 88);
ZANTU_VEXT_AT(CZantuVextPositionDetail, OpenPrice, 96);
ZANTU_VEXT_AT(CZantuVextPositionDetail, TradingDay, 104);
ZANTU_VEXT_AT(CZantuVextPositionDetail, Fixed120, 120);
ZANTU_VEXT_AT(CZantuVextPositionDetail, ExchangeCode, 152);
ZANTU_VEXT_AT(CZantuVextPositionDetail, CloseProfitByDate, 168);
ZANTU_VEXT_AT(CZantuVextPositionDetail, CloseProfitByTrade, 176);
ZANTU_VEXT_AT(CZantuVextPositionDetail, PositionProfitByDate, 184);
ZANTU_VEXT_AT(CZantuVextPositionDetail, PositionProfitByTrade, 192);
ZANTU_VEXT_AT(CZantuVextPositionDetail, UsedMargin, 200);
ZANTU_VEXT_AT(CZantuVextPositionDetail, ExchangeMargin, 208);
ZANTU_VEXT_AT(CZantuVextPositionDetail, RatioMarginRate, 216);
ZANTU_VEXT_AT(CZantuVextPositionDetail, AmountMarginRate, 224);
ZANTU_VEXT_AT(CZantuVextPositionDetail, PriorSettlePrice, 232);
ZANTU_VEXT_AT(CZantuVextPositionDetail, SettlePrice, 240);
ZANTU_VEXT_AT(CZantuVextPositionDetail, CloseQuantity, 248);
ZANTU_VEXT_AT(CZantuVextPositionDetail, CloseAmount, 256);
ZANTU_VEXT_AT(CZantuVextPositionDetail, FirstVolume, 264);
ZANTU_VEXT_AT(CZantuVextPositionDetail, UnitCode, 268);

// An instrument. ProductClass '1' futures, '2' options, 'B', 'D' or 'E' as the server names the kind,
// '4' for the server's kind 'S', empty for any other; dates YYYYMMDD; OptionKind '1' call, '2' put.
struct CZantuVextInstrument {
    char InstrumentCode[31];
    char ExchangeCode[9];
    char InstrumentName[21];
    char ExchangeInstrumentCode[31];
    char ProductCode[31];
    char ProductClass;
    int DeliveryYear;
    int DeliveryMonth;
    int Fixed132;  // 2147483647
    int Fixed136;  // 1
    int Fixed140;  // 2147483647
    int Fixed144;  // 1
    int Multiplier;
    double TickSize;
    char CreateDate[9];
    char OpenDate[9];
    char ExpireDate[9];
    char DeliveryStart[9];
    char DeliveryEnd[9];
    char Fixed205;  // '1'
    char Reserved206[2];
    int Fixed208;   // 1
    char Fixed212;  // '2'
    char Fixed213;  // '1'
    char Reserved214[2];
    double LongMarginRate;
    double ShortMarginRate;
    char Fixed232;  // '0'
    char UnderlyingCode[31];
    double StrikePrice;
    char OptionKind;
    char Reserved273[15];
    char Fixed288;  // '0'
    char Reserved289[7];
};
ZANTU_VEXT_SIZE(CZantuVextInstrument, 296);
ZANTU_VEXT_AT(CZantuVextInstrument, InstrumentCode, 0);
ZANTU_VEXT_AT(CZantuVextInstrument, ExchangeCode, 31);
ZANTU_VEXT_AT(CZantuVextInstrument, InstrumentName, 40);
ZANTU_VEXT_AT(CZantuVextInstrument, ExchangeInstrumentCode, 61);
ZANTU_VEXT_AT(CZantuVextInstrument, ProductCode, 92);
ZANTU_VEXT_AT(CZantuVextInstrument, ProductClass, 123);
ZANTU_VEXT_AT(CZantuVextInstrument, DeliveryYear, 124);
ZANTU_VEXT_AT(CZantuVextInstrument, DeliveryMonth, 128);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed132, 132);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed136, 136);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed140, 140);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed144, 144);
ZANTU_VEXT_AT(CZantuVextInstrument, Multiplier, 148);
ZANTU_VEXT_AT(CZantuVextInstrument, TickSize, 152);
ZANTU_VEXT_AT(CZantuVextInstrument, CreateDate, 160);
ZANTU_VEXT_AT(CZantuVextInstrument, OpenDate, 169);
ZANTU_VEXT_AT(CZantuVextInstrument, ExpireDate, 178);
ZANTU_VEXT_AT(CZantuVextInstrument, DeliveryStart, 187);
ZANTU_VEXT_AT(CZantuVextInstrument, DeliveryEnd, 196);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed205, 205);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed208, 208);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed212, 212);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed213, 213);
ZANTU_VEXT_AT(CZantuVextInstrument, LongMarginRate, 216);
ZANTU_VEXT_AT(CZantuVextInstrument, ShortMarginRate, 224);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed232, 232);
ZANTU_VEXT_AT(CZantuVextInstrument, UnderlyingCode, 233);
ZANTU_VEXT_AT(CZantuVextInstrument, StrikePrice, 264);
ZANTU_VEXT_AT(CZantuVextInstrument, OptionKind, 272);
ZANTU_VEXT_AT(CZantuVextInstrument, Fixed288, 288);

// A product. ProductClass '1' futures, '2' options, '4' for the server's kinds 'B', 'D' and 'E', empty
// for any other kind.
struct CZantuVextProduct {
    char ProductCode[31];
    char ProductName[21];
    char ExchangeCode[9];
    char ProductClass;
    char Reserved62[42];
    char ExchangeProductCode[31];
    char Reserved135[9];
};
ZANTU_VEXT_SIZE(CZantuVextProduct, 144);
ZANTU_VEXT_AT(CZantuVextProduct, ProductCode, 0);
ZANTU_VEXT_AT(CZantuVextProduct, ProductName, 31);
ZANTU_VEXT_AT(CZantuVextProduct, ExchangeCode, 52);
ZANTU_VEXT_AT(CZantuVextProduct, ProductClass, 61);
ZANTU_VEXT_AT(CZantuVextProduct, ExchangeProductCode, 104);

struct CZantuVextExchange {
    char ExchangeCode[9];
    char ExchangeName[61];
    char Fixed70;  // '0'
};
ZANTU_VEXT_SIZE(CZantuVextExchange, 71);
ZANTU_VEXT_AT(CZantuVextExchange, ExchangeCode, 0);
ZANTU_VEXT_AT(CZantuVextExchange, ExchangeName, 9);
ZANTU_VEXT_AT(CZantuVextExchange, Fixed70, 70);

// Fee rates of the investor: the ratio members for a fee by ratio, the amount members otherwise.
struct CZantuVextFeeRate {
    char InstrumentCode[31];
    char Fixed31;  // '1'
    char BrokerCode[11];
    char InvestorCode[13];
    double OpenFeeRatio;
    double OpenFeeAmount;
    double CloseFeeRatio;
    double CloseFeeAmount;
    double CloseTodayFeeRatio;
    double CloseTodayFeeAmount;
    char ExchangeCode[9];
    char Reserved113[23];
};
ZANTU_VEXT_SIZE(CZantuVextFeeRate, 136);
ZANTU_VEXT_AT(CZantuVextFeeRate, InstrumentCode, 0);
ZANTU_VEXT_AT(CZantuVextFeeRate, Fixed31, 31);
ZANTU_VEXT_AT(CZantuVextFeeRate, BrokerCode, 32);
ZANTU_VEXT_AT(CZantuVextFeeRate, InvestorCode, 43);
ZANTU_VEXT_AT(CZantuVextFeeRate, OpenFeeRatio, 56);
ZANTU_VEXT_AT(CZantuVextFeeRate, OpenFeeAmount, 64);
ZANTU_VEXT_AT(CZantuVextFeeRate, CloseFeeRatio, 72);
ZANTU_VEXT_AT(CZantuVextFeeRate, CloseFeeAmount, 80);
ZANTU_VEXT_AT(CZantuVextFeeRate, CloseTodayFeeRatio, 88);
ZANTU_VEXT_AT(CZantuVextFeeRate, CloseTodayFeeAmount, 96);
ZANTU_VEXT_AT(CZantuVextFeeRate, ExchangeCode, 104);

// Margin rates of the investor: the ratio members for a margin by ratio, the amount members otherwise.
struct CZantuVextMarginRate {
    char InstrumentCode[31];
    char Fixed31;  // '1'
    char BrokerCode[11];
    char InvestorCode[13];
    char Fixed56;  // '1'
    char Reserved57[7];
    double LongMarginRatio;
    double LongMarginAmount;
    double ShortMarginRatio;
    double ShortMarginAmount;
    char Reserved96[4];
    char ExchangeCode[9];
    char Reserved109[19];
};
ZANTU_VEXT_SIZE(CZantuVextMarginRate, 128);
ZANTU_VEXT_AT(CZantuVextMarginRate, InstrumentCode, 0);
ZANTU_VEXT_AT(CZantuVextMarginRate, Fixed31, 31);
ZANTU_VEXT_AT(CZantuVextMarginRate, BrokerCode, 32);
ZANTU_VEXT_AT(CZantuVextMarginRate, InvestorCode, 43);
ZANTU_VEXT_AT(CZantuVextMarginRate, Fixed56, 56);
ZANTU_VEXT_AT(CZantuVextMarginRate, LongMarginRatio, 64);
ZANTU_VEXT_AT(CZantuVextMarginRate, LongMarginAmount, 72);
ZANTU_VEXT_AT(CZantuVextMarginRate, ShortMarginRatio, 80);
ZANTU_VEXT_AT(CZantuVextMarginRate, ShortMarginAmount, 88);
ZANTU_VEXT_AT(CZantuVextMarginRate, ExchangeCode, 100);

// Margin rates of the exchange; BrokerCode is always empty.
struct CZantuVextExchangeMarginRate {
    char BrokerCode[11];
    char InstrumentCode[31];
    char Fixed42;  // '1'
    char Reserved43[5];
    double LongMarginRatio;
    double LongMarginAmount;
    double ShortMarginRatio;
    double ShortMarginAmount;
    char ExchangeCode[9];
    char Reserved89[7];
};
ZANTU_VEXT_SIZE(CZantuVextExchangeMarginRate, 96);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, InstrumentCode, 11);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, Fixed42, 42);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, LongMarginRatio, 48);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, LongMarginAmount, 56);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, ShortMarginRatio, 64);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, ShortMarginAmount, 72);
ZANTU_VEXT_AT(CZantuVextExchangeMarginRate, ExchangeCode, 80);

// ---- Callback interface

// Implemented by the calling program and registered with CZantuVextTraderApi::SetSpi. Every slot has
// an empty default body; override what you need. Threads: translated server replies and
// notifications arrive on the session I/O thread (S), locally answered replies on the trading
// object's callback thread (C); the two run concurrently. Reply callbacks receive (record or null,
// status or null, requestId of the request, isLast). Record and status pointers are valid only until
// the callback returns. The OnReservedN slots are never called; slot positions are the contract.
class CZantuVextTraderSpi {
  public:
    // 0 (S) A front connection is up; log in now (also after every reconnection).
    virtual void OnConnected() {}
    // 1 (S) The front connection is lost; reason is always 0. The library reconnects by itself.
    virtual void OnDisconnected(int /*reason*/) {}
    virtual void OnReserved2() {}
    // 3 (C) Reply of EchoIdentity.
    virtual void OnEchoIdentityReply(CZantuVextIdentityReply* /*reply*/, CZantuVextRspInfo* /*status*/,
                                     int /*requestId*/, bool /*isLast*/) {}
    // 4 (S) Reply of SubmitLogin; the reply is null when the server sent no login record.
    virtual void OnLoginReply(CZantuVextLoginReply* /*reply*/, CZantuVextRspInfo* /*status*/,
                              int /*requestId*/, bool /*isLast*/) {}
    // 5 (S) Reply of SubmitLogout.
    virtual void OnLogoutReply(CZantuVextLogoutRecord* /*reply*/, CZantuVextRspInfo* /*status*/,
                               int /*requestId*/, bool /*isLast*/) {}
    // 6 (S) Reply of SubmitPasswordChange.
    virtual void OnPasswordChangeReply(CZantuVextPasswordChange* /*reply*/, CZantuVextRspInfo* /*status*/,
                                       int /*requestId*/, bool /*isLast*/) {}
    virtual void OnReserved7() {}
    // 8 (C) Reply of QueryZeroValue; status is null.
    virtual void OnZeroValueReply(CZantuVextZeroValue* /*reply*/, CZantuVextRspInfo* /*status*/,
                                  int /*requestId*/, bool /*isLast*/) {}
    virtual void OnReserved9() {}
    virtual void OnReserved10() {}
    // 11 (S) A rejected SubmitOrder: the echoed order and the server's status. An accepted order has
    // no reply; it is reported through OnOrderUpdate.
    virtual void OnOrderInsertReply(CZantuVextInputOrder* /*order*/, CZantuVextRspInfo* /*status*/,
                                    int /*requestId*/, bool /*isLast*/) {}
    virtual void OnReserved12() {}
    virtual void OnReserved13() {}
    // 14 (S) A rejected SubmitOrderCancel (the record may be null). An accepted cancellation has no reply.
    virtual void OnOrderCancelReply(CZantuVextOrderAction* /*action*/, CZantuVextRspInfo* /*status*/,
                                    int /*requestId*/, bool /*isLast*/) {}
    virtual void OnReserved15() {}
    // 16 (C) Reply of SubmitConfirmation.
    virtual void OnConfirmationReply(CZantuVextConfirmation* /*reply*/, CZantuVextRspInfo* /*status*/,
                                     int /*requestId*/, bool /*isLast*/) {}
    virtual void OnReserved17() {}
    virtual void OnReserved18() {}
    // 19-23 (C) Replies of RefusedRequest31 to RefusedRequest35: the caller's own request pointer and
    // the status {99, "Not supported"}.
    virtual void OnRefusedReply19(void* /*request*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRefusedReply20(void* /*request*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRefusedReply21(void* /*request*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRefusedReply22(void* /*request*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRefusedReply23(void* /*request*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnReserved24() {}
    // OnEmptyReplyN (C): the empty final reply of an EmptyQuery operation; record and status are null.
    virtual void OnEmptyReply25(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply26(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnReserved27() {}
    // 28-44: query replies, one callback per record; an empty result is one callback with a null
    // record. isLast marks the last callback of a reply.
    // 28 (S) QueryOrders.
    virtual void OnOrderQueryReply(CZantuVextOrder* /*order*/, CZantuVextRspInfo* /*status*/,
                                   int /*requestId*/, bool /*isLast*/) {}
    // 29 (S) QueryTrades.
    virtual void OnTradeQueryReply(CZantuVextTrade* /*trade*/, CZantuVextRspInfo* /*status*/,
                                   int /*requestId*/, bool /*isLast*/) {}
    // 30 (S) QueryPositions.
    virtual void OnPositionQueryReply(CZantuVextPosition* /*position*/, CZantuVextRspInfo* /*status*/,
                                      int /*requestId*/, bool /*isLast*/) {}
    // 31 (S) QueryAccount.
    virtual void OnAccountQueryReply(CZantuVextAccount* /*account*/, CZantuVextRspInfo* /*status*/,
                                     int /*requestId*/, bool /*isLast*/) {}
    // 32 (C) QueryInvestor.
    virtual void OnInvestorQueryReply(CZantuVextInvestor* /*investor*/, CZantuVextRspInfo* /*status*/,
                                      int /*requestId*/, bool /*isLast*/) {}
    virtual void OnEmptyReply33(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    // 34 (S) QueryMarginRates.
    virtual void OnMarginRateQueryReply(CZantuVextMarginRate* /*rate*/, CZantuVextRspInfo* /*status*/,
                                        int /*requestId*/, bool /*isLast*/) {}
    // 35 (S) QueryFeeRates.
    virtual void OnFeeRateQueryReply(CZantuVextFeeRate* /*rate*/, CZantuVextRspInfo* /*status*/,
                                     int /*requestId*/, bool /*isLast*/) {}
    // 36 (S) QueryExchange.
    virtual void OnExchangeQueryReply(CZantuVextExchange* /*exchange*/, CZantuVextRspInfo* /*status*/,
                                      int /*requestId*/, bool /*isLast*/) {}
    // 37 (S; C with a null record and status {99, "Not supported"} for a refused product class)
    // QueryProduct.
    virtual void OnProductQueryReply(CZantuVextProduct* /*product*/, CZantuVextRspInfo* /*status*/,
                                     int /*requestId*/, bool /*isLast*/) {}
    // 38 (S) QueryInstrument.
    virtual void OnInstrumentQueryReply(CZantuVextInstrument* /*instrument*/, CZantuVextRspInfo* /*status*/,
                                        int /*requestId*/, bool /*isLast*/) {}
    // 39 (S) QueryMarketSnapshot.
    virtual void OnMarketSnapshotQueryReply(CZantuVextMarketSnapshot* /*snapshot*/,
                                            CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                            bool /*isLast*/) {}
    virtual void OnEmptyReply40(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply41(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    // 42 (S) QueryPositionDetail.
    virtual void OnPositionDetailQueryReply(CZantuVextPositionDetail* /*detail*/,
                                            CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                            bool /*isLast*/) {}
    virtual void OnEmptyReply43(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    // 44 (C) QueryConfirmation.
    virtual void OnConfirmationQueryReply(CZantuVextConfirmation* /*reply*/, CZantuVextRspInfo* /*status*/,
                                          int /*requestId*/, bool /*isLast*/) {}
    virtual void OnEmptyReply45(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply46(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnReserved47() {}
    virtual void OnReserved48() {}
    // 49 (S) QueryExchangeMarginRates.
    virtual void OnExchangeMarginRateQueryReply(CZantuVextExchangeMarginRate* /*rate*/,
                                                CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                                bool /*isLast*/) {}
    virtual void OnReserved50() {}
    virtual void OnReserved51() {}
    virtual void OnReserved52() {}
    virtual void OnReserved53() {}
    virtual void OnEmptyReply54(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnReserved55() {}
    virtual void OnReserved56() {}
    virtual void OnEmptyReply57(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnReserved58() {}
    virtual void OnReserved59() {}
    virtual void OnEmptyReply60(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply61(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply62(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply63(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply64(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply65(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply66(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply67(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply68(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply69(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply70(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply71(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnReserved72() {}
    // 73 (S) An order changed: entered, filled, cancelled or rejected (private flow).
    virtual void OnOrderUpdate(CZantuVextOrder* /*order*/) {}
    // 74 (S) A trade (fill) of one of the account's orders (private flow).
    virtual void OnTradeUpdate(CZantuVextTrade* /*trade*/) {}
    virtual void OnReserved75() {}
    virtual void OnReserved76() {}
    virtual void OnReserved77() {}
    virtual void OnReserved78() {}
    virtual void OnReserved79() {}
    virtual void OnReserved80() {}
    virtual void OnReserved81() {}
    virtual void OnReserved82() {}
    virtual void OnReserved83() {}
    virtual void OnReserved84() {}
    virtual void OnReserved85() {}
    virtual void OnReserved86() {}
    virtual void OnReserved87() {}
    virtual void OnReserved88() {}
    virtual void OnReserved89() {}
    virtual void OnReserved90() {}
    virtual void OnReserved91() {}
    virtual void OnReserved92() {}
    virtual void OnReserved93() {}
    virtual void OnReserved94() {}
    virtual void OnReserved95() {}
    virtual void OnEmptyReply96(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply97(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply98(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnEmptyReply99(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                bool /*isLast*/) {}
    // 100 (C) Reply of QueryAccountProfile.
    virtual void OnAccountProfileReply(CZantuVextAccountProfile* /*reply*/, CZantuVextRspInfo* /*status*/,
                                       int /*requestId*/, bool /*isLast*/) {}
    virtual void OnEmptyReply101(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    virtual void OnEmptyReply102(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    virtual void OnReserved103() {}
    virtual void OnReserved104() {}
    virtual void OnReserved105() {}
    virtual void OnReserved106() {}
    virtual void OnReserved107() {}
    virtual void OnReserved108() {}
    virtual void OnReserved109() {}
    virtual void OnReserved110() {}
    virtual void OnReserved111() {}
    virtual void OnReserved112() {}
    virtual void OnReserved113() {}
    virtual void OnReserved114() {}
    virtual void OnReserved115() {}
    virtual void OnReserved116() {}
    virtual void OnReserved117() {}
    virtual void OnReserved118() {}
    virtual void OnReserved119() {}
    virtual void OnReserved120() {}
    virtual void OnEmptyReply121(void* /*reply*/, CZantuVextRspInfo* /*status*/, int /*requestId*/,
                                 bool /*isLast*/) {}

    // After the contract's 122 slots, so that a callback object may be deleted through this class.
    // The library never deletes the callback object.
    virtual ~CZantuVextTraderSpi() {}
};

// ---- Trading object

// One object per account connection. Create it with CreateVextTraderApi, register fronts and the
// callback object, choose the flow resume modes, call Init, then log in after OnConnected. Destroy it
// only with Release. Operations may be called from any thread of the calling program; Release must not
// run concurrently with any other operation of the object except a Join waiting in another thread.
//
// Results of request operations: 0 when the request was posted to the server (or answered locally),
// -1 when Init has not run or no front connection exists at that moment (nothing is sent, no reply
// follows), -3 for operations that are not offered. Server-side errors arrive only as the status of
// the reply callback. Request records are read before the operation returns, except that the
// RefusedRequest operations hand the caller's pointer back to their callback.
//
// Replies: (S) on the session I/O thread, (C) on the object's callback thread (see CZantuVextTraderSpi).
class ZANTU_VEXT_EXPORT CZantuVextTraderApi {
  public:
    // Creates a trading object; the argument is not used. Never returns null.
    static CZantuVextTraderApi* CreateVextTraderApi(const char* path);
    // "6.3.19_P1".
    static const char* GetApiVersion();

    // 0: Stops the callback thread and the session and frees the object; no callback follows.
    virtual void Release() = 0;
    // 1: Starts the callback thread and connecting to the first front. Call once. Throws the I/O
    // library's system errors (timer, thread, name resolution).
    virtual void Init() = 0;
    // 2: Waits until the callback thread ends, that is until Release; returns 0.
    virtual int Join() = 0;
    // 3: Trading day of the last successful login, YYYYMMDD, or empty. Valid until Release.
    virtual const char* CurrentTradingDay() = 0;
    // 4: Registers a front "tcp://host:port" (the first six characters are skipped). Fronts are tried
    // in the order of registration.
    virtual void AddFront(char* frontAddress) = 0;
    // 5, 6: No effect.
    virtual void ReservedSlot5(int) = 0;
    virtual void ReservedSlot6(int) = 0;
    // 7: Registers the callback object (null stops callbacks). Not owned.
    virtual void SetSpi(CZantuVextTraderSpi* spi) = 0;
    // 8, 9: How the private (orders, trades) and public flows resume at login: 0 from the start, 1 from
    // the last notification received, 2 only new ones; any other value leaves the flow unsubscribed.
    virtual void SetPrivateResumeMode(int resumeType) = 0;
    virtual void SetPublicResumeMode(int resumeType) = 0;
    // 10: Answered locally (C) by OnEchoIdentityReply; returns 0.
    virtual int EchoIdentity(CZantuVextIdentityRequest* request, int requestId) = 0;
    // 11, 12: Not offered; return -3.
    virtual int Unsupported11(int) = 0;
    virtual int Unsupported12(int) = 0;
    // 13: Login (S: OnLoginReply). On success the trading day is stored and the flows subscribed.
    virtual int SubmitLogin(CZantuVextLoginRequest* request, int requestId) = 0;
    // 14: Logout of the logged-in user (S: OnLogoutReply); the record is not read.
    virtual int SubmitLogout(CZantuVextLogoutRecord* request, int requestId) = 0;
    // 15: Password change of the logged-in user (S: OnPasswordChangeReply).
    virtual int SubmitPasswordChange(CZantuVextPasswordChange* request, int requestId) = 0;
    // UnsupportedN: not offered; return -3 and change nothing.
    virtual int Unsupported16(void*, int) = 0;
    // 17: Answered locally (C) by OnZeroValueReply; the record is not read; returns 0.
    virtual int QueryZeroValue(void* request, int requestId) = 0;
    virtual int Unsupported18(void*, int) = 0;
    virtual int Unsupported19(void*, int) = 0;
    virtual int Unsupported20(void*, int) = 0;
    virtual int Unsupported21(void*, int) = 0;
    virtual int Unsupported22(void*, int) = 0;
    // 23: Order entry. A rejection comes back through OnOrderInsertReply (S); the order's progress
    // through OnOrderUpdate and OnTradeUpdate (S).
    virtual int SubmitOrder(CZantuVextInputOrder* order, int requestId) = 0;
    virtual int Unsupported24(void*, int) = 0;
    virtual int Unsupported25(void*, int) = 0;
    // 26: Order cancellation; a rejection comes back through OnOrderCancelReply (S).
    virtual int SubmitOrderCancel(CZantuVextOrderAction* action, int requestId) = 0;
    virtual int Unsupported27(void*, int) = 0;
    // 28: Answered locally (C) by OnConfirmationReply with the local date and time; returns 0.
    virtual int SubmitConfirmation(CZantuVextConfirmation* request, int requestId) = 0;
    virtual int Unsupported29(void*, int) = 0;
    virtual int Unsupported30(void*, int) = 0;
    // 31-35: Answered locally (C) by OnRefusedReply19 to OnRefusedReply23 with the caller's own
    // pointer and status {99, "Not supported"}; keep the record valid until that callback. Return 0.
    virtual int RefusedRequest31(void* request, int requestId) = 0;
    virtual int RefusedRequest32(void* request, int requestId) = 0;
    virtual int RefusedRequest33(void* request, int requestId) = 0;
    virtual int RefusedRequest34(void* request, int requestId) = 0;
    virtual int RefusedRequest35(void* request, int requestId) = 0;
    virtual int Unsupported36(void*, int) = 0;
    // EmptyQueryN: answered locally (C) with an empty final reply (null record, null status) through
    // OnEmptyReply(N - 12) for N up to 83, OnEmptyReply(N + 12) for N from 84 to 90, and
    // OnEmptyReply121 for 93; the record is not read; return 0.
    virtual int EmptyQuery37(void* request, int requestId) = 0;
    virtual int EmptyQuery38(void* request, int requestId) = 0;
    virtual int Unsupported39(void*, int) = 0;
    // 40-54: queries; one reply callback (S) per record found, see CZantuVextTraderSpi.
    virtual int QueryOrders(CZantuVextOrderQuery* query, int requestId) = 0;
    virtual int QueryTrades(CZantuVextTradeQuery* query, int requestId) = 0;
    virtual int QueryPositions(CZantuVextPositionQuery* query, int requestId) = 0;
    // 43: The record is not read.
    virtual int QueryAccount(void* query, int requestId) = 0;
    // 44: Answered locally (C) by OnInvestorQueryReply; the record is not read; returns 0.
    virtual int QueryInvestor(void* query, int requestId) = 0;
    virtual int EmptyQuery45(void* request, int requestId) = 0;
    virtual int QueryMarginRates(CZantuVextMarginRateQuery* query, int requestId) = 0;
    virtual int QueryFeeRates(CZantuVextFeeRateQuery* query, int requestId) = 0;
    virtual int QueryExchange(CZantuVextExchangeQuery* query, int requestId) = 0;
    // 49: ProductClass '3' to '6' are refused locally (C) with status 99; returns 0 then.
    virtual int QueryProduct(CZantuVextProductQuery* query, int requestId) = 0;
    virtual int QueryInstrument(CZantuVextInstrumentQuery* query, int requestId) = 0;
    virtual int QueryMarketSnapshot(CZantuVextSnapshotQuery* query, int requestId) = 0;
    virtual int EmptyQuery52(void* request, int requestId) = 0;
    virtual int EmptyQuery53(void* request, int requestId) = 0;
    virtual int QueryPositionDetail(CZantuVextPositionDetailQuery* query, int requestId) = 0;
    virtual int EmptyQuery55(void* request, int requestId) = 0;
    // 56: Answered locally (C) by OnConfirmationQueryReply with the local date and time; returns 0.
    virtual int QueryConfirmation(void* query, int requestId) = 0;
    virtual int EmptyQuery57(void* request, int requestId) = 0;
    virtual int EmptyQuery58(void* request, int requestId) = 0;
    virtual int Unsupported59(void*, int) = 0;
    virtual int Unsupported60(void*, int) = 0;
    // 61: Exchange margin rates (S: OnExchangeMarginRateQueryReply).
    virtual int QueryExchangeMarginRates(CZantuVextExchangeMarginRateQuery* query, int requestId) = 0;
    virtual int Unsupported62(void*, int) = 0;
    virtual int Unsupported63(void*, int) = 0;
    virtual int Unsupported64(void*, int) = 0;
    virtual int Unsupported65(void*, int) = 0;
    virtual int EmptyQuery66(void* request, int requestId) = 0;
    virtual int Unsupported67(void*, int) = 0;
    virtual int Unsupported68(void*, int) = 0;
    virtual int EmptyQuery69(void* request, int requestId) = 0;
    virtual int Unsupported70(void*, int) = 0;
    virtual int Unsupported71(void*, int) = 0;
    virtual int EmptyQuery72(void* request, int requestId) = 0;
    virtual int EmptyQuery73(void* request, int requestId) = 0;
    virtual int EmptyQuery74(void* request, int requestId) = 0;
    virtual int EmptyQuery75(void* request, int requestId) = 0;
    virtual int EmptyQuery76(void* request, int requestId) = 0;
    virtual int EmptyQuery77(void* request, int requestId) = 0;
    virtual int EmptyQuery78(void* request, int requestId) = 0;
    virtual int EmptyQuery79(void* request, int requestId) = 0;
    virtual int EmptyQuery80(void* request, int requestId) = 0;
    virtual int EmptyQuery81(void* request, int requestId) = 0;
    virtual int EmptyQuery82(void* request, int requestId) = 0;
    virtual int EmptyQuery83(void* request, int requestId) = 0;
    virtual int EmptyQuery84(void* request, int requestId) = 0;
    virtual int EmptyQuery85(void* request, int requestId) = 0;
    virtual int EmptyQuery86(void* request, int requestId) = 0;
    virtual int EmptyQuery87(void* request, int requestId) = 0;
    // 88: Answered locally (C) by OnAccountProfileReply; the record is not read; returns 0.
    virtual int QueryAccountProfile(void* query, int requestId) = 0;
    virtual int EmptyQuery89(void* request, int requestId) = 0;
    virtual int EmptyQuery90(void* request, int requestId) = 0;
    virtual int Unsupported91(void*, int) = 0;
    virtual int Unsupported92(void*, int) = 0;
    virtual int EmptyQuery93(void* request, int requestId) = 0;

  protected:
    // Objects are destroyed only by Release.
    ~CZantuVextTraderApi() {}
};

#endif
