#pragma once

#include <mutex>
#include <string>
#include <string_view>

// A text written on one thread and read on others (the trading account learned at login).
class CSharedText {
public:
    void Set(std::string_view text) {
        std::lock_guard<std::mutex> lock(m_mtx);
        m_strText.assign(text.data(), text.size());
    }
    std::string Get() const {
        std::lock_guard<std::mutex> lock(m_mtx);
        return m_strText;
    }

private:
    mutable std::mutex m_mtx;
    std::string m_strText;
};
