#pragma once

#include <cstddef>
#include <cstdint>

// Compressed message bodies: Base64 of a raw DEFLATE stream.
namespace BodyCodec {

// Inflates a raw DEFLATE stream (no zlib or gzip wrapper) in one call into `out`, offering
// capacity - 1 bytes, and writes a NUL after the output. True only when the stream ended within
// that room; *outLength is the output size.
bool InflateRaw(const uint8_t* in, size_t length, uint8_t* out, size_t capacity, size_t* outLength);

// Decodes the Base64 body in place (the decoded bytes are shorter) and inflates it into `out`.
bool DecodeAndInflate(uint8_t* body, size_t length, uint8_t* out, size_t capacity, size_t* outLength);

}  // namespace BodyCodec
