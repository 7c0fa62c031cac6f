#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "foundation/HP.h"

// The text codec every record follows: N fields joined by '@'. A received record needs at least
// Min items; fields beyond the items present are empty, items beyond N are ignored. The fields are
// views into the text they were read from (or, for a record being sent, into the request).
template <size_t N, size_t Min>
class CRecord {
public:
    static constexpr size_t kFields = N;
    static constexpr size_t kMin = Min;

    bool ReadString(std::string_view text) {
        HP::ViewSlots<N> items;
        const size_t total = HP::SplitView(text, '@', items.view, N);
        if (total < Min || total == 0) return false;
        m_nCount = total < N ? total : N;
        for (size_t i = 0; i < N; ++i) m_item[i] = i < m_nCount ? items.view[i] : std::string_view();
        return true;
    }

    // All N fields joined by '@'. Returns the length; writes the text and a NUL only when the
    // length is below `capacity`.
    size_t WriteTo(char* out, size_t capacity) const {
        size_t length = N - 1;
        for (const auto& item : m_item) length += item.size();
        if (length >= capacity) return length;
        char* p = out;
        for (size_t i = 0; i < N; ++i) {
            if (i != 0) *p++ = '@';
            if (!m_item[i].empty()) std::memcpy(p, m_item[i].data(), m_item[i].size());
            p += m_item[i].size();
        }
        *p = '\0';
        return length;
    }

    std::string MyToString() const {
        const size_t length = WriteTo(nullptr, 0);
        std::string text(length + 1, '\0');
        WriteTo(text.data(), text.size());
        text.resize(length);
        return text;
    }

    std::string_view m_item[N];
    size_t m_nCount = 0;  // items present (at most N)
};
