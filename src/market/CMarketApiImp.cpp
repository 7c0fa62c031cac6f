#include "market/CMarketApiImp.h"

#include <cstring>

#include "market/MarketPermissions.h"
#include "market/MarketQuoteParser.h"
#include "market/MarketRecords.h"
#include "secure/BodyCodec.h"

using namespace Quintara;

namespace {

constexpr const char* kHeartBeat = "TEST001@@@@@@@@@@&";  // OrvikCode::MarketHeartBeat, empty fields
constexpr const char* kLoginTransMode = "0";              // head field 9 of the market login

template <size_t N>
std::string_view Text(const char (&member)[N]) {
    return HP::FieldView(member);
}

constexpr LogMask kMaskPassword{uint64_t{1} << 1, false};

const FieldMap kTradeDateRows[] = {
    QF_TEXT(CMarketTradeDateField, Key, 0),
    QF_TEXT(CMarketTradeDateField, Value, 1),
};
// A delivered trade date always carries IsLast false.
const DataRules kTradeDate{false, MakeTable(kTradeDateRows), {}, 0, "", false};

}  // namespace

const CMarketApiImp::CommandRow CMarketApiImp::kCommands[8] = {
    {OrvikCode::LOGINHK1, &CMarketApiImp::OnCommandLoginHK},
    {OrvikCode::LOGIN002, &CMarketApiImp::OnServerKitOut},
    {OrvikCode::HEARTBIT, nullptr},  // heartbeat answer: nothing to do
    {OrvikCode::MARKET01, &CMarketApiImp::OnCommandMarketData},
    {OrvikCode::TradeDate, &CMarketApiImp::OnCommandTradeDate},
    {OrvikCode::BrokerData, &CMarketApiImp::OnCommandBrokerData},
    {OrvikCode::ReplySendKey, &CMarketApiImp::OnCommandReplySendKey},
    {OrvikCode::ReplyPublicKey, &CMarketApiImp::OnCommandReplyPublicKey},
};

CMarketApi* CMarketApi::CreateMarketApi(bool writeLog, const char* logFile) {
    auto* api = new CMarketApiImp();
    api->SetUpMarketLog(writeLog, logFile);
    return api;
}

const char* CMarketApi::GetVersion() {
    return kQuintaraVersion;
}

CMarketApiImp::CMarketApiImp() : CApiObject(MARKET::_error, kHeartBeat) {}

void CMarketApiImp::SetUpMarketLog(bool writeLog, const char* logFile) {
    SetUpLog(writeLog, logFile, nullptr, false, "Market");
}

void CMarketApiImp::SetHeartBeatTimeout(int seconds, bool check) {
    SetHeartBeat(seconds, NetTiming::Get().heartbeatMinMarket, check);
}

void CMarketApiImp::OnSocketCommand(unsigned char* message, long length) {
    Dispatch(this, message, length, kCommands);
}

// ---- login ----

int CMarketApiImp::ReqUserLogin(CMarketReqUserLoginField* f, int requestId) {
    if (Text(f->UserId).empty()) return Refuse(f->ErrorMsg, "UserId 不能为空.");
    if (Text(f->UserPwd).empty()) return Refuse(f->ErrorMsg, "UserPwd 不能为空.");
    if (Text(f->BrokerIDForMarketPrice).empty()) return Refuse(f->ErrorMsg, "BrokerIDForMarketPrice 不能为空.");
    {
        std::lock_guard<std::mutex> lock(m_mtxLogin);
        m_strUserId = Text(f->UserId);
        m_strUserPwd = Text(f->UserPwd);
        m_strBrokerId = Text(f->BrokerIDForMarketPrice);
    }
    // Every call starts a new key exchange; the credentials follow once the session key stands.
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::ReqPublicKey;
    head.m_strField[3] = ApiType::SdkApi;
    head.m_strField[8] = OrvikKind::Market;
    head.m_strField[10] = id.View();
    return SendResult(SendMessage(head), f->ErrorMsg);
}

void CMarketApiImp::SendLoginAfterKeyExchange(int requestId) {
    std::lock_guard<std::mutex> lock(m_mtxLogin);
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::LOGINHK1;
    head.m_strField[9] = kLoginTransMode;
    head.m_strField[10] = id.View();
    MARKET::LoginInfo body;
    body.m_item[0] = m_strUserId;
    body.m_item[1] = m_strUserPwd;
    body.m_item[5] = ApiType::SdkApi;
    body.m_item[6] = m_strBrokerId;
    // A lost login shows as a missing answer; the send result is not reported.
    SendMessage(head, &body, kMaskPassword);
}

