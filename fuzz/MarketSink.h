#pragma once

#include <cstdint>
#include <cstring>

#include "DispatchHarness.h"
#include "QuintaraApi.h"

// An IMarketEvent that checks and counts every callback. The raw quote body comes before the
// parsed quote of the same message; every text of a quote, trade date and broker record is
// terminated within its member.
class MarketSink : public Quintara::IMarketEvent {
public:
    void Reset() {
        m_nCalls = 0;
        m_bRawPending = false;
    }

    void OnRspRawMarketData(const char* body) override {
        FUZZ_EXPECT(body != nullptr);
        FUZZ_EXPECT(!m_bRawPending);
        m_nDigest ^= static_cast<uint32_t>(std::strlen(body));
        m_bRawPending = true;
        ++m_nCalls;
    }
    void OnRspMarketData(Quintara::CMarketMarketDataField* data, Quintara::CMarketRspInfoField* info, int,
                         bool) override {
        CheckInfo(info);
        FUZZ_EXPECT(m_bRawPending);
        m_bRawPending = false;
        static_assert(sizeof *data % 256 == 0, "a quote is made of 256-byte texts");
        const char* texts = reinterpret_cast<const char*>(data);
        for (size_t i = 0; i < sizeof *data; i += 256) FUZZ_EXPECT(FuzzCheck::Terminated(texts + i));
        ++m_nCalls;
    }
    void OnPushTradeDate(Quintara::CMarketTradeDateField* data, Quintara::CMarketRspInfoField* info, int,
                         bool) override {
        CheckInfo(info);
        FUZZ_EXPECT(FuzzCheck::Terminated(data->Key) && FuzzCheck::Terminated(data->Value));
        ++m_nCalls;
    }
    void OnRspBrokerData(Quintara::CMarketBrokerDataField* data, Quintara::CMarketRspInfoField* info, int,
                         bool) override {
        CheckInfo(info);
        FUZZ_EXPECT(FuzzCheck::Terminated(data->BrokerData, sizeof data->BrokerData));
        ++m_nCalls;
    }
    void OnRspUserLogin(Quintara::CMarketRspInfoField* info, int, bool) override {
        CheckInfo(info);
        ++m_nCalls;
    }
    void OnKickOut(Quintara::CMarketRspInfoField* info, int, bool) override {
        CheckInfo(info);
        ++m_nCalls;
    }

private:
    uint64_t m_nCalls = 0;
    uint32_t m_nDigest = 0;
    bool m_bRawPending = false;
};
