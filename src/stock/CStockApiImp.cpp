#include "stock/CStockApiImp.h"

#include "foundation/Decimal.h"
#include "refdata/StockRefData.h"
#include "stock/StockAnswers.h"
#include "stock/StockRecords.h"

using namespace Quintara;

namespace {

constexpr const char* kKind = "1";  // OrvikKind::HKStock
constexpr const char* kHeartBeat = "GETTTIME@@@@@@@@@@&";

template <size_t N>
std::string_view Text(const char (&member)[N]) {
    return HP::FieldView(member);
}

// The exchange code "NASD" travels in the head only.
std::string_view ExchangeForBody(std::string_view exchange) {
    return exchange == "NASD" ? std::string_view() : exchange;
}

constexpr LogMask kMaskPassword{uint64_t{1} << 1, false};
constexpr LogMask kMaskAllGiven{~uint64_t{0}, true};

}  // namespace

const CStockApiImp::CommandRow CStockApiImp::kCommands[29] = {
    {"LOGINHK1", &CStockApiImp::OnCommandLoginHK},
    {"UNLOGIN1", &CStockApiImp::OnCommandLogout},
    {"LOGIN002", &CStockApiImp::OnServerKitOut},
    {"SYSTEMNO", &CStockApiImp::OnCommandSystemNo},
    {"TEST0001", nullptr},  // heartbeat answer: nothing to do
    {"REPLY_PUBLIC_KEY", &CStockApiImp::OnCommandReplyPublicKey},
    {"REPLY_SEND_KEY", &CStockApiImp::OnCommandReplySendKey},
    {"OrdeStHK", &CStockApiImp::OnCommandOrderInsert},
    {"ModiStHK", &CStockApiImp::OnCommandOrderModify},
    {"CancStHK", &CStockApiImp::OnCommandOrderCancel},
    {"HoldStHK", &CStockApiImp::OnCommandPushPosition},
    {"VfQuList", &CStockApiImp::OnCommandGetQuestions},
    {"SfVerify", &CStockApiImp::OnCommandSafeVerify},
    {"SetVeriQA", &CStockApiImp::OnCommandSetVerifyQA},
    {"RequVfCd", &CStockApiImp::OnCommandVerifyCode},
    {"CancStRe", &CStockApiImp::OnCommandOrderCancel},
    {"StatStHK", &CStockApiImp::OnCommandOrderStatus},
    {"AccoStHK", &CStockApiImp::OnCommandPushCapital},
    {"FillStHK", &CStockApiImp::OnCommandFilledStockHK},
    {"MODIFYPW", &CStockApiImp::OnCommandPasswordUpdate},
    {"UptiStLs", &CStockApiImp::OnCommandQryTick},
    {"OrdeStLs", &CStockApiImp::OnCommandQryOrder},
    {"FillStLs", &CStockApiImp::OnCommandQryTrade},
    {"AccoStLs", &CStockApiImp::OnCommandQryCapital},
    {"GETVER01", &CStockApiImp::OnCommandQryVersion},
    {"HoldStLs", &CStockApiImp::OnCommandQryPosition},
    {"ExchStLs", &CStockApiImp::OnCommandQryExchange},
    {"CRNYLIST", &CStockApiImp::OnCommandQryCurrency},
    {"ContStLs", &CStockApiImp::OnCommandQryInstrument},
};

CStockApi* CStockApi::CreateStockApi(bool writeLog, const char* logFile, const char* logDir) {
    auto* api = new CStockApiImp();
    api->SetUpStockLog(writeLog, logFile, logDir);
    return api;
}

const char* CStockApi::GetVersion() {
    return kQuintaraVersion;
}

CStockApiImp::CStockApiImp() : CApiObject(STOCK::_error, kHeartBeat) {}

void CStockApiImp::SetUpStockLog(bool writeLog, const char* logFile, const char* logDir) {
    SetUpLog(writeLog, logFile, logDir, true, "Stock");
}

void CStockApiImp::SetHeartBeatTimeout(int seconds) {
    SetHeartBeat(seconds, NetTiming::Get().heartbeatMinTrading, true);
}

