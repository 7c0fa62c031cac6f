#include "secure/DecompressTool.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <vector>

bool DecompressTool::InflateBatch(const uint8_t* in, size_t length, uint8_t* out, size_t capacity, size_t* outLength,
                                  size_t* written) {
    *outLength = 0;
    if (written != nullptr) *written = 0;
    std::memset(m_szArea, 0, m_nAreaUsed);
    m_nAreaUsed = 0;
    z_stream* zs = m_inflater.Begin();
    if (zs == nullptr) return false;
    bool ok = true;
    int rc = Z_OK;
    size_t total = 0;
    size_t offset = 0;
    while (ok && offset < length && rc != Z_STREAM_END) {
        const size_t piece = length - offset < kAreaSize ? length - offset : kAreaSize;
        zs->next_in = const_cast<Bytef*>(in + offset);
        zs->avail_in = static_cast<uInt>(piece);
        offset += piece;
        do {
            zs->next_out = m_szArea;
            zs->avail_out = static_cast<uInt>(kAreaSize);
            rc = inflate(zs, Z_NO_FLUSH);
            // Whatever inflate wrote into the window, also on failure, is cleared before the next batch.
            const size_t produced = kAreaSize - zs->avail_out;
            if (produced > m_nAreaUsed) m_nAreaUsed = produced;
            if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR) {
                std::fputs("data err!\n", stdout);
                ok = false;
                break;
            }
            if (rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            if (produced > capacity - total) {
                std::fputs("out of memory!\n", stdout);
                ok = false;
                break;
            }
            std::memcpy(out + total, m_szArea, produced);
            total += produced;
            if (written != nullptr) *written = total;
            if (rc == Z_BUF_ERROR) break;  // no progress possible with this piece
        } while (zs->avail_out == 0 && rc != Z_STREAM_END);
    }
    if (!ok) std::fflush(stdout);
    if (!ok || rc != Z_STREAM_END) return false;
    *outLength = total;
    return true;
}

void testClassDecompress() {
    FILE* file = std::fopen("./compress2Data.txt", "rb");
    std::vector<uint8_t> data;
    if (file != nullptr) {
        uint8_t piece[2048];
        size_t n;
        while ((n = std::fread(piece, 1, sizeof piece, file)) > 0) data.insert(data.end(), piece, piece + n);
        std::fclose(file);
    }
    std::printf("count= %zu\n", data.size());
    std::fflush(stdout);
    std::vector<uint8_t> out(DecompressTool::kAreaSize);
    DecompressTool tool;
    size_t produced = 0;
    tool.InflateBatch(data.data(), data.size(), out.data(), out.size(), &produced);
}
