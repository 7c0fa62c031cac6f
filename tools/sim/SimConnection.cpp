#include "SimConnection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "WireText.h"
#include "secure/AesCodec.h"

const char* KindName(SimKind kind) {
    switch (kind) {
        case SimKind::Stock:
            return "stock";
        case SimKind::Future:
            return "future";
        case SimKind::Market:
            return "market";
    }
    return "";
}

SimConnection::SimConnection(int fd, SimKind kind, int id, bool compress, double now)
    : m_fd(fd), m_kind(kind), m_id(id), m_bCompress(compress), m_dAcceptedAt(now) {}

SimConnection::~SimConnection() {
    if (m_fd >= 0) ::close(m_fd);
}

std::string SimConnection::Name() const {
    return std::string(KindName(m_kind)) + "#" + std::to_string(m_id);
}

void SimConnection::OnFramePayload(const uint8_t* payload, size_t length) {
    if (m_pPayloads != nullptr) m_pPayloads->emplace_back(reinterpret_cast<const char*>(payload), length);
}

bool SimConnection::ReadInput(std::vector<std::string>& payloads) {
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            m_strIn.append(chunk, static_cast<size_t>(n));
            m_pPayloads = &payloads;
            const size_t used =
                FrameScanner::Scan(reinterpret_cast<const uint8_t*>(m_strIn.data()), m_strIn.size(), *this);
            m_pPayloads = nullptr;
            m_strIn.erase(0, used);
            if (m_strIn.size() > kMaxInput) return false;
            if (static_cast<size_t>(n) < sizeof chunk) return true;
            continue;
        }
        if (n == 0) return false;
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
}

size_t SimConnection::MaxMessage() const {
    return m_bEncrypt ? kMaxEncryptedMessage : (4u << 20) - 64;
}

bool SimConnection::Send(const std::string& message) {
    if (message.size() > MaxMessage()) {
        ++dropped;
        return false;
    }
    if (!m_bEncrypt) {
        Queue(message);
        return true;
    }
    std::string cipher(message.size() + 32, '\0');
    const long n = AesCodec::EncryptPadded(m_key, m_iv, reinterpret_cast<const uint8_t*>(message.data()),
                                           message.size(), reinterpret_cast<uint8_t*>(cipher.data()), cipher.size());
    if (n < 0) {
        ++dropped;
        return false;
    }
    cipher.resize(static_cast<size_t>(n));
    Queue(cipher);
    return true;
}

namespace {

// A frame payload that starts with 0x01 is a batch to the client. A message whose cipher text
// happens to start with that byte therefore travels as the only entry of a batch.
std::string SinglePayload(const std::string& payload) {
    if (!payload.empty() && payload[0] == '\x01') return WireText::BatchPayload({payload});
    return payload;
}

}  // namespace

void SimConnection::Queue(const std::string& payload) {
    if (m_bCompress)
        m_batch.push_back(payload);
    else
        m_strOut += WireText::Frame(SinglePayload(payload));
    if (m_strOut.size() > kMaxOutput) m_bOverflow = true;
}

void SimConnection::SendRaw(const std::string& bytes) {
    Flush();
    m_strOut += bytes;
}

void SimConnection::Flush() {
    // Messages go out in order: batches of at most kMaxBatchEntries bytes of entries (what the client
    // inflates into its 64 KiB area); a lone message, or one too large for any batch, in a frame of
    // its own.
    std::vector<std::string> group;
    size_t size = 0;
    auto emit = [&] {
        if (group.size() == 1)
            m_strOut += WireText::Frame(SinglePayload(group.front()));
        else if (!group.empty())
            m_strOut += WireText::Frame(WireText::BatchPayload(group));
        group.clear();
        size = 0;
    };
    for (auto& m : m_batch) {
        if (size + m.size() + 4 > kMaxBatchEntries) emit();
        size += m.size() + 4;
        group.push_back(std::move(m));
        if (size > kMaxBatchEntries) emit();
    }
    emit();
    m_batch.clear();
    if (m_strOut.size() > kMaxOutput) m_bOverflow = true;
}

bool SimConnection::WriteOutput() {
    if (m_bOverflow) return false;
    while (m_nOutSent < m_strOut.size()) {
        const ssize_t n =
            ::send(m_fd, m_strOut.data() + m_nOutSent, m_strOut.size() - m_nOutSent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            m_nOutSent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        return false;
    }
    if (m_nOutSent == m_strOut.size()) {
        m_strOut.clear();
        m_nOutSent = 0;
    } else if (m_nOutSent > (1u << 20)) {
        m_strOut.erase(0, m_nOutSent);
        m_nOutSent = 0;
    }
    return true;
}

void SimConnection::SetSession(const std::string& key, const std::string& iv) {
    std::memcpy(m_key, key.data(), std::min(key.size(), sizeof m_key));
    std::memcpy(m_iv, iv.data(), std::min(iv.size(), sizeof m_iv));
}

namespace {

// A plain message starts with a command code of letters, digits and '_' before its first '@'.
bool LooksPlain(const std::string& text) {
    const size_t at = text.find('@');
    if (at == 0 || at == std::string::npos || at > 32 || text.find('&', at) == std::string::npos) return false;
    for (size_t i = 0; i < at; ++i) {
        const char c = text[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> SimConnection::Open(const std::string& payload) const {
    if (!m_bEncrypt) return payload;
    if (payload.size() % AesCodec::kBlock == 0 && !payload.empty()) {
        std::string plain(payload.size(), '\0');
        const long n = AesCodec::DecryptStrip(m_key, m_iv, reinterpret_cast<const uint8_t*>(payload.data()),
                                              payload.size(), reinterpret_cast<uint8_t*>(plain.data()), plain.size());
        if (n >= 0) {
            plain.resize(static_cast<size_t>(n));
            if (LooksPlain(plain)) return plain;
        }
    }
    if (LooksPlain(payload)) return payload;
    return std::nullopt;
}
