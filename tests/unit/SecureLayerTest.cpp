#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/HP.h"
#include "secure/CCipherLayer.h"
#include "support/MessageBuilder.h"
#include "support/ServerCrypto.h"

namespace {

// The cipher layer without a connection: frames go in through the receive buffer, dispatched
// messages are recorded, the log goes to a temporary folder.
class OfflineCipher : public CCipherLayer {
public:
    explicit OfflineCipher(const std::string& dir) {
        m_bWriteLog = true;
        m_strLogDir = dir;
        m_strLogFile = "cipher.log";
        m_bufRecv.Allocate(kRecvBufferSize);
    }
    ~OfflineCipher() override { StopReceiveThread(); }

    void OnSendHeartBeat() override {}
    void OnSocketConnect() override {}
    void OnSocketDisconnect() override {}
    void OnSocketHeartBeat(long long) override {}
    void OnSocketCommand(unsigned char* message, long length) override {
        messages.emplace_back(reinterpret_cast<const char*>(message), static_cast<size_t>(length));
    }

    void Feed(const std::string& bytes) {
        m_bufRecv.Append(bytes.data(), static_cast<int64_t>(bytes.size()));
        OnProcessRecv();
    }
    void StartSession(const std::string& key, const std::string& iv) {
        std::memcpy(m_szAesKey, key.data(), 32);
        std::memcpy(m_szAesIV, iv.data(), 16);
        m_bEncrypt = true;
    }
    std::string Key() const { return std::string(reinterpret_cast<const char*>(m_szAesKey), 32); }
    int64_t Buffered() const { return m_bufRecv.Length(); }

    std::vector<std::string> messages;
};

class SecureLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quintara-secure-XXXXXX";
        dir = mkdtemp(pattern);
        layer = std::make_unique<OfflineCipher>(dir);
        peer.SetSession(kKey, kIv);
    }
    void TearDown() override {
        layer.reset();
        (void)std::system(("rm -rf '" + dir + "'").c_str());
    }
    std::string Log() const {
        std::string out;
        if (FILE* p = popen(("cat '" + dir + "'/*/cipher.log 2>/dev/null").c_str(), "r")) {
            char buf[4096];
            size_t n;
            while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
            pclose(p);
        }
        return out;
    }

    static ServerCrypto& Rsa() {
        static ServerCrypto server;
        return server;
    }

    const std::string kKey = std::string(32, 'k');
    const std::string kIv = std::string(16, 'v');
    std::string dir;
    ServerCrypto peer;  // no key pair needed: only its AES side
    std::unique_ptr<OfflineCipher> layer;
};

TEST_F(SecureLayerTest, PlainPayloadsAreDispatchedByteForByte) {
    using MessageBuilder::Frame;
    const std::string order = "ORDER001@@@@0@@@@@@3&a@b";
    const std::string binary("X@\0\x01\xff&z", 7);
    layer->Feed(Frame(order) + Frame(binary) + "{(len=4)AB");
    EXPECT_EQ(layer->messages, (std::vector<std::string>{order, binary}));
    EXPECT_EQ(layer->Buffered(), 10);  // the partial frame waits for the rest
    layer->Feed("CD}");
    ASSERT_EQ(layer->messages.size(), 3u);
    EXPECT_EQ(layer->messages[2], "ABCD");
    EXPECT_EQ(layer->Buffered(), 0);
    EXPECT_NE(Log().find(" [收] " + order), std::string::npos);
}

TEST_F(SecureLayerTest, EncryptedPayloads) {
    layer->StartSession(kKey, kIv);
    auto lastByte = [&](size_t length, unsigned char last) {
        std::string plain(length, 'e');
        plain.back() = static_cast<char>(last);
        return peer.EncryptRaw(plain);
    };
    struct Case {
        const char* name;
        std::string payload;
        bool dispatched;
        size_t length;
    } cases[] = {
        {"16 bytes, pad 16", lastByte(16, 16), true, 0},
        {"256 bytes, pad 5", lastByte(256, 5), true, 251},
        {"4096 bytes", peer.Encrypt(std::string(4095, 'w')), true, 4095},
        {"over 4096 bytes", peer.Encrypt(std::string(4096, 'w')), false, 0},
        {"partial block", peer.Encrypt("ORDER001@@@@0@@@@@@3&") + "x", false, 0},
        {"shorter than a block", "ORDER001@@@@", false, 0},
    };
    for (const auto& c : cases) {
        layer->messages.clear();
        layer->Feed(MessageBuilder::Frame(c.payload));
        ASSERT_EQ(layer->messages.size(), c.dispatched ? 1u : 0u) << c.name;
        if (c.dispatched) {
            EXPECT_EQ(layer->messages[0].size(), c.length) << c.name;
        }
    }
    // Partial blocks leave an error line; whole ones after them still arrive.
    EXPECT_NE(Log().find("加密消息长度不是16的整数倍"), std::string::npos);
    const std::string text = "ORDERSTA@@@@0@@@@@@0&s@t";
    layer->messages.clear();
    layer->Feed(MessageBuilder::Frame(peer.Encrypt(text)));
    EXPECT_EQ(layer->messages, std::vector<std::string>{text});
    EXPECT_NE(Log().find(" [收] " + text), std::string::npos);  // logged as plain text
}

