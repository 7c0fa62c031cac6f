#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "api/AnswerDelivery.h"
#include "api/CSharedText.h"
#include "api/CStoredLogin.h"
#include "foundation/CDynBuffer.h"
#include "foundation/ErrorCatalogue.h"
#include "foundation/HP.h"
#include "foundation/SystemInfo.h"
#include "net/NetTiming.h"
#include "secure/CCipherLayer.h"
#include "secure/CHeadParser.h"
#include "secure/CRecord.h"
#include "secure/MessageCut.h"
#include "secure/NetInfo.h"
#include "secure/OrvikCode.h"

inline constexpr const char* kQuintaraVersion = "1.18.2.0";

// Which body items of a sent message the log copy shows as "******".
struct LogMask {
    uint64_t bodyItems = 0;     // bit i: body item i
    bool onlyNonEmpty = false;  // mask only the items that are not empty
};

// The decimal text of a request id (or any int) for a head field.
struct IntText {
    explicit IntText(int value) { m_nLength = std::snprintf(m_szText, sizeof m_szText, "%d", value); }
    std::string_view View() const { return std::string_view(m_szText, static_cast<size_t>(m_nLength)); }
    char m_szText[16];
    int m_nLength;
};

// What the three API objects share: the composition of the public class (primary base) with the
// cipher and socket layers, the lifecycle (Init, Release), the connection events, the kick-out and
// key-exchange answers, the dispatcher's table lookup and the request send path. The kinds add
// their operations, dispatch tables and handlers.
template <class TPublic, class TSpi, class TRspInfo>
class CApiObject : public TPublic, public CCipherLayer {
public:
    static constexpr int64_t kHeadBufferSize = 16384;
    static constexpr int64_t kBodyBufferSize = 4194304;
    static constexpr int64_t kUnzipBufferSize = 8388608;

    bool Init() override {
        RecordActionLog("开始初始化系统");
        if (m_pThread) {  // a second Init on a running object starts nothing
            RecordActionLog("重复初始化被忽略");
            return false;
        }
        RecordActionLog("创建解析缓冲区");
        if (!AllocateParseBuffers()) return false;
        RecordActionLog("创建异步套接字");
        return CreateInstance();
    }

    // The head, body and decompression buffers of the dispatcher. Init allocates them; harnesses
    // that drive the object without a connection (CAsynSocket::InjectReceived) call this instead.
    bool AllocateParseBuffers() {
        if (m_bufHead.Allocate(kHeadBufferSize) && m_bufBody.Allocate(kBodyBufferSize) &&
            m_bufUnzip.Allocate(kUnzipBufferSize))
            return true;
        m_bufHead.Destroy();
        m_bufBody.Destroy();
        m_bufUnzip.Destroy();
        return false;
    }

    void Release() override {
        if (!StopReceiveThread()) {
            // Called from an event handler on the receive thread: no further event reaches the
            // application, and the receive thread finishes the release when the handler returns.
            m_pSpi.store(nullptr, std::memory_order_release);
            return;
        }
        FinishRelease();
    }

    void RegisterSpi(TSpi* spi) override { m_pSpi.store(spi, std::memory_order_release); }

    void RegisterNameServer(const char* address) override {
        RegisterServer(std::string(address != nullptr ? address : ""));
    }

protected:
    CApiObject(const ErrorMap& catalogue, const char* heartbeat) : m_catalogue(catalogue), m_pHeartBeat(heartbeat) {}
    ~CApiObject() override = default;

    // Factory steps: log switch, file and folder (with the folder fallbacks), the folder line on
    // standard output, today's log file, the version and operating-system lines.
    void SetUpLog(bool writeLog, const char* logFile, const char* logDir, bool useFolder, const char* kindWord) {
        m_bWriteLog = writeLog;
        if (logFile != nullptr && logFile[0] != '\0') m_strLogFile = logFile;
        if (useFolder) {
            m_strLogDir = logDir != nullptr ? logDir : "";
            if (CreatLogDir(m_strLogDir) != 0) {
                std::string dotted = "./" + m_strLogDir;
                if (CreatLogDir(dotted) == 0)
                    m_strLogDir = dotted;
                else
                    m_strLogDir.clear();
            }
            if (!m_strLogDir.empty())
                std::cout << "Log store dir: " << m_strLogDir << "\n" << std::flush;
            else
                std::cout << "Log store default dir: ./CoreLog\n" << std::flush;
        }
        SwitchLogFolder();
        RecordApiVersion(kindWord);
        RecordActionLog(GetOSVersion());
    }

