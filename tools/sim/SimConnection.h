#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "net/FrameScanner.h"

enum class SimKind { Stock, Future, Market };
const char* KindName(SimKind kind);

// One client connection: the socket, bounded input and output buffers, frame scanning through the
// library's scanner, AES of the connection's session key, batching of what is sent in one pass of
// the loop, and the session state the desks keep about the client.
class SimConnection final : private FrameScanner::IPayloadSink {
public:
    // The largest plain message the client accepts encrypted: its decryption area is 4096 bytes.
    static constexpr size_t kMaxEncryptedMessage = 4095;
    static constexpr size_t kMaxInput = 1 << 20;       // buffered input without a whole frame
    static constexpr size_t kMaxOutput = 32u << 20;    // unsent output: a client this slow is dropped
    static constexpr size_t kMaxBatchEntries = 60000;  // the client inflates a batch into 64 KiB

    SimConnection(int fd, SimKind kind, int id, bool compress, double now);
    ~SimConnection();
    SimConnection(const SimConnection&) = delete;
    SimConnection& operator=(const SimConnection&) = delete;

    int Fd() const { return m_fd; }
    SimKind Kind() const { return m_kind; }
    int Id() const { return m_id; }
    double AcceptedAt() const { return m_dAcceptedAt; }
    std::string Name() const;  // "stock#3"

    // Reads what the socket holds and appends each complete frame's payload. False when the peer
    // closed, the read failed or the input overflowed.
    bool ReadInput(std::vector<std::string>& payloads);

    // Queues one message, AES-encrypted when the session key is on. False (nothing queued) when it
    // is too long for the client's decryption area.
    bool Send(const std::string& message);
    // The longest message Send takes now.
    size_t MaxMessage() const;
    // Queues bytes as they are (flushes batched messages first to keep the order).
    void SendRaw(const std::string& bytes);
    // Frames the messages queued in this pass (one batch frame per 60000 bytes of entries when
    // batching, else a frame per message).
    void Flush();
    // Writes pending output; false on a write error or when the output overflowed.
    bool WriteOutput();
    bool WantsWrite() const { return !m_strOut.empty() || !m_batch.empty(); }

    // Key exchange and AES.
    void SetSession(const std::string& key, const std::string& iv);
    void SetEncrypt(bool on) { m_bEncrypt = on; }
    bool Encrypted() const { return m_bEncrypt; }
    // The plain text of a received payload: decrypted when the key is on. A payload that cannot be
    // decrypted but reads as a plain message is taken as it is (a client may send one plain message
    // that crossed the key exchange); nullopt otherwise.
    std::optional<std::string> Open(const std::string& payload) const;

    // Session state kept by the desks.
    bool keyPending = false;  // the server sent REPLY_PUBLIC_KEY and waits for SEND_KEY
    bool loggedIn = false;
    bool verified = false;  // passed the security verification on this connection
    bool closeAfterFlush = false;
    int deferredLoginId = -1;  // request id of a plain login dropped during the key exchange
    std::string userId, account;
    std::set<std::string> subscriptions;  // market: "EXCHANGE,CODE" keys
    int64_t dropped = 0;                  // messages not sent (too long)

private:
    void OnFramePayload(const uint8_t* payload, size_t length) override;
    void Queue(const std::string& payload);

    int m_fd;
    SimKind m_kind;
    int m_id;
    bool m_bCompress;
    double m_dAcceptedAt;
    std::string m_strIn;
    std::string m_strOut;
    size_t m_nOutSent = 0;
    std::vector<std::string> m_batch;
    std::vector<std::string>* m_pPayloads = nullptr;
    bool m_bEncrypt = false;
    uint8_t m_key[32] = {};
    uint8_t m_iv[16] = {};
    bool m_bOverflow = false;
};
