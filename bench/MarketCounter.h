#pragma once

#include <atomic>
#include <cstdint>

#include "QuintaraApi.h"

// The application side of the quote benchmarks: counts OnRspMarketData calls and reads one member
// of each quote, as an application that uses the parsed struct would.
class MarketCounter : public Quintara::IMarketEvent {
public:
    void OnRspMarketData(Quintara::CMarketMarketDataField* data, Quintara::CMarketRspInfoField*, int, bool) override {
        m_lChecksum += static_cast<unsigned char>(data->Item00[0]);
        m_lQuotes.store(m_lQuotes.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }
    void OnRspUserLogin(Quintara::CMarketRspInfoField*, int, bool) override {
        m_lLogins.fetch_add(1, std::memory_order_release);
    }
    void OnConnect() override { m_lConnects.fetch_add(1, std::memory_order_release); }

    uint64_t Quotes() const { return m_lQuotes.load(std::memory_order_acquire); }
    uint64_t Logins() const { return m_lLogins.load(std::memory_order_acquire); }
    uint64_t Connects() const { return m_lConnects.load(std::memory_order_acquire); }
    uint64_t Checksum() const { return m_lChecksum; }

private:
    std::atomic<uint64_t> m_lQuotes{0};  // written by the receive thread only
    std::atomic<uint64_t> m_lLogins{0};
    std::atomic<uint64_t> m_lConnects{0};
    uint64_t m_lChecksum = 0;  // receive thread only
};
