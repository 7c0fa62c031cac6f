#pragma once

#include <atomic>

// A bool shared between the application's threads and the receive thread.
// Every read and write is one whole atomic access.
class CLockBool {
public:
    explicit CLockBool(bool value = false) : m_bValue(value) {}
    virtual ~CLockBool() = default;
    CLockBool(const CLockBool&) = delete;
    CLockBool& operator=(const CLockBool&) = delete;

    operator bool() const { return m_bValue.load(std::memory_order_acquire); }
    CLockBool& operator=(bool value) {
        m_bValue.store(value, std::memory_order_release);
        return *this;
    }
    // Sets the value and returns the previous one.
    bool Exchange(bool value) { return m_bValue.exchange(value, std::memory_order_acq_rel); }

private:
    std::atomic<bool> m_bValue;
};
