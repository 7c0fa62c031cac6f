#include "stock/CStockApiImp.h"

#include "api/MemberMap.h"
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

constexpr LogMask kMaskPassword{uint64_t{1} << 1, false};
constexpr LogMask kMaskAllGiven{~uint64_t{0}, true};

// Order requests: which members go to the head and to which body positions. The kind code "1"
// stands in head field 3; no request id is sent.
const MemberAt kInsertHead[] = {
    QF_AT(CStockReqOrderInsertField, LocalNo, 1),
    QF_AT(CStockReqOrderInsertField, AccountNo, 5),
    QF_AT(CStockReqOrderInsertField, ExchangeNo, 6),
    QF_AT(CStockReqOrderInsertField, UserId, 8),
};
const MemberAt kInsertBody[] = {
    QF_AT(CStockReqOrderInsertField, UserId, 0),     QF_AT(CStockReqOrderInsertField, AccountNo, 2),
    QF_AT(CStockReqOrderInsertField, ExchangeNo, 5), QF_AT(CStockReqOrderInsertField, Item06, 6),
    QF_AT(CStockReqOrderInsertField, Item07, 7),     QF_AT(CStockReqOrderInsertField, Item08, 8),
    QF_AT(CStockReqOrderInsertField, Item09, 9),     QF_AT(CStockReqOrderInsertField, Item11, 11),
    QF_AT(CStockReqOrderInsertField, Item14, 14),    QF_AT(CStockReqOrderInsertField, Item15, 15),
    QF_AT(CStockReqOrderInsertField, Item16, 16),    QF_AT(CStockReqOrderInsertField, Item17, 17),
    QF_AT(CStockReqOrderInsertField, Item18, 18),    QF_AT(CStockReqOrderInsertField, Item19, 19),
};
const MemberAt kModifyHead[] = {
    QF_AT(CStockReqOrderModifyField, LocalNo, 1),   QF_AT(CStockReqOrderModifyField, SystemNo, 2),
    QF_AT(CStockReqOrderModifyField, AccountNo, 5), QF_AT(CStockReqOrderModifyField, ExchangeNo, 6),
    QF_AT(CStockReqOrderModifyField, UserId, 8),
};
const MemberAt kModifyBody[] = {
    QF_AT(CStockReqOrderModifyField, UserId, 0),  QF_AT(CStockReqOrderModifyField, AccountNo, 2),
    QF_AT(CStockReqOrderModifyField, Item04, 4),  QF_AT(CStockReqOrderModifyField, ExchangeNo, 5),
    QF_AT(CStockReqOrderModifyField, Item06, 6),  QF_AT(CStockReqOrderModifyField, Item07, 7),
    QF_AT(CStockReqOrderModifyField, Item08, 8),  QF_AT(CStockReqOrderModifyField, Item09, 9),
    QF_AT(CStockReqOrderModifyField, Item11, 11), QF_AT(CStockReqOrderModifyField, Item12, 12),
    QF_AT(CStockReqOrderModifyField, Item14, 14), QF_AT(CStockReqOrderModifyField, Item16, 16),
    QF_AT(CStockReqOrderModifyField, Item17, 17), QF_AT(CStockReqOrderModifyField, Item18, 18),
};
const MemberAt kCancelHead[] = {
    QF_AT(CStockReqOrderCancelField, LocalNo, 1),   QF_AT(CStockReqOrderCancelField, SystemNo, 2),
    QF_AT(CStockReqOrderCancelField, AccountNo, 5), QF_AT(CStockReqOrderCancelField, ExchangeNo, 6),
    QF_AT(CStockReqOrderCancelField, UserId, 8),
};
const MemberAt kCancelBody[] = {
    QF_AT(CStockReqOrderCancelField, UserId, 0),     QF_AT(CStockReqOrderCancelField, AccountNo, 2),
    QF_AT(CStockReqOrderCancelField, SystemNo, 5),   QF_AT(CStockReqOrderCancelField, Item06, 6),
    QF_AT(CStockReqOrderCancelField, ExchangeNo, 7), QF_AT(CStockReqOrderCancelField, Item08, 8),
    QF_AT(CStockReqOrderCancelField, Item09, 9),     QF_AT(CStockReqOrderCancelField, Item10, 10),
    QF_AT(CStockReqOrderCancelField, Item11, 11),    QF_AT(CStockReqOrderCancelField, Item14, 14),
};

}  // namespace

// An order request: head and body from the member tables, the fixed code "P" at its position, and
// the exchange code "NASD" kept out of the body (it still travels in head field 6).
template <class TRecord, class Field, size_t H, size_t B>
int CStockApiImp::SendOrder(Field* f, const char* code, const MemberAt (&head)[H], const MemberAt (&body)[B],
                            size_t constantPosition, size_t exchangePosition) {
    NetInfo message;
    message.m_strField[0] = code;
    message.m_strField[3] = kKind;
    FillItems(f, head, message.m_strField);
    TRecord record;
    FillItems(f, body, record.m_item);
    record.m_item[constantPosition] = "P";
    if (record.m_item[exchangePosition] == "NASD") record.m_item[exchangePosition] = std::string_view();
    return SendResult(SendMessage(message, &record), f->ErrorMsg);
}

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
    return SendOrder<STOCK::OrderInfo>(f, OrvikCode::OrdeStHK, kInsertHead, kInsertBody, 4, 5);
}

int CStockApiImp::ReqOrderModify(CStockReqOrderModifyField* f, int /*requestId*/) {
    return SendOrder<STOCK::ModifyInfo>(f, OrvikCode::ModiStHK, kModifyHead, kModifyBody, 15, 5);
}

int CStockApiImp::ReqOrderCancel(CStockReqOrderCancelField* f, int /*requestId*/) {
    return SendOrder<STOCK::CancelInfo>(f, OrvikCode::CancStHK, kCancelHead, kCancelBody, 16, 7);
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
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
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
