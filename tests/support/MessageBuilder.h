#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Builds what a server sends: message texts (head fields and records), compressed bodies,
// compressed batches and frames.
namespace MessageBuilder {

// Head fields 0.. (at most 11; the missing ones are empty) joined by '@', then '&' and the body.
std::string Message(std::initializer_list<std::string_view> headFields, std::string_view body = {});
// An answer: field 0 the code, field 4 the error code, field 9 the transfer mode, field 10 the id.
std::string Answer(std::string_view code, int requestId, std::string_view errorCode = "0", std::string_view body = {},
                   std::string_view mode = {});
// Record fields joined by '@'.
std::string Record(std::initializer_list<std::string_view> fields);
// Records joined by '^'.
std::string Records(std::initializer_list<std::string_view> records);

// Raw DEFLATE (no zlib or gzip wrapper).
std::string Deflate(std::string_view data);
// A compressed body: Base64 of the raw DEFLATE stream of `text`.
std::string CompressedBody(std::string_view text);
// Batch entries: each message after its 32-bit little-endian length.
std::string BatchEntries(const std::vector<std::string>& messages);
// A 32-bit little-endian length (for hand-made entries).
std::string LengthBytes(int32_t length);
// A batch payload: the marker 0x01 and the raw DEFLATE stream of `entries`.
std::string BatchPayload(std::string_view entries);
// "{(len=%d)" payload "}".
std::string Frame(std::string_view payload);

}  // namespace MessageBuilder