void CMarketApiImp::OnCommandReplyPublicKey() {
    HandleReplyPublicKey();
}
void CMarketApiImp::OnCommandReplySendKey() {
    HandleReplySendKey();
}

void CMarketApiImp::OnCommandLoginHK() {
    // The login answer ends encrypted mode: everything after it travels as plain text. It also
    // ends the login wait and starts the heartbeats, whatever the answer says.
    m_bEncrypt = false;
    m_bLoginReplied = true;
    RecordActionLog("关闭加密连接模式");

    CHeadParser<CMarketRspInfoField> head(m_bufHead);
    CMarketRspInfoField& info = head.m_rspInfo;
    ResolveHeadError(head, MARKET::_error);

    const MarketPermissions::Update permissions = MarketPermissions::Read(m_bufBody.View());
    if (permissions.m_bStockSeen) m_bStockDenied = permissions.m_bStockDenied;
    if (permissions.m_bDerivateSeen) m_bDerivateDenied = permissions.m_bDerivateDenied;
    if (info.ErrorID == 0) m_bLogin = true;

    const int requestId = head.m_iRequestId;
    Raise([&](IMarketEvent& spi) { spi.OnRspUserLogin(&info, requestId, true); });
}

void CMarketApiImp::OnServerKitOut() {
    HandleKickOut();
}

void CMarketApiImp::RaiseKickOut(CMarketRspInfoField* info, int requestId) {
    Raise([&](IMarketEvent& spi) { spi.OnKickOut(info, requestId, true); });
}

// ---- quotes ----

int CMarketApiImp::ReqMarketData(CMarketReqMarketDataField* f, int /*requestId*/) {
    if (!m_bLogin) return Refuse(f->ErrorMsg, LookupErrorText(MARKET::_error, "10020"));

    int count = f->ContractCount;
    if (count > QUINTARA_MAX_SUBSCRIBE_CONTRACTS) count = QUINTARA_MAX_SUBSCRIBE_CONTRACTS;
    if (count < 0) count = 0;
    const bool stockDenied = m_bStockDenied;
    const bool derivateDenied = m_bDerivateDenied;
    for (int i = 0; i < count; ++i) {
        if (Text(f->Contracts[i]).find(',') == std::string_view::npos)
            return Refuse(f->ErrorMsg, "订阅行情的格式不合法，必须用逗号分隔.");
        if (stockDenied && f->MarketType == 'S') return Refuse(f->ErrorMsg, "没有订阅股票行情权限.");
        if (derivateDenied && f->MarketType == 'D') return Refuse(f->ErrorMsg, "没有订阅期货行情权限.");
    }

    char text[kSubscribeCapacity];
    size_t length = 0;
    const auto append = [&](std::string_view part) {
        const size_t room = sizeof text - 1 - length;
        const size_t n = part.size() < room ? part.size() : room;
        if (n != 0) std::memcpy(text + length, part.data(), n);
        length += n;
    };
    append("MARKET01@@");
    append(std::string_view(&f->MarketType, 1));
    std::string_view tail;
    switch (f->SubscribeAction) {
        case '1':
            tail = "@+@@@&";
            break;
        case '2':
            tail = "@+T@@@&";
            break;
        case '3':
            tail = "@-@@@&";
            break;
        case '4':
            tail = "@--@@@&";
            break;
        default:
            break;
    }
    append(tail);
    if (f->SubscribeAction == '1' || f->SubscribeAction == '2' || f->SubscribeAction == '3') {
        for (int i = 0; i < count; ++i) {
            if (i != 0) append(";");
            append(Text(f->Contracts[i]));
        }
    }
    // A failed send leaves ErrorMsg as it was.
    return SendWithPause(std::string_view(text, length)) > 0 ? 1 : 0;
}

int CMarketApiImp::SendWithPause(std::string_view text) {
    int result;
    if (m_bEncrypt) {
        uint8_t cipher[kCipherArea + AesCodec::kBlock];
        const long length = EncryptForSend(text, cipher, sizeof cipher);
        if (length < 0) return -1;  // too long for an encrypted message: not sent, not logged
        result = SendBinData(cipher, length, kSubscribeDelayMs);
    } else {
        result = SendBinData(reinterpret_cast<const unsigned char*>(text.data()), static_cast<long>(text.size()),
                             kSubscribeDelayMs);
    }
    RecordSendLog(text, result);
    return result;
}

