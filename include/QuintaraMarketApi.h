// Quintara trading SDK: real-time market data (CMarketApi, IMarketEvent).
#ifndef QUINTARA_MARKET_API_H
#define QUINTARA_MARKET_API_H

#include "QuintaraDefine.h"

// Number of contract entries of one subscription request.
#define QUINTARA_MAX_SUBSCRIBE_CONTRACTS 20

namespace Quintara {

// Response info of every market answer: ErrorID 0 means success; otherwise ErrorMsg holds the text.
struct CMarketRspInfoField {
    int ErrorID;
    char ErrorMsg[256];
};

// ReqUserLogin: UserId, UserPwd and BrokerIDForMarketPrice are required; Reserved1 to Reserved6 are
// neither read nor written. ErrorMsg receives the reason when the request returns 0.
struct CMarketReqUserLoginField {
    char UserId[256];
    char UserPwd[256];
    char Reserved1[256];
    char Reserved2[256];
    char Reserved3[256];
    char Reserved4[256];
    char Reserved5[256];
    char Reserved6[256];
    char ErrorMsg[256];
    char BrokerIDForMarketPrice[256];
};

// ReqMarketData: MarketType 'S' stock or 'D' derivatives; SubscribeAction '1' add, '2' add with the
// "T" marker, '3' remove, '4' remove all; ContractCount entries of Contracts are used (at most 20),
// each "contract,exchange" (a comma is required).
struct CMarketReqMarketDataField {
    char MarketType;
    char SubscribeAction;
    int ContractCount;
    char Contracts[QUINTARA_MAX_SUBSCRIBE_CONTRACTS][256];
    char ErrorMsg[256];
};

// ReqBrokerData: BrokerKey is sent unchanged.
struct CMarketReqBrokerDataField {
    char BrokerKey[256];
    char ErrorMsg[256];
};

// OnRspMarketData: one quote (a full quote, or a 'Y' or 'M' update; RecordType tells which). The
// Depth members hold five levels of four values of a full quote. Valid only during the call.
// (members in record order)
struct CMarketMarketDataField {
    char Item00[256];
    char Item01[256];
    char Item02[256];
    char Item03[256];
    char Item04[256];
    char Item05[256];
    char Item06[256];
    char Item07[256];
    char Item08[256];
    char Item09[256];
    char Item10[256];
    char Item11[256];
    char Item12[256];
    char Item13[256];
    char Item14[256];
    char Item15[256];
    char Item16[256];
    char Item17[256];
    char Item18[256];
    char Item19[256];
    char Item20[256];
    char Item21[256];
    char Item22[256];
    char Item23[256];
    char Item24[256];
    char Item25[256];
    char Item26[256];
    char Item27[256];
    char Item28[256];
    char Item29[256];
    char Item30[256];
    char Item31[256];
    char Item32[256];
    char Item33[256];
    char Item34[256];
    char Item35[256];
    char Item36[256];
    char Item37[256];
    char Item38[256];
    char DepthA1[256];
    char DepthA2[256];
    char DepthA3[256];
    char DepthA4[256];
    char DepthA5[256];
    char DepthB1[256];
    char DepthB2[256];
    char DepthB3[256];
    char DepthB4[256];
    char DepthB5[256];
    char DepthC1[256];
    char DepthC2[256];
    char DepthC3[256];
    char DepthC4[256];
    char DepthC5[256];
    char DepthD1[256];
    char DepthD2[256];
    char DepthD3[256];
    char DepthD4[256];
    char DepthD5[256];
    char Item59[256];
    char Item60[256];
    char Item61[256];
    char Item62[256];
    char RecordType[256];
    char Item64[256];
    char Item65[256];
};

// OnRspBrokerData: the broker text, at most 4095 bytes.
struct CMarketBrokerDataField {
    char BrokerData[4096];
};

// OnPushTradeDate: the text before and after the first ':' of the record.
struct CMarketTradeDateField {
    char Key[256];
    char Value[256];
};

// ---------------------------------------------------------------------------------------------
// Events of a market API object. Implement the callbacks you need (the others do nothing).
//
// Every callback runs on the library's receive thread, one after another; a slow callback delays
// every quote behind it. The pointers passed are valid only during the call. The library never
// deletes the sink; keep it alive until Release() has returned.
// ---------------------------------------------------------------------------------------------
class QUINTARA_API IMarketEvent {
public:
    // A TCP connection to the server stands. Log in (again) from here; subscribe again after the
    // login answer: the library repeats nothing by itself after a reconnection.
    virtual void OnConnect() {}
    // The connection was lost (library error code); the library reconnects 10 seconds later.
    virtual void OnDisconnect(int /*errorCode*/) {}
    // A heartbeat was sent after `idleSeconds` without traffic.
    virtual void OnHeartBeat(long long /*idleSeconds*/) {}
    // The body of every "MARKET01" quote message exactly as received, before parsing.
    virtual void OnRspRawMarketData(const char* /*body*/) {}
    // Login result; IsLast is true for the login answer, false for key-exchange failures.
    virtual void OnRspUserLogin(CMarketRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    // A trade date (IsLast is false on a delivered record).
    virtual void OnPushTradeDate(CMarketTradeDateField* /*data*/, CMarketRspInfoField* /*rspInfo*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    // Broker data (IsLast is false on a delivered record).
    virtual void OnRspBrokerData(CMarketBrokerDataField* /*data*/, CMarketRspInfoField* /*rspInfo*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    // A parsed quote (IsLast is false on a delivered quote; true only on an error or empty call).
    virtual void OnRspMarketData(CMarketMarketDataField* /*data*/, CMarketRspInfoField* /*rspInfo*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    // The account logged in elsewhere.
    virtual void OnKickOut(CMarketRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}

protected:
    // Not deleted through this interface: the application owns its sink.
    ~IMarketEvent() {}
};

// ---------------------------------------------------------------------------------------------
// The market data API object. Create it with CreateMarketApi, register the sink and the server,
// call Init once, and end it with Release (never delete it). Requests may be called from any
// application thread; ReqBrokerData and ReqMarketData are refused before the market login.
// ---------------------------------------------------------------------------------------------
class QUINTARA_API CMarketApi {
public:
    // New market API object; it logs into ./CoreLog. A null logFile is treated as empty.
    static CMarketApi* CreateMarketApi(bool writeLog, const char* logFile);
    // "1.18.2.0".
    static const char* GetVersion();

    // Allocates the parse buffers and starts the receive thread. Call once.
    virtual bool Init() = 0;
    // Stops the receive thread, closes the connection and destroys the object (see CStockApi::Release).
    virtual void Release() = 0;
    // Seconds without traffic before a heartbeat is sent, clamped to 5..86400; check: count
    // unanswered heartbeats and give the connection up at the third. Call before Init.
    virtual void SetHeartBeatTimeout(int seconds, bool check) = 0;
    // The event sink (not owned). Call before Init; events are dropped while none is registered.
    virtual void RegisterSpi(IMarketEvent* spi) = 0;
    // Server address "tcp://a.b.c.d:port". Call before Init; the last one counts.
    virtual void RegisterNameServer(const char* address) = 0;
    // Starts the login (key exchange, then the encrypted login).
    virtual int ReqUserLogin(CMarketReqUserLoginField* field, int requestId) = 0;
    // "BROKER".
    virtual int ReqBrokerData(CMarketReqBrokerDataField* field, int requestId) = 0;
    // Subscription change; the calling thread pauses 100 ms after a send.
    virtual int ReqMarketData(CMarketReqMarketDataField* field, int requestId) = 0;

protected:
    virtual ~CMarketApi() {}
};

}  // namespace Quintara

#endif  // QUINTARA_MARKET_API_H
