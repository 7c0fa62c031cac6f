#include "future/CFutureApiImp.h"

#include <cstddef>
#include <cstdint>

#include "api/MemberMap.h"
#include "future/FutureAnswers.h"
#include "future/FutureRecords.h"
#include "refdata/FutureRefData.h"

using namespace Quintara;

namespace {

constexpr const char* kKind = "0";  // OrvikKind::Future
constexpr const char* kHeartBeat = "GETTTIME@@@@@@@@@@&";
constexpr const char* kBadLocation = "The OrgOrderLocationID value is invalid.";

template <size_t N>
std::string_view Text(const char (&member)[N]) {
    return HP::FieldView(member);
}

constexpr LogMask kMaskPassword{uint64_t{1} << 1, false};
constexpr LogMask kMaskAllGiven{~uint64_t{0}, true};

// Order requests: which members go to the head and to which body positions.
const MemberAt kInsertHead[] = {
    QF_AT(CFutureReqOrderInsertField, LocalNo, 1),
    QF_AT(CFutureReqOrderInsertField, AccountNo, 5),
    QF_AT(CFutureReqOrderInsertField, Item05, 6),
    QF_AT(CFutureReqOrderInsertField, UserId, 8),
};
const MemberAt kInsertBody[] = {
    QF_AT(CFutureReqOrderInsertField, UserId, 0),  QF_AT(CFutureReqOrderInsertField, AccountNo, 2),
    QF_AT(CFutureReqOrderInsertField, Item05, 5),  QF_AT(CFutureReqOrderInsertField, Item06, 6),
    QF_AT(CFutureReqOrderInsertField, Item07, 7),  QF_AT(CFutureReqOrderInsertField, Item08, 8),
    QF_AT(CFutureReqOrderInsertField, Item09, 9),  QF_AT(CFutureReqOrderInsertField, Item11, 11),
    QF_AT(CFutureReqOrderInsertField, Item14, 14), QF_AT(CFutureReqOrderInsertField, Item15, 15),
    QF_AT(CFutureReqOrderInsertField, Item16, 16), QF_AT(CFutureReqOrderInsertField, Item17, 17),
    QF_AT(CFutureReqOrderInsertField, Item18, 18), QF_AT(CFutureReqOrderInsertField, Item19, 19),
    QF_AT(CFutureReqOrderInsertField, Item23, 23),
};
constexpr size_t kInsertProgramPosition = 4;

const MemberAt kModifyHead[] = {
    QF_AT(CFutureReqOrderModifyField, LocalNo, 1),   QF_AT(CFutureReqOrderModifyField, SystemNo, 2),
    QF_AT(CFutureReqOrderModifyField, AccountNo, 5), QF_AT(CFutureReqOrderModifyField, Item05, 6),
    QF_AT(CFutureReqOrderModifyField, UserId, 8),
};
const MemberAt kModifyBody[] = {
    QF_AT(CFutureReqOrderModifyField, UserId, 0),  QF_AT(CFutureReqOrderModifyField, AccountNo, 2),
    QF_AT(CFutureReqOrderModifyField, Item04, 4),  QF_AT(CFutureReqOrderModifyField, Item05, 5),
    QF_AT(CFutureReqOrderModifyField, Item06, 6),  QF_AT(CFutureReqOrderModifyField, Item07, 7),
    QF_AT(CFutureReqOrderModifyField, Item08, 8),  QF_AT(CFutureReqOrderModifyField, Item09, 9),
    QF_AT(CFutureReqOrderModifyField, Item11, 11), QF_AT(CFutureReqOrderModifyField, Item12, 12),
    QF_AT(CFutureReqOrderModifyField, Item14, 14), QF_AT(CFutureReqOrderModifyField, Item16, 16),
    QF_AT(CFutureReqOrderModifyField, Item17, 17), QF_AT(CFutureReqOrderModifyField, Item18, 18),
    QF_AT(CFutureReqOrderModifyField, Item20, 20),
};
constexpr size_t kModifyProgramPosition = 15;

const MemberAt kCancelHead[] = {
    QF_AT(CFutureReqOrderCancelField, LocalNo, 1),   QF_AT(CFutureReqOrderCancelField, SystemNo, 2),
    QF_AT(CFutureReqOrderCancelField, AccountNo, 5), QF_AT(CFutureReqOrderCancelField, Item07, 6),
    QF_AT(CFutureReqOrderCancelField, UserId, 8),
};
const MemberAt kCancelBody[] = {
    QF_AT(CFutureReqOrderCancelField, UserId, 0),   QF_AT(CFutureReqOrderCancelField, AccountNo, 2),
    QF_AT(CFutureReqOrderCancelField, SystemNo, 5), QF_AT(CFutureReqOrderCancelField, Item06, 6),
    QF_AT(CFutureReqOrderCancelField, Item07, 7),   QF_AT(CFutureReqOrderCancelField, Item08, 8),
    QF_AT(CFutureReqOrderCancelField, Item09, 9),   QF_AT(CFutureReqOrderCancelField, Item10, 10),
    QF_AT(CFutureReqOrderCancelField, Item11, 11),  QF_AT(CFutureReqOrderCancelField, Item14, 14),
    QF_AT(CFutureReqOrderCancelField, Item18, 18),
};
constexpr size_t kCancelProgramPosition = 16;

// An OrgOrderLocationID is empty, 2 or 5 characters long (read up to its NUL within the array).
bool ValidLocation(std::string_view location) {
    return location.empty() || location.size() == 2 || location.size() == 5;
}

// Verification fields 1 to 7 of a request into body items 0 to 6.
template <class Field>
void FillVerify(FUTURE::SafeVerifyInfo& body, const Field* f) {
    body.m_item[0] = Text(f->VerifyField1);
    body.m_item[1] = Text(f->VerifyField2);
    body.m_item[2] = Text(f->VerifyField3);
    body.m_item[3] = Text(f->VerifyField4);
    body.m_item[4] = Text(f->VerifyField5);
    body.m_item[5] = Text(f->VerifyField6);
    body.m_item[6] = Text(f->VerifyField7);
}

// A head with the command, the kind code in field 8 and the request id in field 10.
void QueryHead(NetInfo& head, const char* code, const IntText& id) {
    head.m_strField[0] = code;
    head.m_strField[8] = kKind;
    head.m_strField[10] = id.View();
}

}  // namespace

