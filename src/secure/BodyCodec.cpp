#include "secure/BodyCodec.h"

#include <zlib.h>

#include "foundation/HP.h"
#include "secure/RawInflater.h"

namespace BodyCodec {

bool DeflateRaw(std::string_view data, int level, std::string& out) {
    out.clear();
    if (data.size() > UINT32_MAX) return false;
    z_stream zs{};
    if (deflateInit2(&zs, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out.resize(deflateBound(&zs, static_cast<uLong>(data.size())) + 16);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    if (rc == Z_STREAM_END) return true;
    out.clear();
    return false;
}

bool InflateRaw(const uint8_t* in, size_t length, uint8_t* out, size_t capacity, size_t* outLength) {
    *outLength = 0;
    if (capacity < 1 || length > UINT32_MAX || capacity - 1 > UINT32_MAX) return false;
    // The receive thread's inflate state, reset for each body rather than made and freed.
    thread_local RawInflater inflater;
    z_stream* zs = inflater.Begin();
    if (zs == nullptr) return false;
    zs->next_in = const_cast<Bytef*>(in);
    zs->avail_in = static_cast<uInt>(length);
    zs->next_out = out;
    zs->avail_out = static_cast<uInt>(capacity - 1);
    const int rc = inflate(zs, Z_FINISH);
    const size_t produced = (capacity - 1) - zs->avail_out;
    if (rc != Z_STREAM_END) return false;
    out[produced] = '\0';
    *outLength = produced;
    return true;
}

bool DecodeAndInflate(uint8_t* body, size_t length, uint8_t* out, size_t capacity, size_t* outLength) {
    *outLength = 0;
    const int64_t decoded = HP::DecodeBase64To(body, length, body);
    if (decoded < 0) return false;
    return InflateRaw(body, static_cast<size_t>(decoded), out, capacity, outLength);
}

}  // namespace BodyCodec