    // Heartbeat timeout clamped to [minimum, 86400]; with the reply check on or off.
    void SetHeartBeat(int seconds, int64_t minimum, bool check) {
        int64_t value = seconds;
        if (value < minimum) value = minimum;
        if (value > 86400) value = 86400;
        m_lHeartBeatTimeout = value;
        m_bHeartBeatCheck = check;
    }

    // Calls f(sink) when a sink is registered; events are dropped otherwise.
    template <class F>
    void Raise(F&& f) {
        if (TSpi* spi = m_pSpi.load(std::memory_order_acquire)) f(*spi);
    }

    MessageContext Context() { return MessageContext{m_bufHead, m_bufBody, m_bufUnzip, m_catalogue}; }

    // Cuts the message into code, head and body and runs the handler of the first table row whose
    // code the received code selects. Row: { const char* code; void (Derived::*handler)(); }.
    template <class Derived, class Row, size_t K>
    void Dispatch(Derived* self, unsigned char* message, long length, const Row (&table)[K]) {
        std::string_view code;
        if (!CutMessage(message, length, &code, m_bufHead, m_bufBody)) return;
        const Row* row = FindCommand(table, code);
        if (row != nullptr && row->handler != nullptr) (self->*(row->handler))();
    }

    // ---- connection events ----
    void OnSocketConnect() override {
        RecordLinkLog("连接服务器成功");
        Raise([](TSpi& spi) { spi.OnConnect(); });
    }

    void OnSocketDisconnect() override {
        const int code = static_cast<int>(m_lErrorCode.load());
        char text[256];
        std::snprintf(text, sizeof text, "与服务器断开，操作系统=%s，Quintara错误码=%d，套接字错误码=%d", "Linux", code,
                      static_cast<int>(m_lSocketErrno.load()));
        RecordActionLog(text);
        Raise([code](TSpi& spi) { spi.OnDisconnect(code); });
    }

    void OnSocketHeartBeat(long long seconds) override {
        Raise([seconds](TSpi& spi) { spi.OnHeartBeat(seconds); });
    }

    void OnSendHeartBeat() override { SendCommand(std::string_view(m_pHeartBeat), std::string_view()); }

    void OnDeferredRelease() override { FinishRelease(); }

    // ---- answers every kind handles the same way ----
    // "LOGIN002": the account logged in elsewhere.
    void HandleKickOut() {
        CHeadParser<TRspInfo> head(m_bufHead);
        HP::SafeCopy(head.m_rspInfo.ErrorMsg, sizeof head.m_rspInfo.ErrorMsg,
                     "此账号在别处登录，当前连接强制退出！！！");
        RaiseKickOut(&head.m_rspInfo, head.m_iRequestId);
    }

    // "REPLY_PUBLIC_KEY": answer the server's RSA key with a session key.
    void HandleReplyPublicKey() {
        CHeadParser<TRspInfo> head(m_bufHead);
        TRspInfo& info = head.m_rspInfo;
        if (info.ErrorID != 0) {
            ResolveHeadError(head, m_catalogue);
        } else {
            std::string error;
            if (SendAesKey(std::string(head.m_info.m_strField[1]), std::string(head.m_info.m_strField[2]), error,
                           head.m_iRequestId))
                return;
            info.ErrorID = 90005;
            HP::SafeCopy(info.ErrorMsg, sizeof info.ErrorMsg, error);
        }
        const int requestId = head.m_iRequestId;
        Raise([&](TSpi& spi) { spi.OnRspUserLogin(&info, requestId, false); });
    }