const CFutureApiImp::CommandRow CFutureApiImp::kCommands[34] = {
    {"LOGIN001", &CFutureApiImp::OnCommandLogin},
    {"LOGIN002", &CFutureApiImp::OnServerKitOut},
    {"UNLOGIN1", &CFutureApiImp::OnCommandLogout},
    {"SYSTEMNO", &CFutureApiImp::OnCommandSystemNo},
    {"TEST0001", nullptr},  // heartbeat answer: nothing to do
    {"ORDER001", &CFutureApiImp::OnCommandOrderInsert},
    {"MODIFY01", &CFutureApiImp::OnCommandOrderModify},
    {"CANCEL01", &CFutureApiImp::OnCommandOrderCancel},
    {"ORDERSTA", &CFutureApiImp::OnCommandOrderStatus},
    {"FILCST01", &CFutureApiImp::OnCommandFilledCast},
    {"CANCST01", &CFutureApiImp::OnCommandOrderCancel},
    {"RequVfCd", &CFutureApiImp::OnCommandVerifyCode},
    {"SfVerify", &CFutureApiImp::OnCommandSafeVerify},
    {"SetVeriQA", &CFutureApiImp::OnCommandSetVerifyQA},
    {"ACNTLAST", &CFutureApiImp::OnCommandPushCapital},
    {"HOLDSTAT", &CFutureApiImp::OnCommandPushPosition},
    {"VfQuList", &CFutureApiImp::OnCommandGetQuestions},
    {"MODIFYPW", &CFutureApiImp::OnCommandPasswordUpdate},
    {"ORDERLST", &CFutureApiImp::OnCommandQryOrder},
    {"FILLLIST", &CFutureApiImp::OnCommandQryTrade},
    {"DEPOSTAT", &CFutureApiImp::OnCommandQryCapital},
    {"EXCHANGE", &CFutureApiImp::OnCommandQryExchange},
    {"CONTRACT", &CFutureApiImp::OnCommandQryInstrument},
    {"OPENDETL", &CFutureApiImp::OnCommandQryPosition},
    {"SEARCHHT", &CFutureApiImp::OnCommandQryTotalPosition},
    {"CRNYLIST", &CFutureApiImp::OnCommandQryCurrency},
    {"GetComdy", &CFutureApiImp::OnCommandQryCommodity},
    {"GETETIME", &CFutureApiImp::OnCommandQryExchangeTime},
    {"GETCTIME", &CFutureApiImp::OnCommandQryCommodityTime},
    {"GETSTRLS", &CFutureApiImp::OnCommandQryStrategy},
    {"GETVER01", &CFutureApiImp::OnCommandQryVersion},
    {"GETSTRDL", &CFutureApiImp::OnCommandQryStrategyDetail},
    {"REPLY_SEND_KEY", &CFutureApiImp::OnCommandReplySendKey},
    {"REPLY_PUBLIC_KEY", &CFutureApiImp::OnCommandReplyPublicKey},
};

