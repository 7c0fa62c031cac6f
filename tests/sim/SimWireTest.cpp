// What the simulator's connection puts on the wire, read back the way the client reads it.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "SimConnection.h"
#include "net/FrameScanner.h"
#include "secure/AesCodec.h"
#include "secure/BodyCodec.h"

namespace {

// The frames a connection wrote, split into the messages the client would dispatch: a payload
// starting with 0x01 is inflated and cut into its entries, every message decrypted when `key` is set.
struct ClientView : FrameScanner::IPayloadSink {
    std::vector<std::string> messages;
    std::vector<size_t> inflatedSizes;  // per batch
    size_t frames = 0;
    const std::string* key = nullptr;
    const std::string* iv = nullptr;

    void Dispatch(const uint8_t* data, size_t length) {
        if (key == nullptr) {
            messages.emplace_back(reinterpret_cast<const char*>(data), length);
            return;
        }
        std::vector<uint8_t> plain(length + 16);
        const long n = AesCodec::DecryptStrip(reinterpret_cast<const uint8_t*>(key->data()),
                                              reinterpret_cast<const uint8_t*>(iv->data()), data, length, plain.data(),
                                              plain.size());
        messages.push_back(n < 0 ? "<undecryptable>" : std::string(reinterpret_cast<char*>(plain.data()), n));
    }
    void OnFramePayload(const uint8_t* payload, size_t length) override {
        ++frames;
        if (length == 0 || payload[0] != 0x01) return Dispatch(payload, length);
        std::vector<uint8_t> out(65537);
        size_t total = 0;
        ASSERT_TRUE(BodyCodec::InflateRaw(payload + 1, length - 1, out.data(), out.size(), &total));
        inflatedSizes.push_back(total);
        for (size_t at = 0; at + 4 <= total;) {
            uint32_t n = 0;
            for (int i = 0; i < 4; ++i) n |= static_cast<uint32_t>(out[at + static_cast<size_t>(i)]) << (8 * i);
            ASSERT_LE(at + 4 + n, total);
            Dispatch(out.data() + at + 4, n);
            at += 4 + n;
        }
    }
};

class SimWire : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, m_fds), 0); }
    void TearDown() override { close(m_fds[1]); }  // m_fds[0] belongs to the connection

    // Everything the connection has written so far, read through the client's frame scanner.
    void Read(ClientView& view) {
        std::string bytes;
        char chunk[65536];
        for (;;) {
            const ssize_t n = recv(m_fds[1], chunk, sizeof chunk, MSG_DONTWAIT);
            if (n <= 0) break;
            bytes.append(chunk, static_cast<size_t>(n));
        }
        const size_t used = FrameScanner::Scan(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), view);
        EXPECT_EQ(used, bytes.size());
    }

    int m_fds[2];
};

TEST_F(SimWire, EncryptedMessageWhoseCipherStartsWithTheBatchMarkerStillReachesTheClient) {
    const std::string message = "TEST0001@@@@@@@@@@&";
    std::string iv(16, '\x07');
    std::string key(32, '\0');
    // Find a key under which the cipher text's first byte is 0x01, the batch marker.
    for (int k = 0;; ++k) {
        ASSERT_LT(k, 100000);
        std::memcpy(key.data(), &k, sizeof k);
        uint8_t cipher[32];
        ASSERT_EQ(AesCodec::EncryptPadded(
                      reinterpret_cast<const uint8_t*>(key.data()), reinterpret_cast<const uint8_t*>(iv.data()),
                      reinterpret_cast<const uint8_t*>(message.data()), message.size(), cipher, sizeof cipher),
                  32);
        if (cipher[0] == 0x01) break;
    }
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress ? "batched" : "one frame per message");
        SimConnection c(dup(m_fds[0]), SimKind::Stock, 1, compress, 0);
        c.SetSession(key, iv);
        c.SetEncrypt(true);
        ASSERT_TRUE(c.Send(message));
        c.Flush();
        ASSERT_TRUE(c.WriteOutput());
        ClientView view;
        view.key = &key;
        view.iv = &iv;
        Read(view);
        EXPECT_EQ(view.messages, std::vector<std::string>{message});
    }
    close(m_fds[0]);
}

TEST_F(SimWire, BatchesStayWithinTheClientsInflateAreaAndKeepTheOrder) {
    SimConnection c(m_fds[0], SimKind::Market, 1, true, 0);
    std::vector<std::string> sent;
    for (int i = 0; i < 400; ++i) sent.push_back("MARKET01@@@@0@@@@@@0&" + std::to_string(i) + std::string(300, 'q'));
    sent.push_back("MARKET01@@@@0@@@@@@0&" + std::string(70000, 'L'));  // too large for any batch
    sent.push_back("TEST0001@@@@@@@@@@&");
    for (const auto& m : sent) ASSERT_TRUE(c.Send(m));
    c.Flush();
    ASSERT_TRUE(c.WriteOutput());
    ClientView view;
    Read(view);
    EXPECT_EQ(view.messages, sent);
    EXPECT_GT(view.inflatedSizes.size(), 1u);
    for (size_t n : view.inflatedSizes) EXPECT_LE(n, 65536u);
}

TEST_F(SimWire, EncryptedMessagesLongerThanTheClientsDecryptionAreaAreRefused) {
    SimConnection c(m_fds[0], SimKind::Stock, 1, false, 0);
    c.SetSession(std::string(32, 'k'), std::string(16, 'v'));
    c.SetEncrypt(true);
    EXPECT_TRUE(c.Send(std::string(SimConnection::kMaxEncryptedMessage, 'a')));
    EXPECT_FALSE(c.Send(std::string(SimConnection::kMaxEncryptedMessage + 1, 'a')));
    c.SetEncrypt(false);
    EXPECT_TRUE(c.Send(std::string(SimConnection::kMaxEncryptedMessage + 1, 'a')));
}

}  // namespace
