#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "net/FrameScanner.h"

// Helpers shared by the fuzz targets: failed expectations abort (libFuzzer keeps the input), and
// the inputs are cut into messages and framed the way a server sends them.
namespace FuzzCheck {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: expectation failed: %s\n", file, line, what);
    std::abort();
}

// The members of a public struct's text field: NUL-terminated within its 256 bytes.
inline bool Terminated(const char* text, size_t size = 256) {
    return std::memchr(text, '\0', size) != nullptr;
}

// The input cut at each '\n' into messages (empty ones included).
inline std::vector<std::string_view> Lines(const uint8_t* data, size_t size) {
    std::vector<std::string_view> out;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    for (;;) {
        const size_t end = all.find('\n', start);
        out.push_back(all.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return out;
        start = end + 1;
    }
}

// "{(len=%d)" payload "}", with the library's own header writer.
inline std::string Frame(std::string_view payload) {
    char header[FrameScanner::kMaxHeaderLength + 1];
    const size_t n = FrameScanner::WriteHeader(header, payload.size());
    std::string frame(header, n);
    frame.append(payload.data(), payload.size());
    frame += '}';
    return frame;
}

}  // namespace FuzzCheck

#define FUZZ_EXPECT(condition) ((condition) ? static_cast<void>(0) : FuzzCheck::Fail(__FILE__, __LINE__, #condition))