CFutureApi* CFutureApi::CreateFutureApi(bool writeLog, const char* logFile, const char* logDir) {
    auto* api = new CFutureApiImp();
    api->SetUpFutureLog(writeLog, logFile, logDir);
    return api;
}

const char* CFutureApi::GetVersion() {
    return kQuintaraVersion;
}

CFutureApiImp::CFutureApiImp() : CApiObject(FUTURE::_error, kHeartBeat) {}

void CFutureApiImp::SetUpFutureLog(bool writeLog, const char* logFile, const char* logDir) {
    SetUpLog(writeLog, logFile, logDir, true, "Future");
}

void CFutureApiImp::SetHeartBeatTimeout(int seconds) {
    SetHeartBeat(seconds, NetTiming::Get().heartbeatMinTrading, true);
}

void CFutureApiImp::OnSocketCommand(unsigned char* message, long length) {
    Dispatch(this, message, length, kCommands);
}

int CFutureApiImp::Throttled(CQueryThrottle& throttle, char* errorMsg) {
    if (throttle.TryPass()) return 1;
    return Refuse(errorMsg, "每种查询一秒只能查询一次.");
}

// ---- login and logout ----

int CFutureApiImp::ReqUserLogin(CFutureReqUserLoginField* f, int requestId) {
    if (const char* missing = LoginValues::MissingField(*f)) return Refuse(f->ErrorMsg, missing);
    const LoginValues values = LoginValues::Of(*f);
    m_storedLogin.Store(values);
    return SendResult(SendLoginMessage(values, requestId, OrvikCode::LOGIN001, kKind), f->ErrorMsg);
}

// The server started a key exchange and holds the session key now: the last login is sent again,
// encrypted, with the request id of the exchange's answer.
void CFutureApiImp::SendLoginAfterKeyExchange(int requestId) {
    m_storedLogin.With(
        [&](const LoginValues& values) { SendLoginMessage(values, requestId, OrvikCode::LOGIN001, kKind); });
}

int CFutureApiImp::ReqUserLogout(CFutureReqUserLogoutField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::UNLOGIN1, id);
    head.m_strField[3] = ApiType::SdkApi;
    return SendResult(SendMessage(head), f->ErrorMsg);
}

void CFutureApiImp::OnCommandLogin() {
    DeliverLogin<FUTURE::LoginResponseInfo, CFutureUserLoginInfoField>(
        FutureAnswers::kVerifyStepItem, FutureAnswers::kSetAnswerStepItem, FutureAnswers::kLoginInfo,
        &IFutureEvent::OnRspUserLoginInfo);
}

void CFutureApiImp::OnCommandLogout() {
    StatusTo(&IFutureEvent::OnRspUserLogout);
}
void CFutureApiImp::OnServerKitOut() {
    HandleKickOut();
}
void CFutureApiImp::OnCommandReplyPublicKey() {
    HandleReplyPublicKey();
}
void CFutureApiImp::OnCommandReplySendKey() {
    HandleReplySendKey();
}

