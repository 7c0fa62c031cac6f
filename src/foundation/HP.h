#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text helpers used by every layer.
namespace HP {

// Copies min(strlen(src), size - 1) bytes and a NUL. A null src copies nothing (dst becomes "").
void SafeStrcpy(char* dst, unsigned long size, const char* src);
// Appends min(strlen(src), size - len - 1) bytes of src after dst (len = strlen(dst), which must be
// below size) and a NUL; nothing happens when size - len <= 1.
void SafeStrcat(char* dst, unsigned long size, const char* src);
// Bounded copy of a view: min(src.size(), size - 1) bytes and a NUL (the view's own NULs included).
void SafeCopy(char* dst, size_t size, std::string_view src);
// Length of a fixed text member up to its first NUL, never past `size`.
size_t BoundedLength(const char* text, size_t size);
// View of a fixed text member up to its first NUL, never past `size`.
inline std::string_view FieldView(const char* text, size_t size) {
    return std::string_view(text, BoundedLength(text, size));
}
template <size_t N>
inline std::string_view FieldView(const char (&text)[N]) {
    return FieldView(text, N);
}

// Splits `text` (up to its first NUL) at `sep` and appends the items to `out` (not cleared).
// Returns the size of `out` afterwards; an empty text adds nothing and returns 0.
int64_t OrvikSplit(const std::string& text, std::vector<std::string>& out, char sep);

// Zero-allocation splitter over a view, the same rules as OrvikSplit: the text is taken up to its
// first NUL; an empty text gives 0 items; k separators give k + 1 items. Stores at most `capacity`
// items in `out` (the last stored item ends at its separator) and returns the total item count.
size_t SplitView(std::string_view text, char sep, std::string_view* out, size_t capacity);

// Room for N views that a splitter fills, left uninitialised: the splitter writes every entry that
// is read afterwards (the first min(count, N)), and a parser need not clear them per message.
template <size_t N>
struct ViewSlots {
    ViewSlots() {}
    union {
        std::string_view view[N];
    };
};

// SplitView with what a record parser needs besides the items: the text's length up to its first
// NUL and the last item (also when more items than `capacity` were found).
struct SplitResult {
    size_t count = 0;       // total item count, as SplitView returns it
    size_t length = 0;      // bytes of the text before its first NUL
    std::string_view last;  // the last item (empty when count is 0)
};
SplitResult SplitItems(std::string_view text, char sep, std::string_view* out, size_t capacity);

// Decodes standard Base64 (RFC 4648): bytes outside the alphabet are skipped, '=' is padding, a
// last group of fewer than four symbols gives nothing. Returns -1 for a null `data` or length 0,
// otherwise clears `out`, fills it and returns the byte count.
int DecodeBase64(const unsigned char* data, int length, std::string& out);
// The same decoding into `out` (at least length * 3 / 4 + 3 bytes); `out` may equal `data` (the
// output never overtakes the input). Returns the byte count, -1 for null data or length 0.
int64_t DecodeBase64To(const unsigned char* data, size_t length, unsigned char* out);
// Standard Base64 with padding.
std::string EncodeBase64(const unsigned char* data, size_t length);

// Decimal readers with the C library's rules: leading blanks and a sign allowed, reading stops at
// the first character that does not fit, 0 for empty or non-numeric text. The view need not be
// NUL-terminated; at most 255 bytes are considered.
int32_t ToInt(std::string_view text);
int64_t ToInt64(std::string_view text);
double ToDouble(std::string_view text);

}  // namespace HP