TEST_F(SecureLayerTest, CompressedBatches) {
    using namespace MessageBuilder;
    const std::string a = "ORDER001@@@@0@@@@@@1&a";
    const std::string b = "ORDERSTA@@@@0@@@@@@0&b";
    const std::string c = "FILCST01@@@@0@@@@@@0&c";
    layer->Feed(Frame(BatchPayload(BatchEntries({a, b, c}))));
    EXPECT_EQ(layer->messages, (std::vector<std::string>{a, b, c}));

    layer->messages.clear();
    layer->Feed(Frame(BatchPayload(BatchEntries({a}) + LengthBytes(0) + BatchEntries({b}))));
    EXPECT_EQ(layer->messages, std::vector<std::string>{a});

    // Encrypted entries are decrypted one by one.
    layer->StartSession(kKey, kIv);
    layer->messages.clear();
    layer->Feed(Frame(BatchPayload(BatchEntries({peer.Encrypt(a), peer.Encrypt(c)}))));
    EXPECT_EQ(layer->messages, (std::vector<std::string>{a, c}));
}

TEST_F(SecureLayerTest, BatchThatDoesNotInflateIsDispatchedWhole) {
    using namespace MessageBuilder;
    const std::string corrupt = std::string("\x01\xff\xff\xff", 4);
    const std::string big = BatchPayload(BatchEntries({std::string(70000, 'z')}));
    struct Case {
        std::string payload;
        const char* printed;
    } cases[] = {{corrupt, "data err!\ndoDeCompress err!\n"}, {big, "out of memory!\ndoDeCompress err!\n"}};
    for (const auto& c : cases) {
        layer->messages.clear();
        testing::internal::CaptureStdout();
        layer->Feed(Frame(c.payload));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.printed);
        EXPECT_EQ(layer->messages, std::vector<std::string>{c.payload});
    }
    EXPECT_NE(Log().find("[错误 ] 解压错误！"), std::string::npos);
}

TEST_F(SecureLayerTest, WrongKeySizesLeaveEncryptionOff) {
    ServerCrypto& server = Rsa();
    ASSERT_TRUE(server.Valid());
    const std::string modulus256 =
        HP::EncodeBase64(reinterpret_cast<const unsigned char*>(std::string(256, 'n').data()), 256);
    struct Case {
        std::string modulus;
        std::string exponent;
    } cases[] = {
        {modulus256, server.ExponentB64()},
        {server.ModulusB64(), "AQAAAQ=="},  // four exponent bytes
        {"", server.ExponentB64()},
        {server.ModulusB64(), ""},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(layer->SendAesKey(c.modulus, c.exponent, error, 4));
        EXPECT_EQ(error, "modulus or exponent size is wrong");
        EXPECT_FALSE(layer->Encrypted());
    }
}

TEST_F(SecureLayerTest, KeyExchangeMakesFreshKeysAndMasksThemInTheLog) {
    ServerCrypto& server = Rsa();
    std::string error;
    ASSERT_TRUE(layer->SendAesKey(server.ModulusB64(), server.ExponentB64(), error, 7)) << error;
    EXPECT_TRUE(layer->Encrypted());
    const std::string first = layer->Key();
    ASSERT_TRUE(layer->SendAesKey(server.ModulusB64(), server.ExponentB64(), error, 8)) << error;
    EXPECT_NE(layer->Key(), first);  // within the same second

    const std::string log = Log();
    EXPECT_NE(log.find("启动加密连接模式"), std::string::npos);
    EXPECT_NE(log.find("SEND_KEY@******@******@@@@@@@@7&"), std::string::npos);
    EXPECT_NE(log.find("SEND_KEY@******@******@@@@@@@@8&"), std::string::npos);
    const std::string keyText = HP::EncodeBase64(reinterpret_cast<const unsigned char*>(first.data()), first.size());
    EXPECT_EQ(log.find(keyText), std::string::npos);

    layer->OnResetSystem();
    EXPECT_FALSE(layer->Encrypted());
    layer->Feed("{(len=5)ab");
    layer->OnResetSystem();
    EXPECT_EQ(layer->Buffered(), 0);
}

TEST_F(SecureLayerTest, EncryptForSendAppliesTheLimit) {
    layer->StartSession(kKey, kIv);
    uint8_t out[4096 + 16];
    EXPECT_EQ(layer->EncryptForSend(std::string(4076, 'a'), out, sizeof out), 4080);
    EXPECT_EQ(peer.Decrypt(std::string(reinterpret_cast<char*>(out), 4080)).value_or(""), std::string(4076, 'a'));
    EXPECT_EQ(layer->EncryptForSend(std::string(4077, 'a'), out, sizeof out), -1);
}

}  // namespace