void CFutureApiImp::RaiseKickOut(CFutureRspInfoField* info, int requestId) {
    Raise([&](IFutureEvent& spi) { spi.OnRspUserLogout(info, requestId, true); });
}

// ---- orders ----

template <class TShort, class TLong>
int CFutureApiImp::SendOrder(NetInfo& head, TLong& body, std::string_view location, char* errorMsg) {
    static_assert(TShort::kFields < TLong::kFields, "the location follows the fixed fields");
    if (!location.empty()) {
        body.m_item[TLong::kFields - 1] = location;
        body.m_nCount = TLong::kFields;
        return SendResult(SendMessage(head, &body), errorMsg);
    }
    TShort fixed;
    for (size_t i = 0; i < TShort::kFields; ++i) fixed.m_item[i] = body.m_item[i];
    fixed.m_nCount = TShort::kFields;
    return SendResult(SendMessage(head, &fixed), errorMsg);
}

int CFutureApiImp::ReqOrderInsert(CFutureReqOrderInsertField* f, int /*requestId*/) {
    const char* program = f->IsProgram == 0 ? "P" : f->IsProgram == 1 ? "C" : nullptr;
    if (program == nullptr) return Refuse(f->ErrorMsg, "The IsProgram value is invalid.");
    const std::string_view location = Text(f->OrgOrderLocationID);
    if (!ValidLocation(location)) return Refuse(f->ErrorMsg, kBadLocation);
    NetInfo head;
    head.m_strField[0] = OrvikCode::ORDER001;
    head.m_strField[3] = kKind;
    FillItems(f, kInsertHead, head.m_strField);
    FUTURE::OrderInfoWithLocation body;
    FillItems(f, kInsertBody, body.m_item);
    body.m_item[kInsertProgramPosition] = program;
    return SendOrder<FUTURE::OrderInfo>(head, body, location, f->ErrorMsg);
}

int CFutureApiImp::ReqOrderModify(CFutureReqOrderModifyField* f, int /*requestId*/) {
    const std::string_view location = Text(f->OrgOrderLocationID);
    if (!ValidLocation(location)) return Refuse(f->ErrorMsg, kBadLocation);
    NetInfo head;
    head.m_strField[0] = OrvikCode::MODIFY01;
    head.m_strField[3] = kKind;
    FillItems(f, kModifyHead, head.m_strField);
    FUTURE::ModifyInfoWithLocation body;
    FillItems(f, kModifyBody, body.m_item);
    body.m_item[kModifyProgramPosition] = "P";
    return SendOrder<FUTURE::ModifyInfo>(head, body, location, f->ErrorMsg);
}

int CFutureApiImp::ReqOrderCancel(CFutureReqOrderCancelField* f, int /*requestId*/) {
    const std::string_view location = Text(f->OrgOrderLocationID);
    if (!ValidLocation(location)) return Refuse(f->ErrorMsg, kBadLocation);
    NetInfo head;
    head.m_strField[0] = OrvikCode::CANCEL01;
    head.m_strField[3] = kKind;
    FillItems(f, kCancelHead, head.m_strField);
    FUTURE::CancelInfoWithLocation body;
    FillItems(f, kCancelBody, body.m_item);
    body.m_item[kCancelProgramPosition] = "P";
    return SendOrder<FUTURE::CancelInfo>(head, body, location, f->ErrorMsg);
}

void CFutureApiImp::OnCommandSystemNo() {
    DeliverTo<FUTURE::OrderResponseInfo, CFutureOrderField>(FutureAnswers::kSystemNo, &IFutureEvent::OnRspOrderInsert);
}
void CFutureApiImp::OnCommandOrderInsert() {
    DeliverTo<FUTURE::OrderResponseInfo, CFutureOrderField>(FutureAnswers::kOrderInsert,
                                                            &IFutureEvent::OnRspOrderInsert);
}
void CFutureApiImp::OnCommandOrderModify() {
    DeliverTo<FUTURE::OrderResponseInfo, CFutureOrderField>(FutureAnswers::kOrderModify,
                                                            &IFutureEvent::OnRspOrderModify);
}
void CFutureApiImp::OnCommandOrderCancel() {
    DeliverTo<FUTURE::CancelResponseInfo, CFutureCancelField>(FutureAnswers::kOrderCancel,
                                                              &IFutureEvent::OnRspOrderCancel);
}

