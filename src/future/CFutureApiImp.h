#pragma once

#include <mutex>
#include <string>

#include "QuintaraFutureApi.h"
#include "api/CApiObject.h"
#include "api/CQueryThrottle.h"

// The futures trading API object: the futures operations, the dispatch table and its handlers.
class CFutureApiImp final
    : public CApiObject<Quintara::CFutureApi, Quintara::IFutureEvent, Quintara::CFutureRspInfoField> {
public:
    CFutureApiImp();
    // Factory steps of the futures object's log (folder fallbacks, folder line, version lines).
    void SetUpFutureLog(bool writeLog, const char* logFile, const char* logDir);

    void SetHeartBeatTimeout(int seconds) override;

    int ReqUserLogin(Quintara::CFutureReqUserLoginField* field, int requestId) override;
    int ReqUserLogout(Quintara::CFutureReqUserLogoutField* field, int requestId) override;
    int ReqSafeVerify(Quintara::CFutureReqSafeVerifyField* field, int requestId) override;
    int ReqVerifyCode(Quintara::CFutureReqVerifyCodeField* field, int requestId) override;
    int ReqSetVerifyQA(Quintara::CFutureReqSetVerifyQAField* field, int requestId) override;
    int ReqGetQuestion(Quintara::CFutureReqGetQuestionField* field, int requestId) override;
    int ReqOrderInsert(Quintara::CFutureReqOrderInsertField* field, int requestId) override;
    int ReqOrderModify(Quintara::CFutureReqOrderModifyField* field, int requestId) override;
    int ReqOrderCancel(Quintara::CFutureReqOrderCancelField* field, int requestId) override;
    int ReqPasswordUpdate(Quintara::CFutureReqPasswordUpdateField* field, int requestId) override;
    int ReqQryOrder(Quintara::CFutureQryOrderField* field, int requestId) override;
    int ReqQryTrade(Quintara::CFutureQryTradeField* field, int requestId) override;
    int ReqQryCapital(Quintara::CFutureQryCapitalField* field, int requestId) override;
    int ReqQryVersion(Quintara::CFutureQryVersionField* field, int requestId) override;
    int ReqQryCurrency(Quintara::CFutureQryCurrencyField* field, int requestId) override;
    int ReqQryExchange(Quintara::CFutureQryExchangeField* field, int requestId) override;
    int ReqQryPosition(Quintara::CFutureQryPositionField* field, int requestId) override;
    int ReqQryStrategy(Quintara::CFutureQryStrategyField* field, int requestId) override;
    int ReqQryCommodity(Quintara::CFutureQryCommodityField* field, int requestId) override;
    int ReqQryInstrument(Quintara::CFutureQryInstrumentField* field, int requestId) override;
    int ReqQryExchangeTime(Quintara::CFutureQryExchangeTimeField* field, int requestId) override;
    int ReqQryCommodityTime(Quintara::CFutureQryCommodityTimeField* field, int requestId) override;
    int ReqQryTotalPosition(Quintara::CFutureQryTotalPositionField* field, int requestId) override;
    int ReqQryStrategyDetail(Quintara::CFutureQryStrategyDetailField* field, int requestId) override;

    void OnSocketCommand(unsigned char* message, long length) override;

    // Handlers of the dispatch table (receive thread).
    void OnCommandLogin();
    void OnServerKitOut();
    void OnCommandLogout();
    void OnCommandSystemNo();
    void OnCommandOrderInsert();
    void OnCommandOrderModify();
    void OnCommandOrderCancel();
    void OnCommandOrderStatus();
    void OnCommandFilledCast();
    void OnCommandVerifyCode();
    void OnCommandSafeVerify();
    void OnCommandSetVerifyQA();
    void OnCommandPushCapital();
    void OnCommandPushPosition();
    void OnCommandGetQuestions();
    void OnCommandPasswordUpdate();
    void OnCommandQryOrder();
    void OnCommandQryTrade();
    void OnCommandQryCapital();
    void OnCommandQryExchange();
    void OnCommandQryInstrument();
    void OnCommandQryPosition();
    void OnCommandQryTotalPosition();
    void OnCommandQryCurrency();
    void OnCommandQryCommodity();
    void OnCommandQryExchangeTime();
    void OnCommandQryCommodityTime();
    void OnCommandQryStrategy();
    void OnCommandQryVersion();
    void OnCommandQryStrategyDetail();
    void OnCommandReplySendKey();
    void OnCommandReplyPublicKey();

    struct CommandRow {
        const char* code;
        void (CFutureApiImp::*handler)();
    };
    static const CommandRow kCommands[34];

protected:
    void RaiseKickOut(Quintara::CFutureRspInfoField* info, int requestId) override;
    void SendLoginAfterKeyExchange(int requestId) override;

private:
    ~CFutureApiImp() override = default;

    // A throttled account query of one kind: refused within 1000 ms of the last accepted one.
    int Throttled(CQueryThrottle& throttle, char* errorMsg);
    // Sends an order body: its fixed fields only (TShort) or, with an OrgOrderLocationID, all
    // fields of TLong with the location as the last one.
    template <class TShort, class TLong>
    int SendOrder(NetInfo& head, TLong& body, std::string_view location, char* errorMsg);

    CQueryThrottle m_lLastQryOrder;
    CQueryThrottle m_lLastQryTrade;
    CQueryThrottle m_lLastQryCapital;
    CQueryThrottle m_lLastQryPosition;
    CQueryThrottle m_lLastQryTotalPosition;

    // The last login that passed its checks, sent again after a key exchange the server starts.
    CStoredLogin m_storedLogin;
};
