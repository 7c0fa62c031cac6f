#include "foundation/HP.h"

#include <cstdlib>
#include <cstring>

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
    size_t length = BoundedLength(text.data(), text.size());
    if (length == 0) {
        return 0;
    }
    if (out == nullptr) {
        capacity = 0;
    }
    const char* begin = text.data();
    const char* end = begin + length;
    const char* item = begin;
    size_t count = 0;
    while (true) {
        const void* found = std::memchr(item, static_cast<unsigned char>(sep), static_cast<size_t>(end - item));
        const char* stop = found == nullptr ? end : static_cast<const char*>(found);
        if (count < capacity) {
            out[count] = std::string_view(item, static_cast<size_t>(stop - item));
        }
        ++count;
        if (stop == end) {
            return count;
        }
        item = stop + 1;
    }
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
    char buffer[kNumberBuffer];
    // Like a C cast of strtol's long result: values beyond 32 bits wrap.
    return static_cast<int32_t>(std::strtol(TerminatedCopy(text, buffer), nullptr, 10));
}

int64_t ToInt64(std::string_view text) {
    char buffer[kNumberBuffer];
    return static_cast<int64_t>(std::strtoll(TerminatedCopy(text, buffer), nullptr, 10));
}

double ToDouble(std::string_view text) {
    char buffer[kNumberBuffer];
    return std::strtod(TerminatedCopy(text, buffer), nullptr);
}

}  // namespace HP