// ---- pushes ----

void CFutureApiImp::OnCommandOrderStatus() {
    DeliverTo<FUTURE::OrderStatusInfo, CFutureOrderStatusField>(FutureAnswers::kOrderStatus,
                                                                &IFutureEvent::OnPushOrderStatus);
}
void CFutureApiImp::OnCommandFilledCast() {
    DeliverTo<FUTURE::FilledResponseInfo, CFutureTradeField>(FutureAnswers::kFilled, &IFutureEvent::OnPushFilled);
}
void CFutureApiImp::OnCommandPushCapital() {
    DeliverTo<FUTURE::AccountInfo, CFutureCapitalField>(FutureAnswers::kCapital, &IFutureEvent::OnPushCapital);
}
void CFutureApiImp::OnCommandPushPosition() {
    DeliverTo<FUTURE::OrderStatusInfo, CFutureOrderStatusField>(FutureAnswers::kPosition,
                                                                &IFutureEvent::OnPushPosition);
}

// ---- account queries (one per second per kind) ----

int CFutureApiImp::ReqQryOrder(CFutureQryOrderField* f, int requestId) {
    if (!Throttled(m_lLastQryOrder, f->ErrorMsg)) return 0;
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::ORDERLST, id);
    head.m_strField[5] = account;
    FUTURE::OrderSearchInfo body;
    body.m_item[0] = Text(f->Item00);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CFutureApiImp::ReqQryTrade(CFutureQryTradeField* f, int requestId) {
    if (!Throttled(m_lLastQryTrade, f->ErrorMsg)) return 0;
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::FILLLIST, id);
    head.m_strField[3] = Text(f->HeadField3);
    FUTURE::FilledSearchInfo body;
    body.m_item[2] = Text(f->Item02);
    body.m_item[4] = Text(f->Item04);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CFutureApiImp::ReqQryCapital(CFutureQryCapitalField* f, int requestId) {
    if (!Throttled(m_lLastQryCapital, f->ErrorMsg)) return 0;
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::DEPOSTAT, id);
    head.m_strField[5] = account;
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CFutureApiImp::ReqQryPosition(CFutureQryPositionField* f, int requestId) {
    if (!Throttled(m_lLastQryPosition, f->ErrorMsg)) return 0;
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::OPENDETL, id);
    head.m_strField[5] = account;
    return SendResult(SendMessage(head), f->ErrorMsg);
}

// The kind code goes to head field 3 here; head field 8 stays empty.
int CFutureApiImp::ReqQryTotalPosition(CFutureQryTotalPositionField* f, int requestId) {
    if (!Throttled(m_lLastQryTotalPosition, f->ErrorMsg)) return 0;
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::SEARCHHT;
    head.m_strField[3] = kKind;
    head.m_strField[5] = Text(f->AccountNo);
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

void CFutureApiImp::OnCommandQryOrder() {
    DeliverTo<FUTURE::OrderResponseInfo, CFutureOrderListField>(FutureAnswers::kQryOrder, &IFutureEvent::OnRspQryOrder);
}
void CFutureApiImp::OnCommandQryTrade() {
    DeliverTo<FUTURE::FilledResponseInfo, CFutureTradeField>(FutureAnswers::kQryTrade, &IFutureEvent::OnRspQryTrade);
}
void CFutureApiImp::OnCommandQryCapital() {
    DeliverTo<FUTURE::AccountResponseInfo, CFutureAccountField>(FutureAnswers::kQryCapital,
                                                                &IFutureEvent::OnRspQryCapital);
}
void CFutureApiImp::OnCommandQryPosition() {
    DeliverTo<FUTURE::HoldDetailResponseInfo, CFuturePositionField>(FutureAnswers::kQryPosition,
                                                                    &IFutureEvent::OnRspQryPosition);
}
void CFutureApiImp::OnCommandQryTotalPosition() {
    DeliverTo<FUTURE::OrderStatusInfo, CFutureOrderStatusField>(FutureAnswers::kQryTotalPosition,
                                                                &IFutureEvent::OnRspQryTotalPosition);
}

// ---- security verification and password change ----
// The log copies of "SetVeriQA", "SfVerify", "RequVfCd" and "MODIFYPW" show "******" for every
// given field: they carry security answers and passwords, in fields only the server gives a meaning.

int CFutureApiImp::ReqGetQuestion(CFutureReqGetQuestionField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::VfQuList, id);
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CFutureApiImp::ReqSetVerifyQA(CFutureReqSetVerifyQAField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::SetVeriQA, id);
    FUTURE::SafeVerifyInfo body;
    FillVerify(body, f);
    body.m_item[7] = Text(f->VerifyField8);
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
}

