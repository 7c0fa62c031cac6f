#pragma once

#include "QuintaraApi.h"
#include "support/EventLog.h"

// An IFutureEvent that records every callback.
class FutureRecorder : public Quintara::IFutureEvent {
public:
    virtual ~FutureRecorder() = default;

    EventLog log;

    void OnConnect() override;
    void OnDisconnect(int errorCode) override;
    void OnHeartBeat(long long idleSeconds) override;
    void OnRspNeedVerify(bool needVerify, bool questionsSet) override;
    void OnRspUserLogin(Quintara::CFutureRspInfoField* info, int requestId, bool isLast) override;
    void OnRspUserLogout(Quintara::CFutureRspInfoField* info, int requestId, bool isLast) override;
    void OnRspVerifyCode(Quintara::CFutureRspInfoField* info, int requestId, bool isLast) override;
    void OnRspSafeVerify(Quintara::CFutureRspInfoField* info, int requestId, bool isLast) override;
    void OnRspSetVerifyQA(Quintara::CFutureRspInfoField* info, int requestId, bool isLast) override;
#define QUINTARA_FUTURE_DATA_CALLBACK(Name, Type) \
    void Name(Quintara::Type* data, Quintara::CFutureRspInfoField* info, int requestId, bool isLast) override;
#include "support/FutureCallbacks.inc"
#undef QUINTARA_FUTURE_DATA_CALLBACK
};
