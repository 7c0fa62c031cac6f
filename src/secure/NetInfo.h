#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// One message: the eleven head fields and the body. Views, never owning: outgoing messages point
// into the request struct and constants; parsed heads point into the object's head buffer.
class NetInfo {
public:
    static constexpr size_t kFields = 11;

    // Splits a head text at '@': fewer than 7 items -> false and nothing changes; otherwise fields
    // 0..6 take items 0..6 and fields 7..10 the items present ("" when absent). The body is untouched.
    bool ReadString(std::string_view head);
    // field0@...@field10&body. Returns the length of the text; writes it (and a NUL after it) only
    // when the length is below `capacity`.
    size_t WriteTo(char* out, size_t capacity) const;
    std::string MyToString() const;

    std::string_view m_strField[kFields];
    std::string_view m_strBody;
};