int CFutureApiImp::ReqSafeVerify(CFutureReqSafeVerifyField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::SfVerify, id);
    head.m_strField[2] = Text(f->VerifyExtra);
    FUTURE::SafeVerifyInfo body;
    FillVerify(body, f);
    body.m_item[7] = Text(f->VerifyField8);
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
}

int CFutureApiImp::ReqVerifyCode(CFutureReqVerifyCodeField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::RequVfCd, id);
    FUTURE::SafeVerifyInfo body;  // field 7 stays empty
    FillVerify(body, f);
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
}

// The kind code goes to head field 3 here; head field 8 stays empty.
int CFutureApiImp::ReqPasswordUpdate(CFutureReqPasswordUpdateField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::MODIFYPW;
    head.m_strField[3] = kKind;
    head.m_strField[10] = id.View();
    FUTURE::ModifyClientPWS body;
    body.m_item[0] = Text(f->PwsField1);
    body.m_item[1] = Text(f->PwsField2);
    body.m_item[2] = Text(f->PwsField3);
    return SendResult(SendMessage(head, &body, kMaskAllGiven), f->ErrorMsg);
}

void CFutureApiImp::OnCommandGetQuestions() {
    DeliverTo<FUTURE::QuestionInfo, CFutureQuestionField>(FutureAnswers::kGetQuestion, &IFutureEvent::OnRspGetQuestion);
}
void CFutureApiImp::OnCommandSafeVerify() {
    StatusTo(&IFutureEvent::OnRspSafeVerify);
}
void CFutureApiImp::OnCommandSetVerifyQA() {
    StatusTo(&IFutureEvent::OnRspSetVerifyQA);
}
void CFutureApiImp::OnCommandVerifyCode() {
    StatusTo(&IFutureEvent::OnRspVerifyCode);
}
void CFutureApiImp::OnCommandPasswordUpdate() {
    DeliverTo<FUTURE::ModifyClientPWS, CFuturePasswordField>(FutureAnswers::kPasswordUpdate,
                                                             &IFutureEvent::OnRspPasswordUpdate);
}

// ---- reference data ----

int CFutureApiImp::ReqQryExchange(CFutureQryExchangeField* f, int requestId) {
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::EXCHANGE, id);
    head.m_strField[5] = account;
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CFutureApiImp::ReqQryCurrency(CFutureQryCurrencyField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::CRNYLIST, id);
    return SendResult(SendMessage(head), f->ErrorMsg);
}

// The log copy shows "******" in place of the password, as for the login.
int CFutureApiImp::ReqQryVersion(CFutureQryVersionField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::GETVER01, id);
    FUTURE::LoginInfo body;
    body.m_item[0] = Text(f->UserId);
    body.m_item[1] = Text(f->UserPwd);
    body.m_item[2] = kKind;
    return SendResult(SendMessage(head, &body, kMaskPassword), f->ErrorMsg);
}

int CFutureApiImp::ReqQryCommodity(CFutureQryCommodityField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::GetComdy, id);
    head.m_strField[1] = Text(f->HeadField1);
    head.m_strField[6] = Text(f->HeadField6);
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CFutureApiImp::ReqQryExchangeTime(CFutureQryExchangeTimeField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::GETETIME, id);
    return SendResult(SendMessage(head), f->ErrorMsg);
}

