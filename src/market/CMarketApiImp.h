#pragma once

#include <mutex>
#include <string_view>

#include "QuintaraApi.h"
#include "api/CApiObject.h"
#include "foundation/CLockBool.h"

// The market data API object: login through the key exchange, quote subscription and delivery,
// broker data and trade dates; the dispatch table and its handlers.
class CMarketApiImp final
    : public CApiObject<Quintara::CMarketApi, Quintara::IMarketEvent, Quintara::CMarketRspInfoField> {
public:
    CMarketApiImp();
    // Factory steps of the market object's log: always the default folder, kind word "Market".
    void SetUpMarketLog(bool writeLog, const char* logFile);

    void SetHeartBeatTimeout(int seconds, bool check) override;

    int ReqUserLogin(Quintara::CMarketReqUserLoginField* field, int requestId) override;
    int ReqBrokerData(Quintara::CMarketReqBrokerDataField* field, int requestId) override;
    int ReqMarketData(Quintara::CMarketReqMarketDataField* field, int requestId) override;

    void OnSocketCommand(unsigned char* message, long length) override;

    // Handlers of the dispatch table (receive thread).
    void OnCommandLoginHK();
    void OnServerKitOut();
    void OnCommandMarketData();
    void OnCommandTradeDate();
    void OnCommandBrokerData();
    void OnCommandReplySendKey();
    void OnCommandReplyPublicKey();

    struct CommandRow {
        const char* code;
        void (CMarketApiImp::*handler)();
    };
    static const CommandRow kCommands[8];

    // Pause after a subscription send that is not a hard failure: spaces out subscription changes.
    static constexpr long kSubscribeDelayMs = 100;
    // The subscription message is built in a 4096-byte area: at most 4095 characters.
    static constexpr size_t kSubscribeCapacity = 4096;

protected:
    void RaiseKickOut(Quintara::CMarketRspInfoField* info, int requestId) override;
    void SendLoginAfterKeyExchange(int requestId) override;

private:
    ~CMarketApiImp() override = default;

    // The text of a single-record body, inflated first when the head marks it compressed. False
    // (code and text set in `info`) when a compressed body is empty or cannot be inflated.
    bool SingleBodyText(bool compressed, std::string_view* text, Quintara::CMarketRspInfoField& info);
    // Sends a hand-built text through the cipher layer (encrypted while the session key is active)
    // with the subscription pause; returns the send result (-1 when too long to encrypt).
    int SendWithPause(std::string_view text);

    // Written by the receive thread (login answer), read by the requests of application threads.
    CLockBool m_bLogin;
    CLockBool m_bStockDenied;
    CLockBool m_bDerivateDenied;
    // Guards the stored login texts (m_strUserId, m_strUserPwd, m_strBrokerId) between
    // ReqUserLogin and the login sent after the key exchange.
    std::mutex m_mtxLogin;
};
