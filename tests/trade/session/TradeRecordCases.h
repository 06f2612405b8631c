// The trading records as the catalogue lists them, in table order: row name, tag, and the members in
// binding order with their widths in bytes.
#pragma once

#include "tests/support/RecordChecks.h"

// clang-format off
inline const RecordCase TradeRecordCases[] = {
    {"RspInfo", 1025,
     "RspNo/2 RspDesc/257"},
    {"LoginReq", 1032,
     "InvestorID/16 InvestorPassword/21 IP/101 ProductType/1 ProductVersion/4 UserProductInfo/11 "
     "InterfaceProductInfo/11 MacAddress/33"},
    {"LoginRsp", 1033,
     "InvestorID/16 TradeDate/11 InvestorName/51 SysName/51 SysMode/1 PayServerType/1 AdviserID/16 "
     "InvestorAdviserFlag/1 SessionID/8"},
    {"LogoutReq", 1037,
     "InvestorID/16"},
    {"LogoutRsp", 1038,
     "InvestorID/16"},
    {"FlowSubscribeReq", 1013,
     "FlowID/4 PkgNo/4"},
    {"FlowSubscribeRsp", 1015,
     "FlowID/4 PkgNo/4"},
    {"ChangePasswordReq", 1039,
     "InvestorID/16 InvestorOldPassword/21 InvestorNewPassword/21"},
    {"ChangePasswordRsp", 1040,
     "InvestorID/16"},
    {"InputOrder", 1043,
     "OrderID/31 InvestorID/16 InstrumentID/16 BSFlag/1 OCFlag/1 PriceType/1 Price/8 Qty/4 "
     "ProfitStopPrice/8 LossStopPrice/8 FilledPoints/4 ConditionType/1 ConditionMethod/1 "
     "ConditionPrice/8 ExchangeID/17 SessionID/8 OrderRef/31 AccountID/31 RequestID/4 ClientID/16 "
     "IPAddress/33 MacAddress/33 InvestorUnit/17 TimeCondition/1 VolumeCondition/1"},
    {"OrderCancelReq", 1065,
     "InvestorID/16 OrderID/31 ExchangeID/17 InstrumentID/16 SessionID/8 OrderRef/31 AccountID/31 "
     "OrderSysID/31"},
    {"OrderCancelRsp", 1066,
     "InvestorID/16 OrderID/31 ExchangeID/17 InstrumentID/16 SessionID/8 OrderRef/31 AccountID/31 "
     "OrderSysID/31"},
    {"QuotQueryReq", 1140,
     "InvestorID/16 InstrumentID/16 ExchangeID/17"},
    {"Quot", 1141,
     "MatchID/31 TradeDate/11 InstrumentID/16 Price/8 Qty/4 BidPrice/8 BidQty/4 AskPrice/8 AskQty/4 "
     "OpenPrice/8 HighestPrice/8 LowestPrice/8 HighLimit/8 LowLimit/8 OI/8 SettlePrice/8 PreClose/8 "
     "PreSettle/8 PreOI/8 QtyTotal/8 Amount/8 ModifyDate/11 ModifyTime/9 BidPrice2/8 BidQty2/4 "
     "AskPrice2/8 AskQty2/4 BidPrice3/8 BidQty3/4 AskPrice3/8 AskQty3/4 BidPrice4/8 BidQty4/4 "
     "AskPrice4/8 AskQty4/4 BidPrice5/8 BidQty5/4 AskPrice5/8 AskQty5/4 BidPrice6/8 BidQty6/4 "
     "AskPrice6/8 AskQty6/4 BidPrice7/8 BidQty7/4 AskPrice7/8 AskQty7/4 BidPrice8/8 BidQty8/4 "
     "AskPrice8/8 AskQty8/4 BidPrice9/8 BidQty9/4 AskPrice9/8 AskQty9/4 BidPrice10/8 BidQty10/4 "
     "AskPrice10/8 AskQty10/4 BSFlag/1 ExchangeID/17"},
    {"OrderQueryReq", 1147,
     "InvestorID/16 InstrumentID/16 ExchangeID/17"},
    {"Order", 1148,
     "InvestorID/16 TradeDate/11 OrderID/31 OrderDate/11 OrderTime/9 InstrumentID/16 BSFlag/1 OCFlag/1 "
     "PriceType/1 Price/8 Qty/4 QtyLeft/4 AvgPrice/8 ModifyDate/11 ModifyTime/9 OrderStatus/1 "
     "ProfitStopPrice/8 LossStopPrice/8 FilledPoints/4 Margin/8 FrozenMargin/8 ConditionType/1 "
     "ConditionMethod/1 ConditionPrice/8 ExchangeID/17 SessionID/8 OrderRef/31 OrderStatusDesc/31 "
     "AccountID/31 QVLFrontID/4 QVLSessionID/4 QVLOrderRef/31 OrderSysID/31 RequestID/4 ClientID/16 "
     "IPAddress/33 MacAddress/33 InvestorUnit/17 TimeCondition/1 VolumeCondition/1 OrderSubmitStatus/1 "
     "UserProductInfo/11"},
    {"TradeQueryReq", 1149,
     "InvestorID/16 InstrumentID/16 ExchangeID/17"},
    {"Trade", 1150,
     "InvestorID/16 TradeDate/11 MatchID/31 OrderID/31 InstrumentID/16 BSFlag/1 OCFlag/1 Price/8 Qty/4 "
     "MatchDate/11 MatchTime/9 FeeRate/8 Margin/8 ExchangeID/17 AccountID/31 OrderSysID/31 OrderRef/31 "
     "ClientID/16 InvestorUnit/17"},
    {"PosiQueryReq", 1151,
     "InvestorID/16 InstrumentID/16 ExchangeID/17"},
    {"Posi", 1152,
     "TradeDate/11 InvestorID/16 ExchangeID/17 InstrumentID/16 BSFlag/1 Price/8 Qty/4 TodayQty/4 "
     "QtyFrozen/4 TodayQtyFrozen/4 PreQty/4 PrePrice/8 ClosedPL/8 FloatingPL/8 Margin/8 Fee/8 "
     "FrozenMargin/8 FeeFrozen/8 Cost/8 PreCost/8 PositionDate/1 LongFrozen/4 ShortFrozen/4 "
     "LongFrozenAmount/8 ShortFrozenAmount/8 OpenVolume/4 CloseVolume/4 OpenAmount/8 CloseAmount/8 "
     "PreMargin/8 PreSettle/8 SettlePrice/8 OpenCost/8 CloseProfitByDate/8 CloseProfitByTrade/8 "
     "MarginRateType/1 MarginRate/8 PositionCostOffset/8 CashIn/8 FrozenCash/8"},
    {"FundQueryReq", 1164,
     "InvestorID/16"},
    {"Fund", 1165,
     "TradeDate/11 InvestorID/16 LastBalance/8 FloatBalance/8 FreeBalance/8 Margin/8 FrozenMargin/8 "
     "Fee/8 FeeFrozen/8 ClosedPL/8 FloatingPL/8 ProfitLoss/8 TotalPL/8 FrozenBalance/8 InvestorName/51 "
     "AgentName/51 InAmount/8 OutAmount/8 OverNightFee/8 PreMargin/8 CashIn/8 FrozenCash/8"},
    {"InstrumentQueryReq", 1186,
     "InvestorID/16 InstrumentID/16 ExchangeID/17"},
    {"Instrument", 1187,
     "InstrumentID/16 InstrumentName/31 FeeType/1 FeeRate/8 MarginRateType/1 MarginRate/8 "
     "DailyPriceLimit/8 PriceUnit/1 TradeUnit/4 MinMovement/8 PriceScale/8 PriceCoefficient/8 "
     "InstrumentStatus/1 Currency/1 OverNightFee/8 OverNightFeeType/1 PriceMultiply/8 FeeFlag/1 "
     "EachQtyLimt/4 TotalQtyLimt/4 GoodsName/31 PlateName/31 ExchangeID/17 InstrumentType/1 "
     "UnderlyingInstrID/16 StrikePrice/8 OptionsType/1 ExecFee/8 CloseFeeRate/8 CloseTodayFeeRate/8 "
     "ExpiredDate/11 OpenDate/11 DeliveryDate/11 ShortAllowed/4"},
    {"PosiDetailQueryReq", 1267,
     "InvestorID/16 InstrumentID/16 ExchangeID/17"},
    {"PosiDetail", 1268,
     "TradeDate/11 MatchID/31 OrderID/31 InvestorID/16 InstrumentID/16 BSFlag/1 Price/8 Qty/4 "
     "QtyLeft/4 ProfitStopPrice/8 LossStopPrice/8 InvestorName/51 AgentName/51 FloatingPL/8 ClosedPL/8 "
     "Fee/8 Margin/8 CreateDate/11 CreateTime/9 CloseDate/11 CloseTime/9 ClosePrice/8 OverNightFee/8 "
     "QtyFrozen/4 ExchangeID/17 CreatePrice/8 HistoryClosedPL/8 CreateTradeDate/11 PreQtyLeft/4 "
     "PreClosedPL/8 PreClosePrice/8 CloseProfitByDate/8 CloseProfitByTrade/8 PositionProfitByDate/8 "
     "PositionProfitByTrade/8 MarginRateType/1 MarginRate/8 PreSettle/8 SettlePrice/8 CloseVolume/4 "
     "CloseAmount/8 TimeFirstVolume/4 InvestorUnit/17"},
    {"ProfitLossStopSetReq", 1297,
     "InvestorID/16 InstrumentID/16 PosiID/31 ProfitStopPrice/8 LossStopPrice/8"},
    {"ProfitLossStopSetRsp", 1298,
     "InvestorID/16 InstrumentID/16 PosiID/31 ProfitStopPrice/8 LossStopPrice/8"},
    {"BulletinQueryReq", 1378,
     "InvestorID/16"},
    {"Bulletin", 1384,
     "TradeDate/11 BulletinID/16 Title/101 Content/501 PublishDate/11 PublishTime/9 CreateDate/11 "
     "CreateTime/9 PublishMethod/1 PublishUserID/16"},
    {"NoticeQueryReq", 1393,
     "InvestorID/16"},
    {"Notice", 1399,
     "TradeDate/11 NoticeID/16 Title/101 Content/501 PublishDate/11 PublishTime/9 CreateDate/11 "
     "CreateTime/9 PublishMethod/1 PublishUserID/16"},
    {"ElectronicFundIOReq", 1411,
     "InvestorID/16 FundIODirection/1 Amount/8 ReceiveAccountID/41 ReceiveAccountName/101 "
     "ReceiveBankID/11"},
    {"ElectronicFundIORsp", 1412,
     "InvestorID/16 FundIOSeqno/31 FundIODirection/1 Amount/8 ReceiveAccountID/41 "
     "ReceiveAccountName/101 ReceiveBankID/11 CreateDate/11 CreateTime/9 FundIOStatus/1 "
     "FundIOStatusDesc/257 CompleteDate/11 CompleteTime/9 PayURL/1025"},
    {"ElectronicFundIONty", 1415,
     "TradeDate/11 InvestorID/16 FundIOSeqno/31 FundIODirection/1 Amount/8 ReceiveAccountID/41 "
     "ReceiveAccountName/101 ReceiveBankID/11 FundIOStatus/1 FundIOStatusDesc/257 CreateDate/11 "
     "CreateTime/9 CompleteDate/11 CompleteTime/9 PayURL/1025"},
    {"FundIODetailQueryReq", 1419,
     "InvestorID/16 DateFrom/11 DateTo/11"},
    {"FundIODetail", 1417,
     "TradeDate/11 FundIOSeqno/31 InvestorID/16 FundIODirection/1 Amount/8 ReceiveAccountID/41 "
     "ReceiveAccountName/101 ReceiveBankID/11 FundIOStatus/1 CreateDate/11 CreateTime/9 "
     "CompleteDate/11 CompleteTime/9 FundIOMethod/1 FundIOStatusDesc/257 ReceiveBranchName/101 "
     "PaySeqno/31"},
    {"ReportQueryReq", 1425,
     "InvestorID/16 DateFrom/11 DateTo/11"},
    {"Report", 1423,
     "ReportData/1001"},
    {"HisOrderQueryReq", 1427,
     "InvestorID/16 InstrumentID/16 DateFrom/11 DateTo/11"},
    {"HisTradeQueryReq", 1428,
     "InvestorID/16 InstrumentID/16 DateFrom/11 DateTo/11"},
    {"HisBulletinQueryReq", 1429,
     "InvestorID/16 DateFrom/11 DateTo/11"},
    {"HisNoticeQueryReq", 1430,
     "InvestorID/16 DateFrom/11 DateTo/11"},
    {"AccountBindReq", 1488,
     "InvestorID/16 ReceiveAccountID/41 ReceiveAccountName/101 ReceiveBankID/11 ReceiveBranchName/101 "
     "ReceiveProvice/51 ReceiveCity/51 CredentialType/1 CredentialNo/51"},
    {"AccountBindRsp", 1489,
     "InvestorID/16 AccountBindURL/1025 AccountBindStatus/1"},
    {"AccountBindQueryReq", 1486,
     "InvestorID/16"},
    {"AccountBind", 1484,
     "InvestorID/16 ReceiveAccountID/41 ReceiveAccountName/101 ReceiveBankID/11 ReceiveBranchName/101 "
     "ReceiveProvice/51 ReceiveCity/51 AccountBindStatus/1 AccountBindStatusDesc/257 CredentialType/1 "
     "CredentialNo/51"},
    {"HisFundQueryReq", 1160,
     "InvestorID/16 DateFrom/11 DateTo/11"},
    {"HisPosiDetailQueryReq", 1261,
     "InvestorID/16 InstrumentID/16 DateFrom/11 DateTo/11 ExchangeID/17"},
    {"ProductQueryReq", 1829,
     "ExchangeID/17 InstrumentType/1 ProductID/11"},
    {"Product", 1830,
     "ExchangeID/17 InstrumentType/1 ProductID/11 ProductName/31"},
    {"ExchangeQueryReq", 1832,
     "ExchangeID/17"},
    {"Exchange", 1803,
     "ExchangeID/17 ExchangeName/51"},
    {"InvestorFeeRateQueryReq", 1835,
     "InvestorID/16 ExchangeID/17 InstrumentID/16"},
    {"InvestorFeeRate", 1836,
     "InvestorID/16 ExchangeID/17 InstrumentID/16 FeeType/1 FeeRate/8 CloseFeeRate/8 "
     "CloseTodayFeeRate/8"},
    {"InvestorMarginRateQueryReq", 1838,
     "InvestorID/16 ExchangeID/17 InstrumentID/16"},
    {"InvestorMarginRate", 1839,
     "InvestorID/16 ExchangeID/17 InstrumentID/16 MarginRateType/1 LongMarginRate/8 ShortMarginRate/8"},
    {"ExchangeMarginRateQueryReq", 1841,
     "InvestorID/16 ExchangeID/17 InstrumentID/16"},
    {"ExchangeMarginRate", 1842,
     "ExchangeID/17 InstrumentID/16 MarginRateType/1 LongMarginRate/8 ShortMarginRate/8"},
    {"MarketStatusNty", 1159,
     "MarketStatus/1 MarketStatusDesc/31 ExchangeID/17"},
};
// clang-format on
