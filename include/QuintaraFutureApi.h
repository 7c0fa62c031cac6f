// Quintara trading SDK: futures trading (CFutureApi, IFutureEvent).
#ifndef QUINTARA_FUTURE_API_H
#define QUINTARA_FUTURE_API_H

#include "QuintaraDefine.h"

// Capacity of OrgOrderLocationID in the futures order requests (empty, 2 or 5 characters are valid).
#define QUINTARA_ORG_ORDER_LOCATION_SIZE 16

namespace Quintara {

// ---------------------------------------------------------------------------------------------
// Response info of every futures answer: ErrorID 0 means success; otherwise ErrorMsg holds the text.
// ---------------------------------------------------------------------------------------------
struct CFutureRspInfoField {
    int ErrorID;
    char ErrorMsg[256];
};

// ---------------------------------------------------------------------------------------------
// Request structs. Filled by the application; text members are NUL-terminated (read at most to
// their size). ErrorMsg receives the reason when the request returns 0; on success the struct is
// left untouched.
// ---------------------------------------------------------------------------------------------
// ReqUserLogin: every member but Reserved and ExtraInfo is required.
struct CFutureReqUserLoginField {
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
struct CFutureReqUserLogoutField {
    char Reserved1[256];
    char Reserved2[256];
    char ErrorMsg[256];
};
// ReqSafeVerify.
struct CFutureReqSafeVerifyField {
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
// ReqVerifyCode.
struct CFutureReqVerifyCodeField {
    char VerifyField1[256];
    char VerifyField2[256];
    char VerifyField3[256];
    char VerifyField4[256];
    char VerifyField5[256];
    char VerifyField6[256];
    char VerifyField7[256];
    char ErrorMsg[256];
};
// ReqSetVerifyQA.
struct CFutureReqSetVerifyQAField {
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
struct CFutureReqGetQuestionField {
    int Reserved;
    char ErrorMsg[256];
};
// ReqOrderInsert: ItemNN members go to body position NN. IsProgram 0 or 1;
// OrgOrderLocationID empty, 2 or 5 characters.
struct CFutureReqOrderInsertField {
    char UserId[256];
    char AccountNo[256];
    char LocalNo[256];
    char Item05[256];
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
    char Item23[256];
    char ErrorMsg[256];
    int IsProgram;
    char OrgOrderLocationID[QUINTARA_ORG_ORDER_LOCATION_SIZE];
};
// ReqOrderModify.
struct CFutureReqOrderModifyField {
    char SystemNo[256];
    char UserId[256];
    char LocalNo[256];
    char AccountNo[256];
    char Item04[256];
    char Item05[256];
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
    char Item20[256];
    char ErrorMsg[256];
    char OrgOrderLocationID[QUINTARA_ORG_ORDER_LOCATION_SIZE];
};
// ReqOrderCancel.
struct CFutureReqOrderCancelField {
    char UserId[256];
    char LocalNo[256];
    char AccountNo[256];
    char SystemNo[256];
    char Item06[256];
    char Item07[256];
    char Item08[256];
    char Item09[256];
    char Item10[256];
    char Item11[256];
    char Item14[256];
    char Item18[256];
    char ErrorMsg[256];
    char OrgOrderLocationID[QUINTARA_ORG_ORDER_LOCATION_SIZE];
};
// ReqPasswordUpdate.
struct CFutureReqPasswordUpdateField {
    char PwsField1[256];
    char PwsField2[256];
    char PwsField3[256];
    char ErrorMsg[256];
};
// ReqQryOrder: Item00 goes to body position 0.
struct CFutureQryOrderField {
    char Item00[256];
    char Reserved1[256];
    char Reserved2[256];
    char Reserved3[256];
    char Reserved4[256];
    char ErrorMsg[256];
};
// ReqQryTrade.
struct CFutureQryTradeField {
    char Item04[256];
    char ErrorMsg[256];
    char Item02[256];
    char HeadField3[256];
};
// ReqQryCapital.
struct CFutureQryCapitalField {
    char Reserved;
    char ErrorMsg[256];
};
// ReqQryPosition.
struct CFutureQryPositionField {
    char ErrorMsg[256];
};
// ReqQryTotalPosition: AccountNo travels in the head.
struct CFutureQryTotalPositionField {
    char AccountNo[256];
    char ErrorMsg[256];
};
// ReqQryExchange.
struct CFutureQryExchangeField {
    char Reserved[256];
    char ErrorMsg[256];
};
// ReqQryCurrency.
struct CFutureQryCurrencyField {
    char Reserved;
    char ErrorMsg[256];
};
// ReqQryVersion: the user's credentials.
struct CFutureQryVersionField {
    char UserId[256];
    char UserPwd[256];
    char ErrorMsg[256];
};
// ReqQryCommodity.
struct CFutureQryCommodityField {
    char HeadField1[256];
    char HeadField6[256];
    char ErrorMsg[256];
};
// ReqQryExchangeTime.
struct CFutureQryExchangeTimeField {
    char Reserved;
    char ErrorMsg[256];
};
// ReqQryCommodityTime.
struct CFutureQryCommodityTimeField {
    char ReqCommSumWinField00[256];
    char ReqCommSumWinField01[256];
    char ErrorMsg[256];
};
// ReqQryStrategy.
struct CFutureQryStrategyField {
    char ExchangeNo[256];
    char ErrorMsg[256];
};
// ReqQryInstrument: ExchangeNo is required.
struct CFutureQryInstrumentField {
    int HeadField2;
    char ExchangeNo[256];
    char InstrumentField04[256];
    char InstrumentField06[256];
    char InstrumentField02[256];
    char ErrorMsg[256];
};
// ReqQryStrategyDetail.
struct CFutureQryStrategyDetailField {
    char StrategyDetailField07[256];
    char ErrorMsg[256];
};

// ---------------------------------------------------------------------------------------------
// Data structs handed to callbacks: zero-filled before each record, valid only during the call.
// ItemNN members come from record field NN and are passed through without interpretation.
// ---------------------------------------------------------------------------------------------
// OnRspUserLoginInfo: one login record (the stock layout; some members stay empty).
struct CFutureUserLoginInfoField {
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
// OnRspGetQuestion.
struct CFutureQuestionField {
    char QuestionField1[256];
    char QuestionField2[256];
    char QuestionField3[256];
    char QuestionField4[256];
};
// OnRspOrderInsert / OnRspOrderModify.
struct CFutureOrderField {
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
    char Item32[256];
    char Item33[256];
};
// OnRspOrderCancel.
struct CFutureCancelField {
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
    char Item19[256];
    char HeadField8[256];
};
// OnRspPasswordUpdate.
struct CFuturePasswordField {
    char PwsField1[256];
    char PwsField2[256];
    char PwsField3[256];
};
// OnPushOrderStatus, OnPushPosition and OnRspQryTotalPosition.
struct CFutureOrderStatusField {
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
// OnPushFilled / OnRspQryTrade. Extra is always empty.
struct CFutureTradeField {
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
    char Extra[256];
};
// OnPushCapital.
struct CFutureCapitalField {
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
// OnRspQryOrder.
struct CFutureOrderListField {
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
struct CFutureAccountField {
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
    double Item33;
    double Item34;
    double Item35;
    double Item36;
    char Extra[256];
};
// OnRspQryPosition. Extra1 to Extra3 are always empty.
struct CFuturePositionField {
    char Item06[256];
    char Item07[256];
    char Item00[256];
    char Item02[256];
    char Item04[256];
    char Item05[256];
    char Item08[256];
    int Item09;
    double Item10;
    char Item03[256];
    double Item11;
    char Item01[256];
    char Item12[256];
    char Item13[256];
    char Extra1[256];
    char Extra2[256];
    char Extra3[256];
    double Item14;
};
// OnRspQryExchange.
struct CFutureExchangeField {
    char ExchangeField00[256];
    char ExchangeField01[256];
    char ExchangeField02[256];
    char ExchangeField03[256];
};
// OnRspQryCurrency.
struct CFutureCurrencyField {
    char CurrencyField00[256];
    int CurrencyField01;
    double CurrencyField02;
    char CurrencyField03[256];
    char CurrencyField04[256];
};
// OnRspQryVersion.
struct CFutureVersionField {
    char VersionField00[256];
    char VersionField01[256];
    char VersionField02[256];
    char VersionField03[256];
    char VersionField04[256];
};
// OnRspQryCommodity.
struct CFutureCommodityField {
    char CommodityField00[256];
    char CommodityField01[256];
    char CommodityField02[256];
    char CommodityField03[256];
    char CommodityField04[256];
    char CommodityField05[256];
    char CommodityField06[256];
    double CommodityField07;
    double CommodityField08;
    double CommodityField09;
    int CommodityField10;
    int CommodityField11;
    char CommodityField12[256];
    char CommodityField13[256];
    char CommodityField14[256];
};
// OnRspQryExchangeTime.
struct CFutureExchangeTimeField {
    char ExchangeTimeField00[256];
    char ExchangeTimeField01[256];
    char ExchangeTimeField02[256];
    char ExchangeTimeField03[256];
    char ExchangeTimeField04[256];
};
// OnRspQryCommodityTime.
struct CFutureCommodityTimeField {
    char CommodityTimeField00[256];
    char CommodityTimeField01[256];
    char CommodityTimeField02[256];
    char CommodityTimeField03[256];
    char CommodityTimeField04[256];
    char CommodityTimeField05[256];
    char CommodityTimeField06[256];
    char CommodityTimeField07[256];
    char CommodityTimeField08[256];
};
// OnRspQryInstrument / OnRspQryStrategy: one instrument or strategy.
struct CFutureInstrumentField {
    char InstrumentField00[256];
    char ExchangeNo[256];
    char InstrumentField02[256];
    char InstrumentField03[256];
    char InstrumentField04[256];
    char InstrumentField05[256];
    char InstrumentField06[256];
    char InstrumentField07[256];
    char InstrumentField08[256];
    double InstrumentField09;
    double InstrumentField10;
    char InstrumentField11[256];
    double InstrumentField12;
    char InstrumentField13[256];
    int InstrumentField14;
    int InstrumentField15;
    int InstrumentField16;
    double InstrumentField17;
    char InstrumentField18[256];
    double InstrumentField19;
    double InstrumentField20;
    double InstrumentField21;
    double InstrumentField22;
    double InstrumentField23;
    double InstrumentField24;
    double InstrumentField25;
    char InstrumentField26[256];
    char InstrumentField27[256];
    double InstrumentField28;
    double InstrumentField29;
    char InstrumentField30[256];
    char InstrumentField31[256];
    char InstrumentField32[256];
    char InstrumentField33[256];
    char InstrumentField34[256];
    char InstrumentField35[256];
    char InstrumentField36[256];
    char InstrumentField37[256];
    char InstrumentField38[256];
};
// OnRspQryStrategyDetail: one leg. Members 12 to 27 are never filled.
struct CFutureStrategyDetailField {
    char StrategyDetailField00[256];
    char StrategyDetailField01[256];
    char StrategyDetailField02[256];
    int StrategyDetailField03;
    char StrategyDetailField04[256];
    int StrategyDetailField05;
    char StrategyDetailField06[256];
    char StrategyDetailField07[256];
    char StrategyDetailField08[256];
    int StrategyDetailField09;
    char StrategyDetailField10[256];
    char StrategyDetailField11[256];
    char StrategyDetailField12[256];
    double StrategyDetailField13;
    double StrategyDetailField14;
    int StrategyDetailField15;
    int StrategyDetailField16;
    int StrategyDetailField17;
    char StrategyDetailField18[256];
    int StrategyDetailField19;
    char StrategyDetailField20[256];
    char StrategyDetailField21[256];
    int StrategyDetailField22;
    char StrategyDetailField23[256];
    int StrategyDetailField24;
    char StrategyDetailField25[256];
    int StrategyDetailField26;
    int StrategyDetailField27;
};

// ---------------------------------------------------------------------------------------------
// Events of a futures API object. Implement the callbacks you need (the others do nothing).
//
// Every callback runs on the library's receive thread, one after another. A callback must return
// quickly and must not block on the API object. The structs passed are valid only during the
// call. The library never deletes the sink; keep it alive until Release() has returned.
// ---------------------------------------------------------------------------------------------
class QUINTARA_API IFutureEvent {
public:
    // A TCP connection to the server stands. Log in (again) from here.
    virtual void OnConnect() {}
    // The connection was lost (library error code 4003 to 4008, or 0 for unanswered heartbeats);
    // the library reconnects by itself 10 seconds later.
    virtual void OnDisconnect(int /*errorCode*/) {}
    // A heartbeat was sent after `idleSeconds` without traffic.
    virtual void OnHeartBeat(long long /*idleSeconds*/) {}
    // The login answer demands security verification (needVerify is always true).
    virtual void OnRspNeedVerify(bool /*needVerify*/, bool /*questionsSet*/) {}
    // Login result (also key-exchange failures, ErrorID 90005). IsLast is always false.
    virtual void OnRspUserLogin(CFutureRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    // Logout answer, and the kick-out notice when the account logged in elsewhere.
    virtual void OnRspUserLogout(CFutureRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspVerifyCode(CFutureRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspSafeVerify(CFutureRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspSetVerifyQA(CFutureRspInfoField* /*rspInfo*/, int /*requestId*/, bool /*isLast*/) {}
    // Answers and pushes that carry records: one call per record, IsLast true on the last one.
    virtual void OnRspUserLoginInfo(CFutureUserLoginInfoField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                    int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspGetQuestion(CFutureQuestionField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspOrderInsert(CFutureOrderField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspOrderModify(CFutureOrderField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspOrderCancel(CFutureCancelField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspPasswordUpdate(CFuturePasswordField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                     int /*requestId*/, bool /*isLast*/) {}
    virtual void OnPushFilled(CFutureTradeField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                              bool /*isLast*/) {}
    virtual void OnPushOrderStatus(CFutureOrderStatusField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                   int /*requestId*/, bool /*isLast*/) {}
    virtual void OnPushCapital(CFutureCapitalField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                               bool /*isLast*/) {}
    virtual void OnPushPosition(CFutureOrderStatusField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                bool /*isLast*/) {}
    virtual void OnRspQryOrder(CFutureOrderListField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                               bool /*isLast*/) {}
    virtual void OnRspQryTrade(CFutureTradeField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                               bool /*isLast*/) {}
    virtual void OnRspQryCapital(CFutureAccountField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    virtual void OnRspQryVersion(CFutureVersionField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                 bool /*isLast*/) {}
    virtual void OnRspQryPosition(CFuturePositionField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspQryCurrency(CFutureCurrencyField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspQryExchange(CFutureExchangeField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspQryStrategy(CFutureInstrumentField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                  bool /*isLast*/) {}
    virtual void OnRspQryCommodity(CFutureCommodityField* /*data*/, CFutureRspInfoField* /*rspInfo*/, int /*requestId*/,
                                   bool /*isLast*/) {}
    virtual void OnRspQryInstrument(CFutureInstrumentField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                    int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspQryExchangeTime(CFutureExchangeTimeField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                      int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspQryCommodityTime(CFutureCommodityTimeField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                       int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspQryTotalPosition(CFutureOrderStatusField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                       int /*requestId*/, bool /*isLast*/) {}
    virtual void OnRspQryStrategyDetail(CFutureStrategyDetailField* /*data*/, CFutureRspInfoField* /*rspInfo*/,
                                        int /*requestId*/, bool /*isLast*/) {}

protected:
    // Not deleted through this interface: the application owns its sink.
    ~IFutureEvent() {}
};

// ---------------------------------------------------------------------------------------------
// The futures trading API object. Create it with CreateFutureApi, register the sink and the
// server, call Init once, and end it with Release (never delete it).
//
// Every Req... returns 1 when the message was handed to the connection and 0 when it was not (the
// reason is then in the struct's ErrorMsg); answers arrive later on IFutureEvent. Req... operations
// may be called from any application thread. ReqQryOrder, ReqQryTrade, ReqQryCapital,
// ReqQryPosition and ReqQryTotalPosition are limited to one accepted call per second each.
// ---------------------------------------------------------------------------------------------
class QUINTARA_API CFutureApi {
public:
    // New futures API object; arguments as for CStockApi::CreateStockApi.
    static CFutureApi* CreateFutureApi(bool writeLog, const char* logFile, const char* logDir);
    // "1.18.2.0".
    static const char* GetVersion();

    // Allocates the parse buffers and starts the receive thread. Call once, after RegisterSpi and
    // RegisterNameServer.
    virtual bool Init() = 0;
    // Stops the receive thread, closes the connection and destroys the object (see CStockApi::Release:
    // from an application thread no callback runs after it returns; from inside a callback no
    // further callback is made and the object goes once that callback has returned).
    virtual void Release() = 0;
    // Seconds without traffic before a heartbeat is sent, clamped to 30..86400. Call before Init.
    virtual void SetHeartBeatTimeout(int seconds) = 0;
    // The event sink (not owned). Call before Init; events are dropped while none is registered.
    virtual void RegisterSpi(IFutureEvent* spi) = 0;
    // Server address "tcp://a.b.c.d:port". Call before Init; the last one counts.
    virtual void RegisterNameServer(const char* address) = 0;
    virtual int ReqUserLogin(CFutureReqUserLoginField* field, int requestId) = 0;            // "LOGIN001"
    virtual int ReqUserLogout(CFutureReqUserLogoutField* field, int requestId) = 0;          // "UNLOGIN1"
    virtual int ReqSafeVerify(CFutureReqSafeVerifyField* field, int requestId) = 0;          // "SfVerify"
    virtual int ReqVerifyCode(CFutureReqVerifyCodeField* field, int requestId) = 0;          // "RequVfCd"
    virtual int ReqSetVerifyQA(CFutureReqSetVerifyQAField* field, int requestId) = 0;        // "SetVeriQA"
    virtual int ReqGetQuestion(CFutureReqGetQuestionField* field, int requestId) = 0;        // "VfQuList"
    virtual int ReqOrderInsert(CFutureReqOrderInsertField* field, int requestId) = 0;        // "ORDER001"
    virtual int ReqOrderModify(CFutureReqOrderModifyField* field, int requestId) = 0;        // "MODIFY01"
    virtual int ReqOrderCancel(CFutureReqOrderCancelField* field, int requestId) = 0;        // "CANCEL01"
    virtual int ReqPasswordUpdate(CFutureReqPasswordUpdateField* field, int requestId) = 0;  // "MODIFYPW"
    virtual int ReqQryOrder(CFutureQryOrderField* field, int requestId) = 0;            // "ORDERLST", once per second
    virtual int ReqQryTrade(CFutureQryTradeField* field, int requestId) = 0;            // "FILLLIST", once per second
    virtual int ReqQryCapital(CFutureQryCapitalField* field, int requestId) = 0;        // "DEPOSTAT", once per second
    virtual int ReqQryVersion(CFutureQryVersionField* field, int requestId) = 0;        // "GETVER01"
    virtual int ReqQryCurrency(CFutureQryCurrencyField* field, int requestId) = 0;      // "CRNYLIST"
    virtual int ReqQryExchange(CFutureQryExchangeField* field, int requestId) = 0;      // "EXCHANGE"
    virtual int ReqQryPosition(CFutureQryPositionField* field, int requestId) = 0;      // "OPENDETL", once per second
    virtual int ReqQryStrategy(CFutureQryStrategyField* field, int requestId) = 0;      // "GETSTRLS"
    virtual int ReqQryCommodity(CFutureQryCommodityField* field, int requestId) = 0;    // "GetComdy"
    virtual int ReqQryInstrument(CFutureQryInstrumentField* field, int requestId) = 0;  // "CONTRACT"
    virtual int ReqQryExchangeTime(CFutureQryExchangeTimeField* field, int requestId) = 0;    // "GETETIME"
    virtual int ReqQryCommodityTime(CFutureQryCommodityTimeField* field, int requestId) = 0;  // "GETCTIME"
    virtual int ReqQryTotalPosition(CFutureQryTotalPositionField* field,
                                    int requestId) = 0;  // "SEARCHHT", once per second
    virtual int ReqQryStrategyDetail(CFutureQryStrategyDetailField* field, int requestId) = 0;  // "GETSTRDL"

protected:
    virtual ~CFutureApi() {}
};

}  // namespace Quintara

#endif  // QUINTARA_FUTURE_API_H
