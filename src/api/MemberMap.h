#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "QuintaraDefine.h"
#include "foundation/HP.h"

// A text member (char[256]) of a request struct and the head field or body position it goes to.
// A request's layout is a table of these; one loop fills the message.
struct MemberAt {
    uint32_t offset;
    uint8_t index;
};

constexpr MemberAt At(size_t offset, uint8_t index) {
    return MemberAt{static_cast<uint32_t>(offset), index};
}

#define QF_AT(S, M, I) At(offsetof(S, M), I)

// items[index] := the member's text (up to its NUL, never past its 256 bytes), for every row.
template <class Field, size_t K>
void FillItems(const Field* f, const MemberAt (&map)[K], std::string_view* items) {
    const auto* base = reinterpret_cast<const char*>(f);
    for (const MemberAt& m : map) items[m.index] = HP::FieldView(base + m.offset, QUINTARA_TEXT_SIZE);
}
