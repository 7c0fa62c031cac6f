#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class NetInfo;

// How one member of a public data struct is filled from a parsed record (or from the message
// head). An answer's struct is described once as a table of these; one loop fills every struct.
enum class FieldKind : uint8_t {
    Text,      // char[256] <- item, at most 255 bytes
    Int,       // int32 <- item read as a base-10 integer (0 when not a number)
    Real,      // double <- item read as a decimal number (0 when not a number)
    IntReal,   // double <- item read as a base-10 integer (a fraction is dropped)
    Head,      // char[256] <- head field `source`
    Flag,      // char[256] <- the single byte 1 when the item, rounded half up, is not 0; else empty
    Decimals,  // char[256] <- item as a number written with the decimals given by item `extra`
};

struct FieldMap {
    uint32_t offset;  // offset of the member in the struct
    uint8_t source;   // record item (or head field for Head)
    FieldKind kind;
    uint8_t extra = 0;  // Decimals: the item holding the number of decimals
};

#define QF_TEXT(S, M, I)                                          \
    FieldMap {                                                    \
        static_cast<uint32_t>(offsetof(S, M)), I, FieldKind::Text \
    }
#define QF_INT(S, M, I)                                          \
    FieldMap {                                                   \
        static_cast<uint32_t>(offsetof(S, M)), I, FieldKind::Int \
    }
#define QF_REAL(S, M, I)                                          \
    FieldMap {                                                    \
        static_cast<uint32_t>(offsetof(S, M)), I, FieldKind::Real \
    }
#define QF_INTREAL(S, M, I)                                          \
    FieldMap {                                                       \
        static_cast<uint32_t>(offsetof(S, M)), I, FieldKind::IntReal \
    }
#define QF_HEAD(S, M, F)                                          \
    FieldMap {                                                    \
        static_cast<uint32_t>(offsetof(S, M)), F, FieldKind::Head \
    }
#define QF_FLAG(S, M, I)                                          \
    FieldMap {                                                    \
        static_cast<uint32_t>(offsetof(S, M)), I, FieldKind::Flag \
    }
#define QF_DECIMALS(S, M, I, D)                                          \
    FieldMap {                                                           \
        static_cast<uint32_t>(offsetof(S, M)), I, FieldKind::Decimals, D \
    }

struct FieldTable {
    const FieldMap* rows;
    size_t count;
};

template <size_t K>
constexpr FieldTable MakeTable(const FieldMap (&rows)[K]) {
    return FieldTable{rows, K};
}

// Fills the members named by `table` into the struct at `data` from `items` (count of them; an
// item beyond count reads as empty) and the head. The struct is expected zero-filled.
void FillFields(void* data, const FieldTable& table, const std::string_view* items, size_t count, const NetInfo* head);

// The text of a number with `decimals` digits after the point, rounded half away from zero,
// trailing zeros removed while the character before the last is not the point (1.500 -> 1.5,
// 2.00 -> 2.0). Writes into out (NUL-terminated, at most size - 1 bytes).
void FormatDecimals(double value, int decimals, char* out, size_t size);
