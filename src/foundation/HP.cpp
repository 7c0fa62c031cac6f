#include "foundation/HP.h"

#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace HP {

namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int16_t kSkip = -1;
constexpr int16_t kPad = -2;

struct Base64Table {
    int16_t value[256];
    constexpr Base64Table() : value() {
        for (int i = 0; i < 256; ++i) {
            value[i] = kSkip;
        }
        for (int i = 0; i < 64; ++i) {
            value[static_cast<unsigned char>(kBase64Alphabet[i])] = static_cast<int16_t>(i);
        }
        value[static_cast<unsigned char>('=')] = kPad;
    }
};
constexpr Base64Table kBase64Table;

// Reading numbers needs a NUL-terminated text; the view is copied into a local buffer of this size.
constexpr size_t kNumberBuffer = 256;

const char* TerminatedCopy(std::string_view text, char (&buffer)[kNumberBuffer]) {
    size_t length = text.size() < kNumberBuffer - 1 ? text.size() : kNumberBuffer - 1;
    if (length > 0) {
        std::memcpy(buffer, text.data(), length);
    }
    buffer[length] = '\0';
    return buffer;
}

}  // namespace

void SafeStrcpy(char* dst, unsigned long size, const char* src) {
    if (dst == nullptr || size == 0) {
        return;
    }
    if (src == nullptr) {
        dst[0] = '\0';
        return;
    }
    size_t length = BoundedLength(src, size - 1);
    std::memmove(dst, src, length);
    dst[length] = '\0';
}

void SafeStrcat(char* dst, unsigned long size, const char* src) {
    if (dst == nullptr || size == 0 || src == nullptr) {
        return;
    }
    // A destination without a NUL inside `size` counts as full.
    size_t length = BoundedLength(dst, size);
    if (size - length <= 1) {
        return;
    }
    size_t count = BoundedLength(src, size - length - 1);
    std::memmove(dst + length, src, count);
    dst[length + count] = '\0';
}

void SafeCopy(char* dst, size_t size, std::string_view src) {
    if (dst == nullptr || size == 0) {
        return;
    }
    size_t length = src.size() < size - 1 ? src.size() : size - 1;
    if (length > 0) {
        std::memmove(dst, src.data(), length);
    }
    dst[length] = '\0';
}

size_t BoundedLength(const char* text, size_t size) {
    if (text == nullptr || size == 0) {
        return 0;
    }
    const void* nul = std::memchr(text, '\0', size);
    return nul == nullptr ? size : static_cast<size_t>(static_cast<const char*>(nul) - text);
}

int64_t OrvikSplit(const std::string& text, std::vector<std::string>& out, char sep) {
    size_t length = BoundedLength(text.data(), text.size());
    if (length == 0) {
        return 0;
    }
    if (out.capacity() < 100) {
        out.reserve(100);
    }
    const char* begin = text.data();
    const char* end = begin + length;
    const char* item = begin;
    for (const char* p = begin; p != end; ++p) {
        if (*p == sep) {
            out.emplace_back(item, static_cast<size_t>(p - item));
            item = p + 1;
        }
    }
    out.emplace_back(item, static_cast<size_t>(end - item));
    return static_cast<int64_t>(out.size());
}

size_t SplitView(std::string_view text, char sep, std::string_view* out, size_t capacity) {
    return SplitItems(text, sep, out, capacity).count;
}

SplitResult SplitItems(std::string_view text, char sep, std::string_view* out, size_t capacity) {
    SplitResult result;
    const char* begin = text.data();
    const size_t size = begin == nullptr ? 0 : text.size();
    if (out == nullptr) {
        capacity = 0;
    }
    // One pass over the text finds the separators and the end (its size or its first NUL). Most
    // items are a few bytes long, so the bytes are tested 16 at a time rather than item by item.
    const char* item = begin;
    size_t count = 0;
    auto separatorAt = [&](size_t at) {
        const char* stop = begin + at;
        if (count < capacity) {
            out[count] = std::string_view(item, static_cast<size_t>(stop - item));
        }
        ++count;
        item = stop + 1;
    };
    size_t end = size;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i separators = _mm_set1_epi8(sep);
    const __m128i zeros = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + i));
        const auto nulMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, zeros)));
        auto sepMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, separators)));
        if (nulMask != 0) {
            const auto nulAt = static_cast<unsigned>(__builtin_ctz(nulMask));
            sepMask &= (1u << nulAt) - 1u;
            end = i + nulAt;
        }
        while (sepMask != 0) {
            separatorAt(i + static_cast<unsigned>(__builtin_ctz(sepMask)));
            sepMask &= sepMask - 1u;
        }
        if (end != size) {
            break;
        }
    }
