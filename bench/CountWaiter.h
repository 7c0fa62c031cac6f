#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

// A count raised by one thread (a receive thread) and awaited by another without polling: the
// waiter sleeps until the count reaches its target, so that it takes no CPU from the thread it
// measures.
class CountWaiter {
public:
    // One more; wakes the waiter when the count reaches the target.
    void Add() {
        const uint64_t n = m_lCount.load(std::memory_order_relaxed) + 1;
        m_lCount.store(n, std::memory_order_release);
        if (n == m_lTarget.load(std::memory_order_acquire)) {
            std::lock_guard<std::mutex> lock(m_mtx);
            m_cv.notify_all();
        }
    }
    uint64_t Count() const { return m_lCount.load(std::memory_order_acquire); }

    // Waits until the count is at least `target`; false after `timeoutMs`.
    bool WaitFor(uint64_t target, int timeoutMs) {
        std::unique_lock<std::mutex> lock(m_mtx);
        m_lTarget.store(target, std::memory_order_release);
        return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return Count() >= target; });
    }

private:
    std::atomic<uint64_t> m_lCount{0};
    std::atomic<uint64_t> m_lTarget{0};
    std::mutex m_mtx;
    std::condition_variable m_cv;
};
