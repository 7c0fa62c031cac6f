#pragma once

#include "QuintaraApi.h"
#include "support/EventLog.h"

// An IStockEvent that records every callback.
class StockRecorder : public Quintara::IStockEvent {
public:
    EventLog log;

    void OnConnect() override;
    void OnDisconnect(int errorCode) override;
    void OnHeartBeat(long long idleSeconds) override;
    void OnRspNeedVerify(bool needVerify, bool questionsSet) override;
    void OnRspUserLogin(Quintara::CStockRspInfoField* info, int requestId, bool isLast) override;
    void OnRspUserLogout(Quintara::CStockRspInfoField* info, int requestId, bool isLast) override;
    void OnRspVerifyCode(Quintara::CStockRspInfoField* info, int requestId, bool isLast) override;
    void OnRspSafeVerify(Quintara::CStockRspInfoField* info, int requestId, bool isLast) override;
    void OnRspSetVerifyQA(Quintara::CStockRspInfoField* info, int requestId, bool isLast) override;
#define QUINTARA_STOCK_DATA_CALLBACK(Name, Type) \
    void Name(Quintara::Type* data, Quintara::CStockRspInfoField* info, int requestId, bool isLast) override;
#include "support/StockCallbacks.inc"
#undef QUINTARA_STOCK_DATA_CALLBACK
};