#endif
    if (end == size) {
        for (; i < size; ++i) {
            const char c = begin[i];
            if (c == '\0') {
                end = i;
                break;
            }
            if (c == sep) {
                separatorAt(i);
            }
        }
    }
    if (end == 0) {
        return result;  // an empty text has no items
    }
    result.last = std::string_view(item, static_cast<size_t>(begin + end - item));
    if (count < capacity) {
        out[count] = result.last;
    }
    result.count = count + 1;
    result.length = end;
    return result;
}

int DecodeBase64(const unsigned char* data, int length, std::string& out) {
    if (data == nullptr || length <= 0) {
        return -1;
    }
    out.clear();
    out.resize(static_cast<size_t>(length) / 4 * 3 + 3);
    int64_t count = DecodeBase64To(data, static_cast<size_t>(length), reinterpret_cast<unsigned char*>(&out[0]));
    out.resize(static_cast<size_t>(count));
    return static_cast<int>(count);
}

int64_t DecodeBase64To(const unsigned char* data, size_t length, unsigned char* out) {
    if (data == nullptr || length == 0 || out == nullptr) {
        return -1;
    }
    // Four symbols are read before up to three bytes are written, so the output never
    // overtakes the input and `out` may equal `data`.
    uint32_t group = 0;
    int symbols = 0;
    int padding = 0;
    int64_t written = 0;
    for (size_t i = 0; i < length; ++i) {
        int value = kBase64Table.value[data[i]];
        if (value == kSkip) {
            continue;
        }
        if (value == kPad) {
            value = 0;
            ++padding;
        }
        group = (group << 6) | static_cast<uint32_t>(value);
        if (++symbols < 4) {
            continue;
        }
        int bytes = padding >= 3 ? 0 : 3 - padding;
        unsigned char decoded[3] = {static_cast<unsigned char>(group >> 16), static_cast<unsigned char>(group >> 8),
                                    static_cast<unsigned char>(group)};
        for (int b = 0; b < bytes; ++b) {
            out[written++] = decoded[b];
        }
        group = 0;
        symbols = 0;
        padding = 0;
    }
    return written;
}

std::string EncodeBase64(const unsigned char* data, size_t length) {
    std::string out;
    if (data == nullptr || length == 0) {
        return out;
    }
    out.reserve((length + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        uint32_t group = (uint32_t{data[i]} << 16) | (uint32_t{data[i + 1]} << 8) | data[i + 2];
        out.push_back(kBase64Alphabet[(group >> 18) & 63]);
        out.push_back(kBase64Alphabet[(group >> 12) & 63]);
        out.push_back(kBase64Alphabet[(group >> 6) & 63]);
        out.push_back(kBase64Alphabet[group & 63]);
    }
    size_t rest = length - i;
    if (rest > 0) {
        uint32_t group = uint32_t{data[i]} << 16;
        if (rest == 2) {
            group |= uint32_t{data[i + 1]} << 8;
        }
        out.push_back(kBase64Alphabet[(group >> 18) & 63]);
        out.push_back(kBase64Alphabet[(group >> 12) & 63]);
        out.push_back(rest == 2 ? kBase64Alphabet[(group >> 6) & 63] : '=');
        out.push_back('=');
    }
    return out;
}

int32_t ToInt(std::string_view text) {
    // Most fields are a few plain digits: read those directly, the same value strtol gives.
    if (!text.empty() && text.size() <= 9) {
        int32_t value = 0;
        size_t i = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = value * 10 + (text[i++] - '0');
        if (i == text.size()) return value;
    }
    char buffer[kNumberBuffer];
    // Like a C cast of strtol's long result: values beyond 32 bits wrap.
    return static_cast<int32_t>(std::strtol(TerminatedCopy(text, buffer), nullptr, 10));
}

int64_t ToInt64(std::string_view text) {
    char buffer[kNumberBuffer];
    return static_cast<int64_t>(std::strtoll(TerminatedCopy(text, buffer), nullptr, 10));
}

double ToDouble(std::string_view text) {
    // Plain decimals ("-388.205") of at most 15 digits: the digits form an exact integer and the
    // power of ten is exact, so one division rounds exactly as strtod does.
    if (!text.empty() && text.size() <= 17) {
        static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
        int64_t mantissa = 0;
        int digits = 0;
        int decimals = -1;  // digits after the point; -1 without a point
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9') {
                mantissa = mantissa * 10 + (c - '0');
                ++digits;
                if (decimals >= 0) ++decimals;
            } else if (c == '.' && decimals < 0) {
                decimals = 0;
            } else {
                break;
            }
        }
        if (i == text.size() && digits > 0 && digits <= 15) {
            double value = static_cast<double>(mantissa);
            if (decimals > 0) value /= kPowers[decimals];
            return text[0] == '-' ? -value : value;
        }
    }
    char buffer[kNumberBuffer];
    return std::strtod(TerminatedCopy(text, buffer), nullptr);
}

}  // namespace HP
