#pragma once

#include "QuintaraApi.h"
#include "support/EventLog.h"

// An IMarketEvent that records every callback (data structs copied, the raw quote body as text).
class MarketRecorder : public Quintara::IMarketEvent {
public:
    EventLog log;

    void OnConnect() override;
    void OnDisconnect(int errorCode) override;
    void OnHeartBeat(long long idleSeconds) override;
    void OnRspRawMarketData(const char* body) override;
    void OnRspUserLogin(Quintara::CMarketRspInfoField* info, int requestId, bool isLast) override;
    void OnPushTradeDate(Quintara::CMarketTradeDateField* data, Quintara::CMarketRspInfoField* info, int requestId,
                         bool isLast) override;
    void OnRspBrokerData(Quintara::CMarketBrokerDataField* data, Quintara::CMarketRspInfoField* info, int requestId,
                         bool isLast) override;
    void OnRspMarketData(Quintara::CMarketMarketDataField* data, Quintara::CMarketRspInfoField* info, int requestId,
                         bool isLast) override;
    void OnKickOut(Quintara::CMarketRspInfoField* info, int requestId, bool isLast) override;
};
