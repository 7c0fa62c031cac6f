#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Compressed message bodies: Base64 of a raw DEFLATE stream.
namespace BodyCodec {

// Inflates a raw DEFLATE stream (no zlib or gzip wrapper) in one call into `out`, offering
// capacity - 1 bytes, and writes a NUL after the output. True only when the stream ended within
// that room; *outLength is the output size.
bool InflateRaw(const uint8_t* in, size_t length, uint8_t* out, size_t capacity, size_t* outLength);

// The other direction, what a server does (the library itself only inflates; the simulator and the
// test tools compress): `data` as one raw DEFLATE stream at zlib `level` (-1 is zlib's default)
// into `out`. False when zlib fails.
bool DeflateRaw(std::string_view data, int level, std::string& out);

// Decodes the Base64 body in place (the decoded bytes are shorter) and inflates it into `out`.
bool DecodeAndInflate(uint8_t* body, size_t length, uint8_t* out, size_t capacity, size_t* outLength);

}  // namespace BodyCodec
