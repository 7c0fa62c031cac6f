#include "secure/NetInfo.h"

#include <cstring>

#include "foundation/HP.h"

bool NetInfo::ReadString(std::string_view head) {
    HP::ViewSlots<kFields> items;
    const size_t count = HP::SplitView(head, '@', items.view, kFields);
    if (count < 7) return false;
    for (size_t i = 0; i < kFields; ++i) m_strField[i] = i < count ? items.view[i] : std::string_view();
    return true;
}

size_t NetInfo::WriteTo(char* out, size_t capacity) const {
    size_t length = kFields + m_strBody.size();  // ten '@' and the '&'
    for (const auto& f : m_strField) length += f.size();
    if (length >= capacity) return length;
    char* p = out;
    for (size_t i = 0; i < kFields; ++i) {
        if (i != 0) *p++ = '@';
        if (!m_strField[i].empty()) std::memcpy(p, m_strField[i].data(), m_strField[i].size());
        p += m_strField[i].size();
    }
    *p++ = '&';
    if (!m_strBody.empty()) std::memcpy(p, m_strBody.data(), m_strBody.size());
    p += m_strBody.size();
    *p = '\0';
    return length;
}

std::string NetInfo::MyToString() const {
    size_t length = WriteTo(nullptr, 0);
    std::string text(length + 1, '\0');
    WriteTo(text.data(), text.size());
    text.resize(length);
    return text;
}
