// Records shared by the trading library (ordergate) and the market-data library (quotegate), and the
// export macro of both. Plain C++11; every offset and size below is part of the binary contract with
// the calling program and is checked at compile time.
#ifndef ZANTU_VEXT_SHARED_RECORDS_H
#define ZANTU_VEXT_SHARED_RECORDS_H

#include <cstddef>

// Marks the exported classes (and with them their static factory and version functions). Everything
// else in the libraries is built with hidden visibility.
#if defined(_WIN32)
#if defined(ZANTU_VEXT_BUILD)
#define ZANTU_VEXT_EXPORT __declspec(dllexport)
#else
#define ZANTU_VEXT_EXPORT __declspec(dllimport)
#endif
#else
#define ZANTU_VEXT_EXPORT __attribute__((visibility("default")))
#endif

// Layout check used after each public record: the member starts at the contract's offset.
#define ZANTU_VEXT_AT(Record, Member, Offset) \
    static_assert(offsetof(Record, Member) == (Offset), #Record "." #Member " must start at byte " #Offset)
#define ZANTU_VEXT_SIZE(Record, Size) \
    static_assert(sizeof(Record) == (Size), #Record " must be " #Size " bytes")

// Conventions of every public record: text members are NUL-terminated character arrays (GBK where not
// ASCII); int is 32-bit signed, double IEEE 754; a single char member holds one code character. Members
// named ReservedN or FixedN stand at byte N: reserved bytes are zero in records the libraries build and
// are not read in records they receive; fixed members always carry the value documented beside them.
// A record handed to a callback is valid only until the callback returns.

// Status of a reply: ErrorCode 0 is success; otherwise the server's code (0 to 65535) and its text.
struct CZantuVextRspInfo {
    int ErrorCode;
    char ErrorText[81];
    char Reserved85[3];
};
ZANTU_VEXT_SIZE(CZantuVextRspInfo, 88);
ZANTU_VEXT_AT(CZantuVextRspInfo, ErrorCode, 0);
ZANTU_VEXT_AT(CZantuVextRspInfo, ErrorText, 4);

// Login request. The libraries read only BrokerCode (first 10 characters), UserCode (first 15) and
// LoginPassword (first 20), never the record as a whole, so a caller's record may be longer.
struct CZantuVextLoginRequest {
    char Reserved0[9];
    char BrokerCode[11];
    char UserCode[16];
    char LoginPassword[41];
};
ZANTU_VEXT_SIZE(CZantuVextLoginRequest, 77);
ZANTU_VEXT_AT(CZantuVextLoginRequest, BrokerCode, 9);
ZANTU_VEXT_AT(CZantuVextLoginRequest, UserCode, 20);
ZANTU_VEXT_AT(CZantuVextLoginRequest, LoginPassword, 36);

// Login reply. TradingDate is YYYYMMDD; LoginClock and the five exchange clocks are the local time of
// the reply, HH:MM:SS; OrderRefSeed is "1".
struct CZantuVextLoginReply {
    char TradingDate[9];
    char LoginClock[9];
    char BrokerCode[11];
    char UserCode[16];
    char ServerName[41];
    char Reserved86[2];
    int FrontNumber;
    int SessionNumber;
    char OrderRefSeed[13];
    char ExchangeClock1[9];
    char ExchangeClock2[9];
    char ExchangeClock3[9];
    char ExchangeClock4[9];
    char ExchangeClock5[9];
    char Reserved154[2];
};
ZANTU_VEXT_SIZE(CZantuVextLoginReply, 156);
ZANTU_VEXT_AT(CZantuVextLoginReply, TradingDate, 0);
ZANTU_VEXT_AT(CZantuVextLoginReply, LoginClock, 9);
ZANTU_VEXT_AT(CZantuVextLoginReply, BrokerCode, 18);
ZANTU_VEXT_AT(CZantuVextLoginReply, UserCode, 29);
ZANTU_VEXT_AT(CZantuVextLoginReply, ServerName, 45);
ZANTU_VEXT_AT(CZantuVextLoginReply, FrontNumber, 88);
ZANTU_VEXT_AT(CZantuVextLoginReply, SessionNumber, 92);
ZANTU_VEXT_AT(CZantuVextLoginReply, OrderRefSeed, 96);
ZANTU_VEXT_AT(CZantuVextLoginReply, ExchangeClock1, 109);
ZANTU_VEXT_AT(CZantuVextLoginReply, ExchangeClock2, 118);
ZANTU_VEXT_AT(CZantuVextLoginReply, ExchangeClock3, 127);
ZANTU_VEXT_AT(CZantuVextLoginReply, ExchangeClock4, 136);
ZANTU_VEXT_AT(CZantuVextLoginReply, ExchangeClock5, 145);

// Logout request (not read) and logout reply (UserCode set, BrokerCode empty).
struct CZantuVextLogoutRecord {
    char BrokerCode[11];
    char UserCode[16];
};
ZANTU_VEXT_SIZE(CZantuVextLogoutRecord, 27);
ZANTU_VEXT_AT(CZantuVextLogoutRecord, BrokerCode, 0);
ZANTU_VEXT_AT(CZantuVextLogoutRecord, UserCode, 11);

// Depth market data: one quote with five price levels. Dates are YYYYMMDD, SnapshotTime HH:MM:SS.
// Pushed by the market-data library and returned by the trading library's market-snapshot query.
struct CZantuVextMarketSnapshot {
    char TradingDate[9];
    char InstrumentCode[31];
    char ExchangeCode[9];
    char Reserved49[31];
    double LastTradePrice;
    double PriorSettle;
    double PriorClose;
    double PriorOpenInterest;
    double SessionOpen;
    double SessionHigh;
    double SessionLow;
    int TotalVolume;
    char Reserved140[4];
    double TotalTurnover;
    double CurrentOpenInterest;
    double LastPriceCopy;
    double CurrentSettle;
    double LimitUp;
    double LimitDown;
    char Reserved192[16];
    char SnapshotTime[9];
    char Reserved217[7];
    double Bid1Price;
    int Bid1Qty;
    char Reserved236[4];
    double Ask1Price;
    int Ask1Qty;
    char Reserved252[4];
    double Bid2Price;
    int Bid2Qty;
    char Reserved268[4];
    double Ask2Price;
    int Ask2Qty;
    char Reserved284[4];
    double Bid3Price;
    int Bid3Qty;
    char Reserved300[4];
    double Ask3Price;
    int Ask3Qty;
    char Reserved316[4];
    double Bid4Price;
    int Bid4Qty;
    char Reserved332[4];
    double Ask4Price;
    int Ask4Qty;
    char Reserved348[4];
    double Bid5Price;
    int Bid5Qty;
    char Reserved364[4];
    double Ask5Price;
    int Ask5Qty;
    char Reserved380[4];
    double Reserved384;  // always 0.0
    char ChangeDate[9];
    char Reserved401[7];
};
ZANTU_VEXT_SIZE(CZantuVextMarketSnapshot, 408);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, TradingDate, 0);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, InstrumentCode, 9);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, ExchangeCode, 40);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Reserved49, 49);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, LastTradePrice, 80);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, PriorSettle, 88);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, PriorClose, 96);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, PriorOpenInterest, 104);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, SessionOpen, 112);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, SessionHigh, 120);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, SessionLow, 128);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, TotalVolume, 136);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, TotalTurnover, 144);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, CurrentOpenInterest, 152);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, LastPriceCopy, 160);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, CurrentSettle, 168);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, LimitUp, 176);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, LimitDown, 184);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Reserved192, 192);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, SnapshotTime, 208);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Reserved217, 217);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid1Price, 224);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid1Qty, 232);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask1Price, 240);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask1Qty, 248);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid2Price, 256);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid2Qty, 264);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask2Price, 272);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask2Qty, 280);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid3Price, 288);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid3Qty, 296);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask3Price, 304);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask3Qty, 312);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid4Price, 320);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid4Qty, 328);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask4Price, 336);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask4Qty, 344);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid5Price, 352);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Bid5Qty, 360);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask5Price, 368);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Ask5Qty, 376);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, Reserved384, 384);
ZANTU_VEXT_AT(CZantuVextMarketSnapshot, ChangeDate, 392);

#endif
