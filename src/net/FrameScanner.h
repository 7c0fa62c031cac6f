#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Frame format, both directions: "{(len=" decimal-length ")" payload "}".
namespace FrameScanner {

constexpr size_t kMaxSendPayload = 32748;
// Longest header WriteHeader can produce (any size_t length).
constexpr size_t kMaxHeaderLength = 27;

// Receives one complete payload (its closing "}" present). May throw: the exception passes
// through Scan to the caller.
class IPayloadSink {
public:
    virtual void OnFramePayload(const uint8_t* payload, size_t length) = 0;

protected:
    ~IPayloadSink() = default;
};

// Scans buffered bytes from the start and hands every complete, well-closed frame to `sink`.
// Returns the number of bytes consumed (finished with); the caller removes them from the front.
// Bytes outside a frame are skipped; a "{" whose next five bytes are present and are not "(len="
// is skipped like any other byte, and so is a "{(len=" whose number field (blanks, a sign, digits, as
// strtol reads them) is not closed by ")" right after it or runs past 20 bytes. A length below 1
// skips the header through ")". A frame whose header or payload has not fully arrived stops the
// scan (its "{" and what follows stay buffered); a byte other than "}" after the payload drops the
// frame. Lengths are parsed saturated, so no length can overflow the bounds checks.
size_t Scan(const uint8_t* data, size_t length, IPayloadSink& sink);

// True when `text` (not empty) occurs anywhere in data[0, length). Searches with memchr for one
// byte of `text` that is rare in messages (its first byte that is not a letter or digit, else its
// last) and compares around each hit: far faster than a general substring search over a read.
bool Contains(const uint8_t* data, size_t length, std::string_view text);

// Writes "{(len=%d)" for `payloadLength` into `out` (at least 20 bytes for lengths below 10^13,
// kMaxHeaderLength for any); returns its length.
size_t WriteHeader(char* out, size_t payloadLength);

}  // namespace FrameScanner
