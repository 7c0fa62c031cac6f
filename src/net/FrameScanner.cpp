#include "net/FrameScanner.h"

#include <cstring>

namespace FrameScanner {

namespace {

constexpr char kOpening[] = "{(len=";
constexpr size_t kOpeningLength = sizeof kOpening - 1;
// The number field between "(len=" and ")": a "%d" length needs at most 11 bytes; a field that has
// not closed within this many bytes never belongs to a frame.
constexpr size_t kMaxNumberField = 20;
// Lengths are saturated here while parsing: far above any buffer, far below overflow.
constexpr uint64_t kLengthCeiling = uint64_t{1} << 40;

bool IsBlank(uint8_t c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

enum class HeaderState { Complete, Incomplete, Invalid };

struct Header {
    HeaderState state;
    int64_t value;   // the length read, saturated; may be 0 or negative
    size_t closeAt;  // index of ")" when complete
};

// Reads the number field that starts at `from` the way strtol does (blanks, a sign, digits) and
// expects ")" right after it.
Header ParseHeader(const uint8_t* data, size_t length, size_t from) {
    size_t limit = length - from < kMaxNumberField ? length : from + kMaxNumberField;
    size_t i = from;
    while (i < limit && IsBlank(data[i])) {
        ++i;
    }
    bool negative = false;
    if (i < limit && (data[i] == '+' || data[i] == '-')) {
        negative = data[i] == '-';
        ++i;
    }
    uint64_t value = 0;
    while (i < limit && IsDigit(data[i])) {
        value = value * 10 + (data[i] - '0');
        if (value > kLengthCeiling) {
            value = kLengthCeiling;
        }
        ++i;
    }
    if (i == limit) {
        // Field cut short by the data that has arrived: wait, unless it is already too long.
        return {limit == length && length - from < kMaxNumberField ? HeaderState::Incomplete : HeaderState::Invalid, 0,
                0};
    }
    if (data[i] != ')') {
        return {HeaderState::Invalid, 0, 0};
    }
    int64_t signedValue = static_cast<int64_t>(value);
    return {HeaderState::Complete, negative ? -signedValue : signedValue, i};
}

}  // namespace

size_t Scan(const uint8_t* data, size_t length, IPayloadSink& sink) {
    size_t pos = 0;
    while (pos < length) {
        const void* brace = std::memchr(data + pos, '{', length - pos);
        if (brace == nullptr) {
            return length;  // nothing but skipped bytes
        }
        size_t start = static_cast<size_t>(static_cast<const uint8_t*>(brace) - data);
        if (length - start < kOpeningLength) {
            return start;  // "{" whose opening has not fully arrived
        }
        if (std::memcmp(data + start, kOpening, kOpeningLength) != 0) {
            pos = start + 1;  // a stray "{": an ordinary byte
            continue;
        }
        Header header = ParseHeader(data, length, start + kOpeningLength);
        if (header.state == HeaderState::Incomplete) {
            return start;
        }
        if (header.state == HeaderState::Invalid) {
            pos = start + 1;
            continue;
        }
        size_t payloadAt = header.closeAt + 1;
        if (header.value < 1) {
            pos = payloadAt;  // an empty or negative length: the header is skipped
            continue;
        }
        size_t payloadLength = static_cast<size_t>(header.value);
        if (length - payloadAt <= payloadLength) {
            return start;  // payload or closing byte still to come
        }
        size_t endAt = payloadAt + payloadLength;
        if (data[endAt] == '}') {
            sink.OnFramePayload(data + payloadAt, payloadLength);
        }
        pos = endAt + 1;
    }
    return length;
}

bool Contains(const uint8_t* data, size_t length, std::string_view text) {
    const size_t n = text.size();
    if (n == 0 || data == nullptr || length < n) return false;
    size_t anchor = n - 1;
    for (size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alphanumeric) {
            anchor = i;
            break;
        }
    }
    // The anchor byte of a match lies in [anchor, length - n + anchor].
    const uint8_t* from = data + anchor;
    const uint8_t* const last = data + (length - n + anchor);
    const auto byte = static_cast<unsigned char>(text[anchor]);
    while (from <= last) {
        const auto* hit = static_cast<const uint8_t*>(std::memchr(from, byte, static_cast<size_t>(last - from) + 1));
        if (hit == nullptr) return false;
        if (std::memcmp(hit - anchor, text.data(), n) == 0) return true;
        from = hit + 1;
    }
    return false;
}

size_t WriteHeader(char* out, size_t payloadLength) {
    char digits[24];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + payloadLength % 10);
        payloadLength /= 10;
    } while (payloadLength != 0);
    std::memcpy(out, kOpening, kOpeningLength);
    size_t n = kOpeningLength;
    while (count != 0) {
        out[n++] = digits[--count];
    }
    out[n++] = ')';
    return n;
}

}  // namespace FrameScanner
