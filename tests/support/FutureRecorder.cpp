#include "support/FutureRecorder.h"

using namespace Quintara;

void FutureRecorder::OnConnect() {
    log.Add(EventLog::Make<CFutureRspInfoField>("OnConnect", nullptr, 0, false));
}

void FutureRecorder::OnDisconnect(int errorCode) {
    RecordedEvent e = EventLog::Make<CFutureRspInfoField>("OnDisconnect", nullptr, 0, false);
    e.value = errorCode;
    log.Add(std::move(e));
}

void FutureRecorder::OnHeartBeat(long long idleSeconds) {
    RecordedEvent e = EventLog::Make<CFutureRspInfoField>("OnHeartBeat", nullptr, 0, false);
    e.value = idleSeconds;
    log.Add(std::move(e));
}

void FutureRecorder::OnRspNeedVerify(bool needVerify, bool questionsSet) {
    RecordedEvent e = EventLog::Make<CFutureRspInfoField>("OnRspNeedVerify", nullptr, 0, false);
    e.flag1 = needVerify;
    e.flag2 = questionsSet;
    log.Add(std::move(e));
}

#define QUINTARA_FUTURE_STATUS(Name)                                                   \
    void FutureRecorder::Name(CFutureRspInfoField* info, int requestId, bool isLast) { \
        log.Add(EventLog::Make(#Name, info, requestId, isLast));                       \
    }
QUINTARA_FUTURE_STATUS(OnRspUserLogin)
QUINTARA_FUTURE_STATUS(OnRspUserLogout)
QUINTARA_FUTURE_STATUS(OnRspVerifyCode)
QUINTARA_FUTURE_STATUS(OnRspSafeVerify)
QUINTARA_FUTURE_STATUS(OnRspSetVerifyQA)
#undef QUINTARA_FUTURE_STATUS

// Type names a type, which cannot be parenthesised.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define QUINTARA_FUTURE_DATA_CALLBACK(Name, Type)                                                  \
    void FutureRecorder::Name(Type* data, CFutureRspInfoField* info, int requestId, bool isLast) { \
        log.AddData(#Name, data, info, requestId, isLast);                                         \
    }
// NOLINTEND(bugprone-macro-parentheses)
#include "support/FutureCallbacks.inc"
#undef QUINTARA_FUTURE_DATA_CALLBACK