int CFutureApiImp::ReqQryCommodityTime(CFutureQryCommodityTimeField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::GETCTIME, id);
    FUTURE::ReqCommSumWin body;
    body.m_item[0] = Text(f->ReqCommSumWinField00);
    body.m_item[1] = Text(f->ReqCommSumWinField01);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CFutureApiImp::ReqQryStrategy(CFutureQryStrategyField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::GETSTRLS, id);
    FUTURE::UseContractInfo body;
    FutureRefData::FillInstrumentRequest(body);
    body.m_item[1] = Text(f->ExchangeNo);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CFutureApiImp::ReqQryInstrument(CFutureQryInstrumentField* f, int requestId) {
    if (f->ExchangeNo[0] == '\0') return Refuse(f->ErrorMsg, "ExchangeNo 不能为空.");
    const std::string account = m_strAccount.Get();
    IntText id(requestId);
    IntText headField2(f->HeadField2);
    NetInfo head;
    QueryHead(head, OrvikCode::CONTRACT, id);
    head.m_strField[2] = headField2.View();
    head.m_strField[5] = account;
    FUTURE::UseContractInfo body;
    FutureRefData::FillInstrumentRequest(body);
    body.m_item[1] = Text(f->ExchangeNo);
    body.m_item[2] = Text(f->InstrumentField02);
    body.m_item[4] = Text(f->InstrumentField04);
    body.m_item[6] = Text(f->InstrumentField06);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

int CFutureApiImp::ReqQryStrategyDetail(CFutureQryStrategyDetailField* f, int requestId) {
    IntText id(requestId);
    NetInfo head;
    QueryHead(head, OrvikCode::GETSTRDL, id);
    FUTURE::StartegyDetailRequest body;
    FutureRefData::FillStrategyDetailRequest(body);
    body.m_item[7] = Text(f->StrategyDetailField07);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

void CFutureApiImp::OnCommandQryExchange() {
    DeliverTo<FUTURE::ExchangeInfo, CFutureExchangeField>(FutureRefData::kQryExchange, &IFutureEvent::OnRspQryExchange);
}
void CFutureApiImp::OnCommandQryCurrency() {
    DeliverTo<FUTURE::CurrencyInfo, CFutureCurrencyField>(FutureRefData::kQryCurrency, &IFutureEvent::OnRspQryCurrency);
}
void CFutureApiImp::OnCommandQryVersion() {
    DeliverTo<FUTURE::VersionInfo, CFutureVersionField>(FutureRefData::kQryVersion, &IFutureEvent::OnRspQryVersion);
}
void CFutureApiImp::OnCommandQryCommodity() {
    DeliverTo<FUTURE::CommodityInfo, CFutureCommodityField>(FutureRefData::kQryCommodity,
                                                            &IFutureEvent::OnRspQryCommodity);
}
void CFutureApiImp::OnCommandQryExchangeTime() {
    DeliverTo<FUTURE::ExchangeSummerWinter, CFutureExchangeTimeField>(FutureRefData::kQryExchangeTime,
                                                                      &IFutureEvent::OnRspQryExchangeTime);
}
void CFutureApiImp::OnCommandQryCommodityTime() {
    DeliverTo<FUTURE::CommoditySummerWinter, CFutureCommodityTimeField>(FutureRefData::kQryCommodityTime,
                                                                        &IFutureEvent::OnRspQryCommodityTime);
}
void CFutureApiImp::OnCommandQryStrategy() {
    DeliverTo<FUTURE::UseContractInfo, CFutureInstrumentField>(FutureRefData::kQryInstrument,
                                                               &IFutureEvent::OnRspQryStrategy);
}
void CFutureApiImp::OnCommandQryInstrument() {
    DeliverTo<FUTURE::UseContractInfo, CFutureInstrumentField>(FutureRefData::kQryInstrument,
                                                               &IFutureEvent::OnRspQryInstrument);
}
void CFutureApiImp::OnCommandQryStrategyDetail() {
    DeliverTo<FUTURE::StartegyDetailInfo, CFutureStrategyDetailField>(FutureRefData::kQryStrategyDetail,
                                                                      &IFutureEvent::OnRspQryStrategyDetail);
}
