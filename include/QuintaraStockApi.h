// Quintara trading SDK: Hong Kong and US stock trading (CStockApi, IStockEvent).
#ifndef QUINTARA_STOCK_API_H
#define QUINTARA_STOCK_API_H

#include "QuintaraDefine.h"

namespace Quintara {

// ---------------------------------------------------------------------------------------------
// Response info of every stock answer: ErrorID 0 means success; otherwise ErrorMsg holds the text.
// ---------------------------------------------------------------------------------------------
struct CStockRspInfoField {
    int ErrorID;
    char ErrorMsg[256];
};

// ---------------------------------------------------------------------------------------------
// Request structs. Filled by the application; text members are NUL-terminated (read at most to
// their size). ErrorMsg receives the reason when the request returns 0; on success the struct is
// left untouched.
// ---------------------------------------------------------------------------------------------
// ReqUserLogin: every member but Reserved and ExtraInfo is required.
struct CStockReqUserLoginField {
    char UserId[256];
    char UserPwd[256];
    char Reserved[256];
    char ExtraInfo[256];
    char ComputerName[256];
    char SoftwareName[256];
    char SoftwareVersion[256];
    char AuthorCode[256];
    char ErrorMsg[256];
};
// ReqUserLogout: the reserved members are not read.
struct CStockReqUserLogoutField {
    char Reserved1[256];
    char Reserved2[256];
    char ErrorMsg[256];
};
// ReqSafeVerify: answers to the security questions (fields as the server expects).
struct CStockReqSafeVerifyField {
    char VerifyField1[256];
    char VerifyField2[256];
    char VerifyField3[256];
    char VerifyField4[256];
    char VerifyField5[256];
    char VerifyField6[256];
    char VerifyField7[256];
    char VerifyField8[256];
    char VerifyExtra[256];
    char ErrorMsg[256];
};
// ReqVerifyCode: request for a verification code.
struct CStockReqVerifyCodeField {
    char VerifyField1[256];
    char VerifyField2[256];
    char VerifyField3[256];
    char VerifyField4[256];
    char VerifyField5[256];
    char VerifyField6[256];
    char VerifyField7[256];
    char ErrorMsg[256];
};
// ReqSetVerifyQA: security questions and answers to set.
struct CStockReqSetVerifyQAField {
    char VerifyField1[256];
    char VerifyField2[256];
    char VerifyField3[256];
    char VerifyField4[256];
    char VerifyField5[256];
    char VerifyField6[256];
    char VerifyField7[256];
    char VerifyField8[256];
    char ErrorMsg[256];
};
// ReqGetQuestion: Reserved is not read.
struct CStockReqGetQuestionField {
    int Reserved;
    char ErrorMsg[256];
};
// ReqOrderInsert: ItemNN members go to body position NN unchanged. An ExchangeNo of exactly
// "NASD" is sent in the head only.
struct CStockReqOrderInsertField {
    char UserId[256];
    char AccountNo[256];
    char LocalNo[256];
    char ExchangeNo[256];
    char Item06[256];
    char Item07[256];
    char Item16[256];
    char Item08[256];
    char Item09[256];
    char Item11[256];
    char Item14[256];
    char Item15[256];
    char Item17[256];
    char Item18[256];
    char Item19[256];
    char ErrorMsg[256];
};
// ReqOrderModify.
struct CStockReqOrderModifyField {
    char SystemNo[256];
    char UserId[256];
    char LocalNo[256];
    char AccountNo[256];
    char Item04[256];
    char ExchangeNo[256];
    char Item06[256];
    char Item07[256];
    char Item08[256];
    char Item09[256];
    char Item11[256];
    char Item12[256];
    char Item14[256];
    char Item16[256];
    char Item17[256];
    char Item18[256];
    char ErrorMsg[256];
};
// ReqOrderCancel.
struct CStockReqOrderCancelField {
    char UserId[256];
    char LocalNo[256];
    char AccountNo[256];
    char SystemNo[256];
    char Item06[256];
    char ExchangeNo[256];
    char Item08[256];
    char Item09[256];
    char Item10[256];
    char Item11[256];
    char Item14[256];
    char ErrorMsg[256];
};
// ReqPasswordUpdate: the three password fields as the server expects them.
struct CStockReqPasswordUpdateField {
    char PwsField1[256];
    char PwsField2[256];
    char PwsField3[256];
    char ErrorMsg[256];
};
// ReqQryTick.
struct CStockQryTickField {
    char Reserved;
    char ErrorMsg[256];
};
// ReqQryOrder: Item00 goes to body position 0; the reserved members are not read.
struct CStockQryOrderField {
    char Item00[256];
    char Reserved1[256];
    char Reserved2[256];
    char Reserved3[256];
    char Reserved4[256];
    char ErrorMsg[256];
};
// ReqQryTrade: Item04 goes to body position 4.
struct CStockQryTradeField {
    char Item04[256];
    char ErrorMsg[256];
};
// ReqQryCapital.
struct CStockQryCapitalField {
    char Reserved;
    char ErrorMsg[256];
};
// ReqQryVersion: the user's credentials.
struct CStockQryVersionField {
    char UserId[256];
    char UserPwd[256];
    char ErrorMsg[256];
};
// ReqQryPosition.
struct CStockQryPositionField {
    char ErrorMsg[256];
};
// ReqQryCurrency.
struct CStockQryCurrencyField {
    char Reserved;
    char ErrorMsg[256];
};
// ReqQryExchange.
struct CStockQryExchangeField {
    char Reserved[256];
    char ErrorMsg[256];
};
// ReqQryInstrument: ExchangeNo is required; HeadField1/HeadField2 travel in the message head.
struct CStockQryInstrumentField {
    int HeadField2;
    char ExchangeNo[256];
    char HeadField1[256];
    char ErrorMsg[256];
};

// ---------------------------------------------------------------------------------------------
// Data structs handed to callbacks: zero-filled before each record, valid only during the call.
// ItemNN members come from record field NN and are passed through without interpretation.
// ---------------------------------------------------------------------------------------------
// OnRspUserLoginInfo: one login record.
struct CStockUserLoginInfoField {
    char AccountNo[256];
    char LoginField01[256];
    char LoginField02[256];
    char LoginField03[256];
    char LoginField04[256];
    char LoginField05[256];
    char LoginField06[256];
    char LoginField07[256];
    char LoginField08[256];
    char LoginField09[256];
    char LoginField10[256];
    char LoginField11[256];
    char LoginField12[256];
    char LoginField13[256];
    char LoginField14[256];
    char LoginField15[256];
    char LoginField16[256];
    char LoginField17[256];
    char LoginField18[256];
    char LoginField19[256];
    char LoginField20[256];
    char LoginField21[256];
    char LoginField22[256];
    char LoginField23[256];
    char LoginField24[256];
    char LoginField25[256];
    char LoginField26[256];
    char LoginField27[256];
    char LoginField28[256];
    char LoginField29[256];
    char LoginField30[256];
    char LoginField31[256];
    char LoginField32[256];
    char LoginField33[256];
    char LoginField34[256];
    char VerifyStep[256];
    char LoginField36[256];
    char SetAnswerStep[256];
    char LoginField38[256];
    char LoginField39[256];
    char LoginField40[256];
    char LoginField41[256];
    char LoginField42[256];
    char LoginField43[256];
    char LoginField44[256];
    char LoginField45[256];
};
// OnRspGetQuestion: one security question.
struct CStockQuestionField {
    char QuestionField1[256];
    char QuestionField2[256];
    char QuestionField3[256];
    char QuestionField4[256];
};
// OnRspOrderInsert / OnRspOrderModify.
struct CStockOrderField {
    char UserId[256];
    char Item01[256];
    char SystemNo[256];
    char LocalNo[256];
    char Item04[256];
    char Item08[256];
    char Item09[256];
    char Item10[256];
    char Item11[256];
    char Item12[256];
    char Item16[256];
    char Item18[256];
    char Item19[256];
    char Item20[256];
    char Item21[256];
    char Item24[256];
    char Item25[256];
    char Item26[256];
    char Item27[256];
    char Item28[256];
    char Item29[256];
    char Item30[256];
};
// OnRspOrderCancel.
struct CStockCancelField {
    char UserId[256];
    char AccountNo[256];
    char SystemNo[256];
    char LocalNo[256];
    char Item03[256];
    char Item04[256];
    char Item05[256];
    char Item06[256];
    char Item07[256];
    char Item08[256];
    char Item09[256];
    char Item10[256];
    char Item11[256];
    char Item13[256];
    char Item15[256];
    char Item16[256];
    char Item17[256];
};
// OnRspPasswordUpdate.
struct CStockPasswordField {
    char PwsField1[256];
    char PwsField2[256];
    char PwsField3[256];
};
// OnPushFilled / OnRspQryTrade. Extra is always empty.
struct CStockTradeField {
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
    char Extra[256];
};
// OnPushOrderStatus.
struct CStockOrderStatusField {
    char LocalNo[256];
    char Item00[256];
    char Item01[256];
    char Item02[256];
    int Item03;
    int Item04;
    double Item05;
    int Item06;
    double Item07;
    double Item08;
    int Item09;
    double Item10;
    double Item11;
    char Item12[256];
    double Item13;
    int Item14;
    char Item15[256];
    char Item16[256];
    double Item17;
    double Item18;
    double Item19;
    double Item20;
};
// OnPushCapital.
struct CStockCapitalField {
    char Item14[256];
    char Item00[256];
    char Item01[256];
    double Item02;
    double Item03;
    double Item04;
    double Item05;
    double Item06;
    double Item07;
    double Item08;
    double Item09;
    double Item10;
    int Item11;
    double Item12;
    double Item13;
    double Item15;
    double Item16;
    double Item17;
    double Item18;
    char Item19[256];
    char Item20[256];
    char Item21[256];
    int Item22;
    int Item23;
    double Item24;
    int Item25;
    double Item26;
    double Item27;
    int Item28;
    double Item29;
    double Item30;
    char Item31[256];
    double Item32;
    double Item33;
    double Item34;
    double Item35;
    double Item36;
    double Item37;
    double Item38;
    double Item39;
    double Item40;
    double Item41;
    double Item42;
    double Item43;
    double Item44;
    double Item45;
};
// OnPushPosition / OnRspQryPosition.
struct CStockPositionField {
    char Item00[256];
    char Item01[256];
    char Item02[256];
    char Item03[256];
    double Item04;
    int Item05;
    int Item06;
    int Item07;
    double Item08;
    double Item09;
    int Item10;
    int Item11;
    char Item12[256];
    double Item13;
    int Item14;
    int Item15;
    int Item16;
    int Item17;
    int Item18;
    int Item20;
    double Item21;
    double Item22;
};
// OnRspQryOrder.
struct CStockOrderListField {
    char Item00[256];
    char Item01[256];
    char SystemNo[256];
    char LocalNo[256];
    char Item04[256];
    char Item08[256];
    char Item09[256];
    char Item10[256];
    char Item11[256];
    char Item12[256];
    char Item13[256];
    char Item14[256];
    char Item16[256];
    char Item18[256];
    char Item19[256];
    char Item20[256];
    char Item21[256];
    char Item23[256];
    char Item24[256];
    char Item25[256];
    char Item26[256];
    char Item27[256];
    char Item28[256];
    char Item29[256];
    char Item30[256];
    char Item31[256];
};
// OnRspQryCapital (member order differs from the record order). Extra is always empty.
struct CStockAccountField {
    char Item00[256];
    char Item05[256];
    char Item06[256];
    char Item07[256];
    char Item09[256];
    char Item08[256];
    char Item10[256];
    char Item12[256];
    char Item11[256];
    char Item02[256];
    char Item04[256];
    char Item03[256];
    char Item13[256];
    char Item18[256];
    double Item19;
    double Item17;
    double Item20;
    double Item21;
    double Item22;
    double Item23;
    double Item25;
    char Item01[256];
    double Item26;
    double Item27;
    double Item28;
    double Item29;
    double Item30;
    double Item31;
    double Item32;
    double Item33;
    double Item34;
    double Item35;
    double Item36;
    double Item37;
    double Item38;
    double Item39;
    double Item40;
    char Extra[256];
};
// OnRspQryTick: one row of the price tick table.
struct CStockTickField {
    char TickField00[256];
    char TickField01[256];
    char TickField02[256];
    char TickField03[256];
    char TickField04[256];
    char TickField05[256];
};
// OnRspQryVersion.
struct CStockVersionField {
    char VersionField00[256];
    char VersionField01[256];
    char VersionField02[256];
    char VersionField03[256];
    char VersionField04[256];
};
// OnRspQryCurrency.
struct CStockCurrencyField {
    char CurrencyField00[256];
    int CurrencyField01;
    double CurrencyField02;
    char CurrencyField03[256];
    char CurrencyField04[256];
};
// OnRspQryExchange.
struct CStockExchangeField {
    char ExchangeField00[256];
    char ExchangeField01[256];
    char ExchangeField02[256];
    char ExchangeField03[256];
};
// OnRspQryInstrument: one instrument. InstrumentField30 is the single byte 1 or empty.
struct CStockInstrumentField {
    char ExchangeNo[256];
    char InstrumentField01[256];
    char InstrumentField02[256];
    char InstrumentField03[256];
    char InstrumentField04[256];
    char InstrumentField05[256];
    char InstrumentField06[256];
    double InstrumentField07;
    double InstrumentField08;
    double InstrumentField09;
    char InstrumentField10[256];
    int InstrumentField11;
    int InstrumentField12;
    int InstrumentField13;
    double InstrumentField14;
    char InstrumentField15[256];
    double InstrumentField16;
    double InstrumentField17;
    double InstrumentField18;
    double InstrumentField19;
    double InstrumentField20;
    double InstrumentField21;
    double InstrumentField22;
    char InstrumentField23[256];
    char InstrumentField24[256];
    double InstrumentField25;
    double InstrumentField26;
    char InstrumentField27[256];
    char InstrumentField28[256];
    char InstrumentField29[256];
    char InstrumentField30[256];
    char InstrumentField31[256];
    char InstrumentField32[256];
    char InstrumentField33[256];
    char InstrumentField34[256];
    char InstrumentField35[256];
    char InstrumentField36[256];
    char InstrumentField37[256];
    char InstrumentField38[256];
    double InstrumentField39;
    double InstrumentField40;
    double InstrumentField41;
    double InstrumentField42;
    double InstrumentField43;
    char InstrumentField44[256];
    double InstrumentField45;
    char InstrumentField46[256];
    char InstrumentField47[256];
    char InstrumentField48[256];
};

// ---------------------------------------------------------------------------------------------
// Events of a stock API object. Implement the callbacks you need (the others do nothing).
//
// Every callback runs on the library's receive thread, one after another. A callback must return
// quickly (it delays every message behind it) and must not block on the API object. The structs
// passed are valid only during the call: copy what you keep. The library never deletes the sink;
// keep it alive until Release() has returned.
// ---------------------------------------------------------------------------------------------
class QUINTARA_API IStockEvent {
public:
    // A TCP connection to the server stands. Log in (again) from here: after every reconnection
    // the server expects a new ReqUserLogin.
    virtual void OnConnect() {}
    // The connection was lost; the library reconnects by itself 10 seconds later.
    // errorCode: 4003/4004 receive failed or peer closed, 4005/4006 send failed, 4007 wait failed,
    // 4008 no login answer within 60 seconds, 0 heartbeats unanswered.
    virtual void OnDisconnect(int /*errorCode*/) {}
    // A heartbeat was sent after `idleSeconds` without traffic.
    virtual void OnHeartBeat(long long /*idleSeconds*/) {}
    // The login answer demands security verification (needVerify is always true).
    virtual void OnRspNeedVerify(bool /*needVerify*/, bool /*questionsSet*/) {}
    // Login result (also key-exchange failures, ErrorID 90005). IsLast is always false.
    virtual void OnRspUserLogin(CStockRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    // Logout answer, and the kick-out notice when the account logged in elsewhere.
    virtual void OnRspUserLogout(CStockRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspVerifyCode(CStockRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspSafeVerify(CStockRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspSetVerifyQA(CStockRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    // Answers and pushes that carry records: one call per record, IsLast true on the last one.
    virtual void OnRspUserLoginInfo(CStockUserLoginInfoField* /*data*/, CStockRspInfoField* /*rspInfo*/,
                                    int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspGetQuestion(CStockQuestionField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspOrderInsert(CStockOrderField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspOrderModify(CStockOrderField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspOrderCancel(CStockCancelField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspPasswordUpdate(CStockPasswordField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                     bool /*isLast*/) {}
    virtual void OnPushFilled(CStockTradeField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                              bool /*isLast*/) {}
    virtual void OnPushOrderStatus(CStockOrderStatusField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                   bool /*isLast*/) {}
    virtual void OnPushCapital(CStockCapitalField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                               bool /*isLast*/) {}
    virtual void OnPushPosition(CStockPositionField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnRspQryTick(CStockTickField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                              bool /*isLast*/) {}
    virtual void OnRspQryOrder(CStockOrderListField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                               bool /*isLast*/) {}
    virtual void OnRspQryTrade(CStockTradeField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                               bool /*isLast*/) {}
    virtual void OnRspQryCapital(CStockAccountField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    virtual void OnRspQryVersion(CStockVersionField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    virtual void OnRspQryPosition(CStockPositionField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspQryCurrency(CStockCurrencyField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspQryExchange(CStockExchangeField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspQryInstrument(CStockInstrumentField* /*data*/, CStockRspInfoField* /*rspInfo*/, int /*requestId*/,
                                    bool /*isLast*/) {}

protected:
    // Not deleted through this interface: the application owns its sink.
    ~IStockEvent() {}
};

// ---------------------------------------------------------------------------------------------
// The stock trading API object. Create it with CreateStockApi, register the sink and the server,
// call Init once, and end it with Release (never delete it).
//
// Every Req... returns 1 when the message was handed to the connection and 0 when it was not (the
// reason is then in the struct's ErrorMsg); answers arrive later on IStockEvent. Req... operations
// may be called from any application thread. ReqQryOrder, ReqQryTrade, ReqQryCapital and
// ReqQryPosition are limited to one accepted call per second each.
// ---------------------------------------------------------------------------------------------
class QUINTARA_API CStockApi {
public:
    // New stock API object. writeLog switches the log on or off for the object's life; logFile is
    // the log file name (default "Any.log" when empty), logDir the log folder (empty: ./CoreLog).
    // Null strings are treated as empty.
    static CStockApi* CreateStockApi(bool writeLog, const char* logFile, const char* logDir);
    // "1.18.2.0".
    static const char* GetVersion();

    // Allocates the parse buffers and starts the receive thread, which connects and keeps
    // reconnecting. Call once, after RegisterSpi and RegisterNameServer.
    virtual bool Init() = 0;
    // Stops the receive thread, closes the connection and destroys the object; do not use the
    // pointer afterwards. From an application thread it returns once the receive thread has ended:
    // no callback runs after it returns. Called from inside a callback (on the receive thread) it
    // does not wait: no further callback is made, and the object is destroyed as soon as that
    // callback has returned.
    virtual void Release() = 0;
    // Seconds without traffic before a heartbeat is sent, clamped to 30..86400 (default 86400).
    // Call before Init.
    virtual void SetHeartBeatTimeout(int seconds) = 0;
    // The event sink (not owned). Call before Init; events are dropped while none is registered.
    virtual void RegisterSpi(IStockEvent* spi) = 0;
    // Server address "tcp://a.b.c.d:port" (dotted IPv4). Call before Init; the last one counts.
    virtual void RegisterNameServer(const char* address) = 0;
    virtual int ReqUserLogin(CStockReqUserLoginField* field, int requestId) = 0;            // "LOGINHK1"
    virtual int ReqUserLogout(CStockReqUserLogoutField* field, int requestId) = 0;          // "UNLOGIN1"
    virtual int ReqSafeVerify(CStockReqSafeVerifyField* field, int requestId) = 0;          // "SfVerify"
    virtual int ReqVerifyCode(CStockReqVerifyCodeField* field, int requestId) = 0;          // "RequVfCd"
    virtual int ReqSetVerifyQA(CStockReqSetVerifyQAField* field, int requestId) = 0;        // "SetVeriQA"
    virtual int ReqGetQuestion(CStockReqGetQuestionField* field, int requestId) = 0;        // "VfQuList"
    virtual int ReqOrderInsert(CStockReqOrderInsertField* field, int requestId) = 0;        // "OrdeStHK"
    virtual int ReqOrderModify(CStockReqOrderModifyField* field, int requestId) = 0;        // "ModiStHK"
    virtual int ReqOrderCancel(CStockReqOrderCancelField* field, int requestId) = 0;        // "CancStHK"
    virtual int ReqPasswordUpdate(CStockReqPasswordUpdateField* field, int requestId) = 0;  // "MODIFYPW"
    virtual int ReqQryTick(CStockQryTickField* field, int requestId) = 0;                   // "UptiStLs"
    virtual int ReqQryOrder(CStockQryOrderField* field, int requestId) = 0;            // "OrdeStLs", once per second
    virtual int ReqQryTrade(CStockQryTradeField* field, int requestId) = 0;            // "FillStLs", once per second
    virtual int ReqQryCapital(CStockQryCapitalField* field, int requestId) = 0;        // "AccoStLs", once per second
    virtual int ReqQryVersion(CStockQryVersionField* field, int requestId) = 0;        // "GETVER01"
    virtual int ReqQryPosition(CStockQryPositionField* field, int requestId) = 0;      // "HoldStLs", once per second
    virtual int ReqQryCurrency(CStockQryCurrencyField* field, int requestId) = 0;      // "CRNYLIST"
    virtual int ReqQryExchange(CStockQryExchangeField* field, int requestId) = 0;      // "ExchStLs"
    virtual int ReqQryInstrument(CStockQryInstrumentField* field, int requestId) = 0;  // "ContStLs"

protected:
    virtual ~CStockApi() {}
};

}  // namespace Quintara

#endif  // QUINTARA_STOCK_API_H
