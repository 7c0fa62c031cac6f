#pragma once

#include <atomic>
#include <cstdint>

#include "CountWaiter.h"
#include "QuintaraApi.h"

// The application side of the quote benchmarks: counts OnRspMarketData calls and reads one member
// of each quote, as an application that uses the parsed struct would.
class MarketCounter : public Quintara::IMarketEvent {
public:
    void OnRspMarketData(Quintara::CMarketMarketDataField* data, Quintara::CMarketRspInfoField*, int, bool) override {
        m_lChecksum += static_cast<unsigned char>(data->Item00[0]);
        m_quotes.Add();
    }
    void OnRspUserLogin(Quintara::CMarketRspInfoField*, int, bool) override {
        m_lLogins.fetch_add(1, std::memory_order_release);
    }
    void OnConnect() override { m_lConnects.fetch_add(1, std::memory_order_release); }

    uint64_t Quotes() const { return m_quotes.Count(); }
    // Sleeps until `target` quotes have been delivered in all; false after `timeoutMs`.
    bool WaitForQuotes(uint64_t target, int timeoutMs) { return m_quotes.WaitFor(target, timeoutMs); }
    uint64_t Logins() const { return m_lLogins.load(std::memory_order_acquire); }
    uint64_t Connects() const { return m_lConnects.load(std::memory_order_acquire); }
    uint64_t Checksum() const { return m_lChecksum; }

private:
    CountWaiter m_quotes;  // raised by the receive thread
    std::atomic<uint64_t> m_lLogins{0};
    std::atomic<uint64_t> m_lConnects{0};
    uint64_t m_lChecksum = 0;  // receive thread only
};
