#pragma once

#include <cstddef>
#include <cstdint>

#include "secure/RawInflater.h"

// Raw-deflate inflation of compressed message batches, with a 64 KiB output window.
class DecompressTool {
public:
    static constexpr size_t kAreaSize = 65536;

    // Inflates the raw DEFLATE stream `in` in pieces of at most 64 KiB, collecting the output in
    // `out` (at most `capacity` bytes). Prints "out of memory!\n" when the output would pass
    // `capacity` and "data err!\n" on a corrupt stream. True when the stream reached its end. Writes
    // nothing into `out` past *written (set in every case), so a caller can clear just that much.
    bool InflateBatch(const uint8_t* in, size_t length, uint8_t* out, size_t capacity, size_t* outLength,
                      size_t* written = nullptr);

private:
    // The output window, zero before each batch: only the bytes the last batch wrote are cleared.
    uint8_t m_szArea[kAreaSize]{};
    size_t m_nAreaUsed = 0;
    RawInflater m_inflater;  // reset for each batch
};

// Walks the entries of an inflated batch: a 32-bit little-endian length (at least 1) and that many
// bytes of one message, repeated; stops at the first entry that fails those tests.
template <class F>
void ForEachBatchEntry(const uint8_t* data, size_t length, F&& onMessage) {
    size_t pos = 0;
    while (length - pos >= 4) {
        const uint32_t raw = static_cast<uint32_t>(data[pos]) | static_cast<uint32_t>(data[pos + 1]) << 8 |
                             static_cast<uint32_t>(data[pos + 2]) << 16 | static_cast<uint32_t>(data[pos + 3]) << 24;
        const int32_t entry = static_cast<int32_t>(raw);
        if (entry < 1 || static_cast<size_t>(entry) > length - pos - 4) return;
        onMessage(data + pos + 4, static_cast<size_t>(entry));
        pos += 4 + static_cast<size_t>(entry);
    }
}

// Diagnostic: inflates the file ./compress2Data.txt and reports on standard output.
__attribute__((visibility("default"))) void testClassDecompress();
