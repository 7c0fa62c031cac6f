#pragma once

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One callback as a recording sink saw it.
struct RecordedEvent {
    std::string name;
    int errorId = 0;
    std::string errorMsg;
    int requestId = 0;
    bool isLast = false;
    long long value = 0;  // OnDisconnect code, OnHeartBeat seconds
    bool flag1 = false;   // OnRspNeedVerify arguments
    bool flag2 = false;
    std::string text;                 // OnRspRawMarketData body
    std::vector<unsigned char> data;  // copy of the data struct
    std::thread::id thread;

    template <class T>
    const T& As() const {
        return *reinterpret_cast<const T*>(data.data());
    }
};

// Thread-safe list of recorded callbacks with waiting.
class EventLog {
public:
    void Add(RecordedEvent e) {
        e.thread = std::this_thread::get_id();
        std::lock_guard<std::mutex> lock(m_mtx);
        m_events.push_back(std::move(e));
        m_cv.notify_all();
    }

    template <class Info>
    static RecordedEvent Make(const char* name, const Info* info, int requestId, bool isLast) {
        RecordedEvent e;
        e.name = name;
        if (info != nullptr) {
            e.errorId = info->ErrorID;
            e.errorMsg = info->ErrorMsg;
        }
        e.requestId = requestId;
        e.isLast = isLast;
        return e;
    }

    template <class Data, class Info>
    void AddData(const char* name, const Data* data, const Info* info, int requestId, bool isLast) {
        RecordedEvent e = Make(name, info, requestId, isLast);
        e.data.resize(sizeof(Data));
        std::memcpy(e.data.data(), data, sizeof(Data));
        Add(std::move(e));
    }

    // Waits until at least `count` events named `name` (any name when empty) were recorded.
    bool WaitCount(const std::string& name, size_t count, int timeoutMs = 5000) {
        std::unique_lock<std::mutex> lock(m_mtx);
        return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return CountLocked(name) >= count; });
    }

    std::vector<RecordedEvent> Named(const std::string& name) const {
        std::lock_guard<std::mutex> lock(m_mtx);
        std::vector<RecordedEvent> out;
        for (const auto& e : m_events)
            if (e.name == name) out.push_back(e);
        return out;
    }

    // A copy of the data struct of the index-th event named `name` (a zero struct when absent).
    template <class T>
    T DataOf(const std::string& name, size_t index = 0) const {
        T out;
        std::memset(&out, 0, sizeof out);
        std::lock_guard<std::mutex> lock(m_mtx);
        size_t seen = 0;
        for (const auto& e : m_events) {
            if (e.name != name) continue;
            if (seen++ == index && e.data.size() == sizeof(T)) std::memcpy(&out, e.data.data(), sizeof(T));
        }
        return out;
    }

    std::vector<RecordedEvent> All() const {
        std::lock_guard<std::mutex> lock(m_mtx);
        return m_events;
    }

    size_t Count(const std::string& name = std::string()) const {
        std::lock_guard<std::mutex> lock(m_mtx);
        return CountLocked(name);
    }

    void Clear() {
        std::lock_guard<std::mutex> lock(m_mtx);
        m_events.clear();
    }

private:
    size_t CountLocked(const std::string& name) const {
        if (name.empty()) return m_events.size();
        size_t n = 0;
        for (const auto& e : m_events)
            if (e.name == name) ++n;
        return n;
    }

    mutable std::mutex m_mtx;
    std::condition_variable m_cv;
    std::vector<RecordedEvent> m_events;
};