void CStockApiImp::OnSocketCommand(unsigned char* message, long length) {
    Dispatch(this, message, length, kCommands);
}

int CStockApiImp::Throttled(CQueryThrottle& throttle, char* errorMsg) {
    if (throttle.TryPass()) return 1;
    return Refuse(errorMsg, "每种查询一秒只能查询一次.");
}

// ---- login and logout ----

int CStockApiImp::ReqUserLogin(CStockReqUserLoginField* f, int requestId) {
    if (const char* missing = LoginValues::MissingField(*f)) return Refuse(f->ErrorMsg, missing);
    const LoginValues values = LoginValues::Of(*f);
    m_storedLogin.Store(values);
    return SendResult(SendLoginMessage(values, requestId, OrvikCode::LOGINHK1, kKind), f->ErrorMsg);
}

// The server started a key exchange and holds the session key now: the last login goes again,
// encrypted, with the request id of the exchange's answer.
void CStockApiImp::SendLoginAfterKeyExchange(int requestId) {
    m_storedLogin.With(
        [&](const LoginValues& values) { SendLoginMessage(values, requestId, OrvikCode::LOGINHK1, kKind); });
}

int CStockApiImp::ReqUserLogout(CStockReqUserLogoutField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::UNLOGIN1;
    head.m_strField[3] = ApiType::SdkApi;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

void CStockApiImp::OnCommandLoginHK() {
    DeliverLogin<STOCK::LoginResponseInfo, CStockUserLoginInfoField>(35, 37, StockAnswers::kLoginInfo,
                                                                     &IStockEvent::OnRspUserLoginInfo);
}

void CStockApiImp::OnCommandLogout() {
    StatusTo(&IStockEvent::OnRspUserLogout);
}
void CStockApiImp::OnServerKitOut() {
    HandleKickOut();
}
void CStockApiImp::OnCommandReplyPublicKey() {
    HandleReplyPublicKey();
}
void CStockApiImp::OnCommandReplySendKey() {
    HandleReplySendKey();
}

void CStockApiImp::RaiseKickOut(CStockRspInfoField* info, int requestId) {
    Raise([&](IStockEvent& spi) { spi.OnRspUserLogout(info, requestId, true); });
}

// ---- orders ----

int CStockApiImp::ReqOrderInsert(CStockReqOrderInsertField* f, int /*requestId*/) {
    NetInfo head;
    head.m_strField[0] = OrvikCode::OrdeStHK;
    head.m_strField[1] = Text(f->LocalNo);
    head.m_strField[3] = kKind;
    head.m_strField[5] = Text(f->AccountNo);
    head.m_strField[6] = Text(f->ExchangeNo);
    head.m_strField[8] = Text(f->UserId);
    STOCK::OrderInfo body;
    body.m_item[0] = Text(f->UserId);
    body.m_item[2] = Text(f->AccountNo);
    body.m_item[4] = "P";
    body.m_item[5] = ExchangeForBody(Text(f->ExchangeNo));
    body.m_item[6] = Text(f->Item06);
    body.m_item[7] = Text(f->Item07);
    body.m_item[8] = Text(f->Item08);
    body.m_item[9] = Text(f->Item09);
    body.m_item[11] = Text(f->Item11);
    body.m_item[14] = Text(f->Item14);
    body.m_item[15] = Text(f->Item15);
    body.m_item[16] = Text(f->Item16);
    body.m_item[17] = Text(f->Item17);
    body.m_item[18] = Text(f->Item18);
    body.m_item[19] = Text(f->Item19);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CStockApiImp::ReqOrderModify(CStockReqOrderModifyField* f, int /*requestId*/) {
    NetInfo head;
    head.m_strField[0] = OrvikCode::ModiStHK;
    head.m_strField[1] = Text(f->LocalNo);
    head.m_strField[2] = Text(f->SystemNo);
    head.m_strField[3] = kKind;
    head.m_strField[5] = Text(f->AccountNo);
    head.m_strField[6] = Text(f->ExchangeNo);
    head.m_strField[8] = Text(f->UserId);
    STOCK::ModifyInfo body;
    body.m_item[0] = Text(f->UserId);
    body.m_item[2] = Text(f->AccountNo);
    body.m_item[4] = Text(f->Item04);
    body.m_item[5] = ExchangeForBody(Text(f->ExchangeNo));
    body.m_item[6] = Text(f->Item06);
    body.m_item[7] = Text(f->Item07);
    body.m_item[8] = Text(f->Item08);
    body.m_item[9] = Text(f->Item09);
    body.m_item[11] = Text(f->Item11);
    body.m_item[12] = Text(f->Item12);
    body.m_item[14] = Text(f->Item14);
    body.m_item[15] = "P";
    body.m_item[16] = Text(f->Item16);
    body.m_item[17] = Text(f->Item17);
    body.m_item[18] = Text(f->Item18);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CStockApiImp::ReqOrderCancel(CStockReqOrderCancelField* f, int /*requestId*/) {
    NetInfo head;
    head.m_strField[0] = OrvikCode::CancStHK;
    head.m_strField[1] = Text(f->LocalNo);
    head.m_strField[2] = Text(f->SystemNo);
    head.m_strField[3] = kKind;
    head.m_strField[5] = Text(f->AccountNo);
    head.m_strField[6] = Text(f->ExchangeNo);
    head.m_strField[8] = Text(f->UserId);
    STOCK::CancelInfo body;
    body.m_item[0] = Text(f->UserId);
    body.m_item[2] = Text(f->AccountNo);
    body.m_item[5] = Text(f->SystemNo);
    body.m_item[6] = Text(f->Item06);
    body.m_item[7] = ExchangeForBody(Text(f->ExchangeNo));
    body.m_item[8] = Text(f->Item08);
    body.m_item[9] = Text(f->Item09);
    body.m_item[10] = Text(f->Item10);
    body.m_item[11] = Text(f->Item11);
    body.m_item[14] = Text(f->Item14);
    body.m_item[16] = "P";
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

void CStockApiImp::OnCommandSystemNo() {
    DeliverTo<STOCK::OrderResponseInfo, CStockOrderField>(StockAnswers::kSystemNo, &IStockEvent::OnRspOrderInsert);
}
void CStockApiImp::OnCommandOrderInsert() {
    DeliverTo<STOCK::OrderResponseInfo, CStockOrderField>(StockAnswers::kOrderInsert, &IStockEvent::OnRspOrderInsert);
}
void CStockApiImp::OnCommandOrderModify() {
    DeliverTo<STOCK::OrderResponseInfo, CStockOrderField>(StockAnswers::kOrderModify, &IStockEvent::OnRspOrderModify);
}
void CStockApiImp::OnCommandOrderCancel() {
    DeliverTo<STOCK::CancelResponseInfo, CStockCancelField>(StockAnswers::kOrderCancel, &IStockEvent::OnRspOrderCancel);
}

// ---- pushes ----

void CStockApiImp::OnCommandOrderStatus() {
    DeliverTo<STOCK::OrderStatusInfo, CStockOrderStatusField>(StockAnswers::kOrderStatus,
                                                              &IStockEvent::OnPushOrderStatus);
}
void CStockApiImp::OnCommandFilledStockHK() {
    DeliverTo<STOCK::FilledResponseInfo, CStockTradeField>(StockAnswers::kFilled, &IStockEvent::OnPushFilled);
}
void CStockApiImp::OnCommandPushCapital() {
    DeliverTo<STOCK::AccountInfo, CStockCapitalField>(StockAnswers::kCapital, &IStockEvent::OnPushCapital);
}
void CStockApiImp::OnCommandPushPosition() {
    DeliverTo<STOCK::HoldResponseInfoStock, CStockPositionField>(StockAnswers::kPosition, &IStockEvent::OnPushPosition);
}

// ---- account queries (one per second per kind) ----

int CStockApiImp::ReqQryOrder(CStockQryOrderField* f, int requestId) {
    if (!Throttled(m_lLastQryOrder, f->ErrorMsg)) return 0;
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::OrdeStLs;
    head.m_strField[5] = account;
    head.m_strField[8] = kKind;
    head.m_strField[9] = TransMode::NonCompress;
    head.m_strField[10] = id.View();
    STOCK::OrderSearchInfo body;
    body.m_item[0] = Text(f->Item00);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CStockApiImp::ReqQryTrade(CStockQryTradeField* f, int requestId) {
    if (!Throttled(m_lLastQryTrade, f->ErrorMsg)) return 0;
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::FillStLs;
    head.m_strField[8] = kKind;
    head.m_strField[9] = TransMode::NonCompress;
    head.m_strField[10] = id.View();
    STOCK::FilledSearchInfo body;
    body.m_item[4] = Text(f->Item04);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CStockApiImp::ReqQryCapital(CStockQryCapitalField* f, int requestId) {
    if (!Throttled(m_lLastQryCapital, f->ErrorMsg)) return 0;
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::AccoStLs;
    head.m_strField[5] = account;
    head.m_strField[8] = kKind;
    head.m_strField[9] = TransMode::NonCompress;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CStockApiImp::ReqQryPosition(CStockQryPositionField* f, int requestId) {
    if (!Throttled(m_lLastQryPosition, f->ErrorMsg)) return 0;
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::HoldStLs;
    head.m_strField[5] = account;
    head.m_strField[8] = kKind;
    head.m_strField[9] = TransMode::NonCompress;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

void CStockApiImp::OnCommandQryOrder() {
    DeliverTo<STOCK::OrderResponseInfo, CStockOrderListField>(StockAnswers::kQryOrder, &IStockEvent::OnRspQryOrder);
}
void CStockApiImp::OnCommandQryTrade() {
    DeliverTo<STOCK::FilledResponseInfo, CStockTradeField>(StockAnswers::kQryTrade, &IStockEvent::OnRspQryTrade);
}
void CStockApiImp::OnCommandQryCapital() {
    DeliverTo<STOCK::AccountResponseInfo, CStockAccountField>(StockAnswers::kQryCapital, &IStockEvent::OnRspQryCapital);
}
void CStockApiImp::OnCommandQryPosition() {
    DeliverTo<STOCK::HoldResponseInfoStock, CStockPositionField>(StockAnswers::kQryPosition,
                                                                 &IStockEvent::OnRspQryPosition);
}

// ---- security verification and password change ----

namespace {

template <class Field>
void FillVerify(STOCK::SafeVerifyInfo& body, const Field* f, size_t count) {
    const char(*fields[8])[256] = {&f->VerifyField1, &f->VerifyField2, &f->VerifyField3, &f->VerifyField4,
                                   &f->VerifyField5, &f->VerifyField6, &f->VerifyField7, nullptr};
    for (size_t i = 0; i < count && i < 7; ++i) body.m_item[i] = HP::FieldView(*fields[i]);
}

}  // namespace

int CStockApiImp::ReqGetQuestion(CStockReqGetQuestionField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::VfQuList;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CStockApiImp::ReqSetVerifyQA(CStockReqSetVerifyQAField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::SetVeriQA;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    STOCK::SafeVerifyInfo body;
    FillVerify(body, f, 7);
    body.m_item[7] = Text(f->VerifyField8);
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
}

int CStockApiImp::ReqSafeVerify(CStockReqSafeVerifyField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::SfVerify;
    head.m_strField[2] = Text(f->VerifyExtra);
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    STOCK::SafeVerifyInfo body;
    FillVerify(body, f, 7);
    body.m_item[7] = Text(f->VerifyField8);
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
}

int CStockApiImp::ReqVerifyCode(CStockReqVerifyCodeField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::RequVfCd;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    STOCK::SafeVerifyInfo body;
    FillVerify(body, f, 7);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CStockApiImp::ReqPasswordUpdate(CStockReqPasswordUpdateField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::MODIFYPW;
    head.m_strField[3] = kKind;
    head.m_strField[10] = id.View();
    STOCK::ModifyClientPWS body;
    body.m_item[0] = Text(f->PwsField1);
    body.m_item[1] = Text(f->PwsField2);
    body.m_item[2] = Text(f->PwsField3);
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
}

void CStockApiImp::OnCommandGetQuestions() {
    DeliverTo<STOCK::QuestionInfo, CStockQuestionField>(StockAnswers::kGetQuestion, &IStockEvent::OnRspGetQuestion);
}
void CStockApiImp::OnCommandSafeVerify() {
    StatusTo(&IStockEvent::OnRspSafeVerify);
}
void CStockApiImp::OnCommandSetVerifyQA() {
    StatusTo(&IStockEvent::OnRspSetVerifyQA);
}
void CStockApiImp::OnCommandVerifyCode() {
    StatusTo(&IStockEvent::OnRspVerifyCode);
}
void CStockApiImp::OnCommandPasswordUpdate() {
    DeliverTo<STOCK::ModifyClientPWS, CStockPasswordField>(StockAnswers::kPasswordUpdate,
                                                           &IStockEvent::OnRspPasswordUpdate);
}

// ---- reference data ----

int CStockApiImp::ReqQryTick(CStockQryTickField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::UptiStLs;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CStockApiImp::ReqQryExchange(CStockQryExchangeField* f, int requestId) {
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::ExchStLs;
    head.m_strField[5] = account;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CStockApiImp::ReqQryCurrency(CStockQryCurrencyField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::CRNYLIST;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CStockApiImp::ReqQryVersion(CStockQryVersionField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::GETVER01;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    STOCK::LoginInfo body;
    body.m_item[0] = Text(f->UserId);
    body.m_item[1] = Text(f->UserPwd);
    body.m_item[2] = kKind;
    return SendResult(SendMessage(head, &body, kMaskPassword), f->ErrorMsg);
}

int CStockApiImp::ReqQryInstrument(CStockQryInstrumentField* f, int requestId) {
    if (f->ExchangeNo[0] == '\0') return Refuse(f->ErrorMsg, "ExchangeNo 不能为空.");
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    IntText headField2(f->HeadField2);
    NetInfo head;
    head.m_strField[0] = OrvikCode::ContStLs;
    head.m_strField[1] = Text(f->HeadField1);
    head.m_strField[2] = headField2.View();
    head.m_strField[5] = account;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
    static const std::string kZeroDecimal = Decimal(0.0).str();
    STOCK::ContractStockHK body;
    for (size_t i = 0; i < STOCK::ContractStockHK::kFields; ++i) {
        switch (StockRefData::kInstrumentItemKinds[i]) {
            case 'I':
                body.m_item[i] = "0";
                break;
            case 'D':
                body.m_item[i] = kZeroDecimal;
                break;
            default:
                break;
        }
    }
    body.m_item[0] = Text(f->ExchangeNo);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

void CStockApiImp::OnCommandQryTick() {
    DeliverTo<STOCK::UpperTick, CStockTickField>(StockRefData::kQryTick, &IStockEvent::OnRspQryTick);
}
void CStockApiImp::OnCommandQryVersion() {
    DeliverTo<STOCK::VersionInfo, CStockVersionField>(StockRefData::kQryVersion, &IStockEvent::OnRspQryVersion);
}
void CStockApiImp::OnCommandQryCurrency() {
    DeliverTo<STOCK::CurrencyInfo, CStockCurrencyField>(StockRefData::kQryCurrency, &IStockEvent::OnRspQryCurrency);
}
void CStockApiImp::OnCommandQryExchange() {
    DeliverTo<STOCK::ExchangeInfo, CStockExchangeField>(StockRefData::kQryExchange, &IStockEvent::OnRspQryExchange);
}
void CStockApiImp::OnCommandQryInstrument() {
    DeliverTo<STOCK::ContractStockHK, CStockInstrumentField>(StockRefData::kQryInstrument,
                                                             &IStockEvent::OnRspQryInstrument);
}
