#include "secure/MessageCut.h"

#include <cstring>

namespace {

void CopyTerminated(CDynBuffer& buffer, const unsigned char* data, size_t length) {
    buffer.Assign(data, static_cast<int64_t>(length));
    if (buffer.Length() < buffer.Capacity()) buffer.Data()[buffer.Length()] = '\0';
}

}  // namespace

bool CutMessage(const unsigned char* message, long length, std::string_view* code, CDynBuffer& head, CDynBuffer& body) {
    if (length < 1 || message[0] == '@') return false;
    const size_t n = static_cast<size_t>(length);
    const auto* at = static_cast<const unsigned char*>(std::memchr(message, '@', n));
    if (at == nullptr) return false;
    const size_t atPos = static_cast<size_t>(at - message);
    *code = std::string_view(reinterpret_cast<const char*>(message), atPos);
    const auto* amp = static_cast<const unsigned char*>(std::memchr(at, '&', n - atPos));
    if (amp == nullptr) {
        CopyTerminated(head, message, 0);
        CopyTerminated(body, message, 0);
        return true;
    }
    const size_t ampPos = static_cast<size_t>(amp - message);
    CopyTerminated(head, at, ampPos - atPos);
    CopyTerminated(body, amp + 1, n - ampPos - 1);
    return true;
}
