#pragma once

#include <atomic>
#include <cstdint>

#include "QuintaraApi.h"

// The application side of the stock benchmarks: counts the records of the list answers and pushes
// and reads one member of each.
class StockCounter : public Quintara::IStockEvent {
public:
    using Info = Quintara::CStockRspInfoField;

    void OnRspQryPosition(Quintara::CStockPositionField* d, Info*, int, bool) override { Take(d->Item00[0]); }
    void OnRspQryOrder(Quintara::CStockOrderListField* d, Info*, int, bool) override { Take(d->Item00[0]); }
    void OnPushOrderStatus(Quintara::CStockOrderStatusField* d, Info*, int, bool) override { Take(d->Item00[0]); }
    void OnPushFilled(Quintara::CStockTradeField* d, Info*, int, bool) override { Take(d->Item00[0]); }
    void OnPushPosition(Quintara::CStockPositionField* d, Info*, int, bool) override { Take(d->Item00[0]); }
    void OnPushCapital(Quintara::CStockCapitalField* d, Info*, int, bool) override { Take(d->Item00[0]); }
    void OnConnect() override { m_lConnects.fetch_add(1, std::memory_order_release); }
    void OnRspUserLogin(Info*, int, bool) override { m_lLogins.fetch_add(1, std::memory_order_release); }

    uint64_t Records() const { return m_lRecords.load(std::memory_order_acquire); }
    uint64_t Connects() const { return m_lConnects.load(std::memory_order_acquire); }
    uint64_t Logins() const { return m_lLogins.load(std::memory_order_acquire); }

private:
    void Take(char first) {
        m_lChecksum += static_cast<unsigned char>(first);
        m_lRecords.store(m_lRecords.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }

    std::atomic<uint64_t> m_lRecords{0};  // written by the receive thread only
    std::atomic<uint64_t> m_lConnects{0};
    std::atomic<uint64_t> m_lLogins{0};
    uint64_t m_lChecksum = 0;
};