    // "REPLY_SEND_KEY": the server holds the session key; the kind sends its login encrypted.
    void HandleReplySendKey() {
        CHeadParser<TRspInfo> head(m_bufHead);
        TRspInfo& info = head.m_rspInfo;
        if (info.ErrorID == 0) {
            SendLoginAfterKeyExchange(head.m_iRequestId);
            return;
        }
        ResolveHeadError(head, m_catalogue);
        const int requestId = head.m_iRequestId;
        Raise([&](TSpi& spi) { spi.OnRspUserLogin(&info, requestId, false); });
    }

    // An answer with records to `callback`, in the common delivery pattern.
    template <class TRecord, class TData>
    void DeliverTo(const DataRules& rules, void (TSpi::*callback)(TData*, TRspInfo*, int, bool)) {
        DeliverData<TRecord, TData, TRspInfo>(Context(), rules, [&](TData* data, TRspInfo* info, int id, bool last) {
            Raise([&](TSpi& spi) { (spi.*callback)(data, info, id, last); });
        });
    }

    // A status-only answer to `callback` (IsLast true).
    void StatusTo(void (TSpi::*callback)(TRspInfo*, int, bool)) {
        DeliverStatus<TRspInfo>(Context(), [&](TRspInfo* info, int id, bool last) {
            Raise([&](TSpi& spi) { (spi.*callback)(info, id, last); });
        });
    }

    // A trading login answer. Every answer marks the login as answered. A rejection reaches the
    // login result; a verification demand in any record (item `verifyItem` "1") gives only
    // OnRspNeedVerify, with the questions flag from item `answerItem`, and changes nothing; otherwise
    // the account of the last record is kept, the result comes first, then one call per record.
    // An unreadable body is not reported: the login then simply carries no records.
    template <class TRecord, class TData>
    void DeliverLogin(size_t verifyItem, size_t answerItem, const FieldTable& record,
                      void (TSpi::*infoCallback)(TData*, TRspInfo*, int, bool)) {
        m_bLoginReplied = true;
        CHeadParser<TRspInfo> head(m_bufHead);
        TRspInfo& info = head.m_rspInfo;
        const int requestId = head.m_iRequestId;
        if (info.ErrorID != 0) {
            ResolveHeadError(head, m_catalogue);
            Raise([&](TSpi& spi) { spi.OnRspUserLogin(&info, requestId, false); });
            return;
        }
        CBodyParser<TRecord> body(m_bufBody, m_bufUnzip, head.m_bCompressed, true);
        const auto& records = body.m_vecRecords;
        bool verify = false;
        bool questionsSet = false;
        for (const auto& r : records) {
            verify = verify || r.m_item[verifyItem] == VerfityStep::Must;
            questionsSet = questionsSet || r.m_item[answerItem] == SetAnswerStep::Have;
        }
        if (verify) {
            Raise([&](TSpi& spi) { spi.OnRspNeedVerify(true, questionsSet); });
            return;
        }
        if (!records.empty()) m_strAccount.Set(records.back().m_item[0]);
        Raise([&](TSpi& spi) { spi.OnRspUserLogin(&info, requestId, false); });
        TData data;
        for (size_t i = 0; i < records.size(); ++i) {
            std::memset(&data, 0, sizeof data);
            FillFields(&data, record, records[i].m_item, records[i].m_nCount, &head.m_info);
            const bool last = i + 1 == records.size();
            Raise([&](TSpi& spi) { (spi.*infoCallback)(&data, &info, requestId, last); });
        }
    }

    virtual void RaiseKickOut(TRspInfo* info, int requestId) = 0;
    virtual void SendLoginAfterKeyExchange(int requestId) = 0;

    // ---- requests ----
    // The 1/0 result of a request from the send result, with the reason in errorMsg.
    static int SendResult(int sent, char* errorMsg) {
        if (sent > 0) return 1;
        HP::SafeStrcpy(errorMsg, 256, sent == 0 ? "网络连接断开." : "发送数据失败.");
        return 0;
    }
    static int Refuse(char* errorMsg, const char* reason) {
        HP::SafeStrcpy(errorMsg, 256, reason);
        return 0;
    }

