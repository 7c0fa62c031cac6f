#include "support/StockRecorder.h"

using namespace Quintara;

void StockRecorder::OnConnect() {
    log.Add(EventLog::Make<CStockRspInfoField>("OnConnect", nullptr, 0, false));
}

void StockRecorder::OnDisconnect(int errorCode) {
    RecordedEvent e = EventLog::Make<CStockRspInfoField>("OnDisconnect", nullptr, 0, false);
    e.value = errorCode;
    log.Add(std::move(e));
}

void StockRecorder::OnHeartBeat(long long idleSeconds) {
    RecordedEvent e = EventLog::Make<CStockRspInfoField>("OnHeartBeat", nullptr, 0, false);
    e.value = idleSeconds;
    log.Add(std::move(e));
}

void StockRecorder::OnRspNeedVerify(bool needVerify, bool questionsSet) {
    RecordedEvent e = EventLog::Make<CStockRspInfoField>("OnRspNeedVerify", nullptr, 0, false);
    e.flag1 = needVerify;
    e.flag2 = questionsSet;
    log.Add(std::move(e));
}

#define QUINTARA_STOCK_STATUS(Name)                                                  \
    void StockRecorder::Name(CStockRspInfoField* info, int requestId, bool isLast) { \
        log.Add(EventLog::Make(#Name, info, requestId, isLast));                     \
    }
QUINTARA_STOCK_STATUS(OnRspUserLogin)
QUINTARA_STOCK_STATUS(OnRspUserLogout)
QUINTARA_STOCK_STATUS(OnRspVerifyCode)
QUINTARA_STOCK_STATUS(OnRspSafeVerify)
QUINTARA_STOCK_STATUS(OnRspSetVerifyQA)
#undef QUINTARA_STOCK_STATUS

// Type names a type, which cannot be parenthesised.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define QUINTARA_STOCK_DATA_CALLBACK(Name, Type)                                                 \
    void StockRecorder::Name(Type* data, CStockRspInfoField* info, int requestId, bool isLast) { \
        log.AddData(#Name, data, info, requestId, isLast);                                       \
    }
// NOLINTEND(bugprone-macro-parentheses)
#include "support/StockCallbacks.inc"
#undef QUINTARA_STOCK_DATA_CALLBACK
