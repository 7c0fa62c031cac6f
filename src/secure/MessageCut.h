#pragma once

#include <cstddef>
#include <string_view>

#include "foundation/CDynBuffer.h"

// Cuts a received message into its command code (the text before the first '@'), the head (from
// that '@' up to the first '&' after it) and the body (after the '&'), copying head and body into
// the object's buffers (cut to their capacity, NUL-terminated when room is left). Returns false for
// a message that is ignored: empty, starting with '@', or without '@'. A message without '&' gets
// an empty head and body, so its handler reports a head that cannot be parsed.
bool CutMessage(const unsigned char* message, long length, std::string_view* code, CDynBuffer& head, CDynBuffer& body);

// A received code selects a known code when it is not empty, not longer than the known code, and
// equal to the known code's first bytes.
inline bool CommandMatches(std::string_view received, std::string_view known) {
    return !received.empty() && received.size() <= known.size() && received[0] == known[0] &&
           known.compare(0, received.size(), received) == 0;
}

// The first row of a dispatch table (rows with a `code` member, in table order) that `code` selects.
template <class Row, size_t K>
const Row* FindCommand(const Row (&table)[K], std::string_view code) {
    for (const Row& row : table)
        if (CommandMatches(code, row.code)) return &row;
    return nullptr;
}