bool CMarketApiImp::SingleBodyText(bool compressed, std::string_view* text, CMarketRspInfoField& info) {
    if (!compressed) {
        *text = m_bufBody.View();
        return true;
    }
    if (m_bufBody.Length() == 0) {
        info.ErrorID = 90004;
        HP::SafeCopy(info.ErrorMsg, sizeof info.ErrorMsg, "Compress body is empty");
        return false;
    }
    size_t produced = 0;
    if (m_bufUnzip.Capacity() == 0 ||
        !BodyCodec::DecodeAndInflate(m_bufBody.Data(), static_cast<size_t>(m_bufBody.Length()), m_bufUnzip.Data(),
                                     static_cast<size_t>(m_bufUnzip.Capacity()), &produced)) {
        m_bufUnzip.SetLength(0);
        info.ErrorID = 90002;
        HP::SafeCopy(info.ErrorMsg, sizeof info.ErrorMsg, "Decompress fails");
        return false;
    }
    m_bufUnzip.SetLength(static_cast<int64_t>(produced));
    *text = m_bufUnzip.View();
    return true;
}

void CMarketApiImp::OnCommandMarketData() {
    // The raw body first, exactly as received and NUL-terminated (the buffer always has room: a
    // body is shorter than the buffer; a body that filled it loses its last byte).
    const int64_t length = m_bufBody.Length();
    uint8_t* raw = m_bufBody.Data();
    if (raw == nullptr) return;
    raw[length < m_bufBody.Capacity() ? length : m_bufBody.Capacity() - 1] = '\0';
    Raise([&](IMarketEvent& spi) { spi.OnRspRawMarketData(reinterpret_cast<const char*>(raw)); });

    CHeadParser<CMarketRspInfoField> head(m_bufHead);
    CMarketRspInfoField& info = head.m_rspInfo;
    const int requestId = head.m_iRequestId;
    CMarketMarketDataField quote;
    bool last = true;
    std::string_view text;
    if (info.ErrorID != 0) {
        ResolveHeadError(head, MARKET::_error);
        std::memset(&quote, 0, sizeof quote);
    } else if (!SingleBodyText(head.m_bCompressed, &text, info)) {
        std::memset(&quote, 0, sizeof quote);
    } else {
        // A rejected or empty record gives one zero-filled call with IsLast true; a delivered
        // quote always carries IsLast false.
        last = !MarketQuoteParser::Parse(text, &quote);
    }
    Raise([&](IMarketEvent& spi) { spi.OnRspMarketData(&quote, &info, requestId, last); });
}

// ---- broker data and trade dates ----

int CMarketApiImp::ReqBrokerData(CMarketReqBrokerDataField* f, int requestId) {
    if (!m_bLogin) return Refuse(f->ErrorMsg, LookupErrorText(MARKET::_error, "10020"));
    IntText id(requestId);
    NetInfo head;
    head.m_strField[0] = OrvikCode::BROKER;
    head.m_strField[3] = ApiType::SdkApi;
    head.m_strField[8] = OrvikKind::Market;
    head.m_strField[10] = id.View();
    MARKET::Broker body;
    body.m_item[0] = Text(f->BrokerKey);
    return SendResult(SendMessage(head, &body), f->ErrorMsg);
}

void CMarketApiImp::OnCommandBrokerData() {
    CHeadParser<CMarketRspInfoField> head(m_bufHead);
    CMarketRspInfoField& info = head.m_rspInfo;
    const int requestId = head.m_iRequestId;
    CMarketBrokerDataField broker;
    std::memset(&broker, 0, sizeof broker);
    bool last = true;
    std::string_view text;
    if (info.ErrorID != 0) {
        ResolveHeadError(head, MARKET::_error);
    } else if (SingleBodyText(head.m_bCompressed, &text, info)) {
        // The whole text is the record ('@' and '^' included), up to its first NUL.
        text = text.substr(0, HP::BoundedLength(text.data(), text.size()));
        if (!text.empty()) {
            HP::SafeCopy(broker.BrokerData, sizeof broker.BrokerData, text);
            last = false;
        }
    }
    Raise([&](IMarketEvent& spi) { spi.OnRspBrokerData(&broker, &info, requestId, last); });
}

void CMarketApiImp::OnCommandTradeDate() {
    DeliverTo<MARKET::TradeDate, CMarketTradeDateField>(kTradeDate, &IMarketEvent::OnPushTradeDate);
}
