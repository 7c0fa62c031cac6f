#pragma once

#include <cstring>
#include <mutex>
#include <string>

#include "QuintaraApi.h"
#include "api/CApiObject.h"
#include "api/CQueryThrottle.h"
#include "api/MemberMap.h"

// The stock trading API object: the stock operations, the dispatch table and its handlers.
class CStockApiImp final : public CApiObject<Quintara::CStockApi, Quintara::IStockEvent, Quintara::CStockRspInfoField> {
public:
    CStockApiImp();
    // Factory steps of the stock object's log (folder fallbacks, folder line, version lines).
    void SetUpStockLog(bool writeLog, const char* logFile, const char* logDir);

    void SetHeartBeatTimeout(int seconds) override;

    int ReqUserLogin(Quintara::CStockReqUserLoginField* field, int requestId) override;
    int ReqUserLogout(Quintara::CStockReqUserLogoutField* field, int requestId) override;
    int ReqSafeVerify(Quintara::CStockReqSafeVerifyField* field, int requestId) override;
    int ReqVerifyCode(Quintara::CStockReqVerifyCodeField* field, int requestId) override;
    int ReqSetVerifyQA(Quintara::CStockReqSetVerifyQAField* field, int requestId) override;
    int ReqGetQuestion(Quintara::CStockReqGetQuestionField* field, int requestId) override;
    int ReqOrderInsert(Quintara::CStockReqOrderInsertField* field, int requestId) override;
    int ReqOrderModify(Quintara::CStockReqOrderModifyField* field, int requestId) override;
    int ReqOrderCancel(Quintara::CStockReqOrderCancelField* field, int requestId) override;
    int ReqPasswordUpdate(Quintara::CStockReqPasswordUpdateField* field, int requestId) override;
    int ReqQryTick(Quintara::CStockQryTickField* field, int requestId) override;
    int ReqQryOrder(Quintara::CStockQryOrderField* field, int requestId) override;
    int ReqQryTrade(Quintara::CStockQryTradeField* field, int requestId) override;
    int ReqQryCapital(Quintara::CStockQryCapitalField* field, int requestId) override;
    int ReqQryVersion(Quintara::CStockQryVersionField* field, int requestId) override;
    int ReqQryPosition(Quintara::CStockQryPositionField* field, int requestId) override;
    int ReqQryCurrency(Quintara::CStockQryCurrencyField* field, int requestId) override;
    int ReqQryExchange(Quintara::CStockQryExchangeField* field, int requestId) override;
    int ReqQryInstrument(Quintara::CStockQryInstrumentField* field, int requestId) override;

    void OnSocketCommand(unsigned char* message, long length) override;

    // Handlers of the dispatch table (receive thread).
    void OnCommandLoginHK();
    void OnCommandLogout();
    void OnServerKitOut();
    void OnCommandSystemNo();
    void OnCommandReplyPublicKey();
    void OnCommandReplySendKey();
    void OnCommandOrderInsert();
    void OnCommandOrderModify();
    void OnCommandOrderCancel();
    void OnCommandPushPosition();
    void OnCommandGetQuestions();
    void OnCommandSafeVerify();
    void OnCommandSetVerifyQA();
    void OnCommandVerifyCode();
    void OnCommandOrderStatus();
    void OnCommandPushCapital();
    void OnCommandFilledStockHK();
    void OnCommandPasswordUpdate();
    void OnCommandQryTick();
    void OnCommandQryOrder();
    void OnCommandQryTrade();
    void OnCommandQryCapital();
    void OnCommandQryVersion();
    void OnCommandQryPosition();
    void OnCommandQryExchange();
    void OnCommandQryCurrency();
    void OnCommandQryInstrument();

    struct CommandRow {
        const char* code;
        void (CStockApiImp::*handler)();
    };
    static const CommandRow kCommands[29];

protected:
    void RaiseKickOut(Quintara::CStockRspInfoField* info, int requestId) override;
    void SendLoginAfterKeyExchange(int requestId) override;

private:
    ~CStockApiImp() override = default;

    template <class TRecord, class Field, size_t H, size_t B>
    int SendOrder(Field* f, const char* code, const MemberAt (&head)[H], const MemberAt (&body)[B],
                  size_t constantPosition, size_t exchangePosition);

    // A throttled account query of one kind: refused within 1000 ms of the last accepted one.
    int Throttled(CQueryThrottle& throttle, char* errorMsg);

    CQueryThrottle m_lLastQryOrder;
    CQueryThrottle m_lLastQryTrade;
    CQueryThrottle m_lLastQryCapital;
    CQueryThrottle m_lLastQryPosition;

    // The last login that passed its checks, sent again after a key exchange the server starts.
    CStoredLogin m_storedLogin;
};
