#pragma once

#include <atomic>
#include <cstdint>

// A 64-bit signed value shared between threads; read, assigned and decremented as whole atomic accesses.
class CLockLong {
public:
    explicit CLockLong(int64_t value = 0) : m_lValue(value) {}
    virtual ~CLockLong() = default;
    CLockLong(const CLockLong&) = delete;
    CLockLong& operator=(const CLockLong&) = delete;

    operator int64_t() const { return m_lValue.load(std::memory_order_acquire); }
    CLockLong& operator=(int64_t value) {
        m_lValue.store(value, std::memory_order_release);
        return *this;
    }
    // Decrements and returns the new value.
    int64_t Decrement() { return m_lValue.fetch_sub(1, std::memory_order_acq_rel) - 1; }
    // Stores `desired` only if the value still equals `expected`; returns whether it did.
    bool CompareExchange(int64_t expected, int64_t desired) {
        return m_lValue.compare_exchange_strong(expected, desired, std::memory_order_acq_rel);
    }

private:
    std::atomic<int64_t> m_lValue;
};