    // Serialises head and body record (body may be null), sends the message through the cipher
    // layer and returns its send result (> 0 sent). The log copy masks the items `mask` names.
    template <class TRecord>
    int SendMessage(NetInfo& head, const TRecord* body, const LogMask& mask = LogMask{}) {
        char bodyText[kMessageCapacity];
        char message[kMessageCapacity];
        size_t bodyLength = 0;
        if (body != nullptr) {
            bodyLength = body->WriteTo(bodyText, sizeof bodyText);
            if (bodyLength >= sizeof bodyText) return -1;
        }
        head.m_strBody = std::string_view(bodyText, bodyLength);
        const size_t length = head.WriteTo(message, sizeof message);
        if (length >= sizeof message) return -1;
        if (body == nullptr || mask.bodyItems == 0 || !LogEnabled())
            return SendCommand(std::string_view(message, length), std::string_view());
        TRecord masked = *body;
        for (size_t i = 0; i < TRecord::kFields && i < 64; ++i) {
            if ((mask.bodyItems >> i & 1u) != 0 && (!mask.onlyNonEmpty || !masked.m_item[i].empty()))
                masked.m_item[i] = OrvikCode::PasswdShow;
        }
        char maskedBody[kMessageCapacity];
        char logText[kMessageCapacity];
        const size_t maskedLength = masked.WriteTo(maskedBody, sizeof maskedBody);
        head.m_strBody = std::string_view(maskedBody, maskedLength < sizeof maskedBody ? maskedLength : 0);
        size_t logLength = head.WriteTo(logText, sizeof logText);
        if (logLength >= sizeof logText) logLength = 0;
        return SendCommand(std::string_view(message, length), std::string_view(logText, logLength));
    }

    int SendMessage(NetInfo& head) { return SendMessage<NoRecord>(head, nullptr); }

    // A trading login ("LOGINHK1" or "LOGIN001"): software name and version in head fields 1 and 2,
    // "A" in 3, the author code in 4, the kind in 8; the body is user, password, kind, extra info and
    // computer name, the password shown as "******" in the log.
    int SendLoginMessage(const LoginValues& v, int requestId, const char* code, const char* kind) {
        IntText id(requestId);
        NetInfo head;
        head.m_strField[0] = code;
        head.m_strField[1] = v.softwareName;
        head.m_strField[2] = v.softwareVersion;
        head.m_strField[3] = ApiType::SdkApi;
        head.m_strField[4] = v.authorCode;
        head.m_strField[8] = kind;
        head.m_strField[10] = id.View();
        CRecord<5, 1> body;
        body.m_item[0] = v.userId;
        body.m_item[1] = v.userPwd;
        body.m_item[2] = kind;
        body.m_item[3] = v.extraInfo;
        body.m_item[4] = v.computerName;
        return SendMessage(head, &body, LogMask{uint64_t{1} << 1, false});
    }

    std::string m_strUserId;
    std::string m_strUserPwd;
    CSharedText m_strAccount;
    std::string m_strBrokerId;
    CDynBuffer m_bufHead;
    CDynBuffer m_bufBody;
    CDynBuffer m_bufUnzip;
    std::atomic<TSpi*> m_pSpi{nullptr};

private:
    static constexpr size_t kMessageCapacity = 32768;
    struct NoRecord {
        static constexpr size_t kFields = 0;
        std::string_view m_item[1];
        size_t WriteTo(char*, size_t) const { return 0; }
    };

    void FinishRelease() {
        m_bufRecv.Destroy();
        m_lServerIp = 0;
        m_usServerPort = 0;
        m_lHeartBeatTimeout = 86400;
        RecordActionLog("销毁异步套接字");
        RecordActionLog("销毁解析缓冲区");
        m_bufHead.Destroy();
        m_bufBody.Destroy();
        m_bufUnzip.Destroy();
        RecordActionLog("删除对象");
        delete this;
    }

    const ErrorMap& m_catalogue;
    const char* m_pHeartBeat;
};
