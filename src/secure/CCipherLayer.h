#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "foundation/CLockBool.h"
#include "net/CAsynSocket.h"
#include "net/FrameScanner.h"
#include "secure/AesCodec.h"
#include "secure/DecompressTool.h"

// Between the API objects and the socket layer: every text message goes out through SendCommand
// (AES-256-CBC encrypted while the connection's encryption is on); every received frame comes in
// through OnProcessRecv (compressed batches, decryption) to OnSocketCommand. The session key is
// set up by SendAesKey when the server sends its RSA public key.
class CCipherLayer : public CAsynSocket, private FrameScanner::IPayloadSink {
public:
    static constexpr size_t kMaxEncryptedMessage = 4076;
    static constexpr size_t kCipherArea = 4096;

    CCipherLayer();
    ~CCipherLayer() override;

    // Sends one message and writes the send log (the message, or logText when useLogText is set).
    // Returns the send result: > 0 sent, 0 the peer closed, -1 not sent.
    int SendCommand(const char* message, long unused, bool useLogText, const char* logText);
    // The same; an empty logText logs the message itself.
    int SendCommand(std::string_view message, std::string_view logText);
    // One frame with the payload as it is (no encryption).
    int SendBinData(const unsigned char* data, long length, long delayMs);
    // Builds and sends the RSA-encrypted session key for the server's public key (Base64 modulus
    // of 128 bytes and exponent of 3 bytes) and switches encryption on. False with `error` set when
    // the key sizes are wrong or the key cannot be made or sent.
    bool SendAesKey(const std::string& modulusB64, const std::string& exponentB64, std::string& error, int requestId);

    bool Encrypted() const { return m_bEncrypt; }
    // Encrypts `message` with the session key for sending (padding included); -1 when too long.
    long EncryptForSend(std::string_view message, uint8_t* out, size_t capacity);

    // Internal entry for the test suites and benchmarks (not exported): installs a known session
    // key and IV and switches encryption on, as a completed key exchange does.
    void UseSessionKeyForTest(const uint8_t (&key)[32], const uint8_t (&iv)[16]);

    void OnResetSystem() override;
    int OnProcessRecv() override;
    // One received message: decrypted when encryption is on, logged, dispatched.
    void OnOrvikProtocol(unsigned char* data, long length);

protected:
    char m_szUnzip[65536];
    CLockBool m_bEncrypt;
    unsigned char m_szAesKey[32]{};
    unsigned char m_szAesIV[16]{};
    std::shared_ptr<DecompressTool> m_spDecompress;

private:
    void OnFramePayload(const uint8_t* payload, size_t length) override;

    std::mutex m_mtxKey;                            // key and IV: written by the receive thread, read by senders
    unsigned char m_szPlain[kCipherArea + 1] = {};  // decryption area (receive thread only)
    size_t m_nUnzipUsed = 0;                        // bytes of m_szUnzip the last batch wrote
};
