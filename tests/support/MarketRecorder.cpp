#include "support/MarketRecorder.h"

using namespace Quintara;

void MarketRecorder::OnConnect() {
    log.Add(EventLog::Make<CMarketRspInfoField>("OnConnect", nullptr, 0, false));
}

void MarketRecorder::OnDisconnect(int errorCode) {
    RecordedEvent e = EventLog::Make<CMarketRspInfoField>("OnDisconnect", nullptr, 0, false);
    e.value = errorCode;
    log.Add(std::move(e));
}

void MarketRecorder::OnHeartBeat(long long idleSeconds) {
    RecordedEvent e = EventLog::Make<CMarketRspInfoField>("OnHeartBeat", nullptr, 0, false);
    e.value = idleSeconds;
    log.Add(std::move(e));
}

void MarketRecorder::OnRspRawMarketData(const char* body) {
    RecordedEvent e = EventLog::Make<CMarketRspInfoField>("OnRspRawMarketData", nullptr, 0, false);
    e.text = body != nullptr ? body : "<null>";
    log.Add(std::move(e));
}

void MarketRecorder::OnRspUserLogin(CMarketRspInfoField* info, int requestId, bool isLast) {
    log.Add(EventLog::Make("OnRspUserLogin", info, requestId, isLast));
}

void MarketRecorder::OnKickOut(CMarketRspInfoField* info, int requestId, bool isLast) {
    log.Add(EventLog::Make("OnKickOut", info, requestId, isLast));
}

void MarketRecorder::OnPushTradeDate(CMarketTradeDateField* data, CMarketRspInfoField* info, int requestId,
                                     bool isLast) {
    log.AddData("OnPushTradeDate", data, info, requestId, isLast);
}

void MarketRecorder::OnRspBrokerData(CMarketBrokerDataField* data, CMarketRspInfoField* info, int requestId,
                                     bool isLast) {
    log.AddData("OnRspBrokerData", data, info, requestId, isLast);
}

void MarketRecorder::OnRspMarketData(CMarketMarketDataField* data, CMarketRspInfoField* info, int requestId,
                                     bool isLast) {
    log.AddData("OnRspMarketData", data, info, requestId, isLast);
}
