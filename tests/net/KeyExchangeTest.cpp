#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "foundation/CDynBuffer.h"
#include "foundation/HP.h"
#include "net/NetTiming.h"
#include "secure/CCipherLayer.h"
#include "secure/CHeadParser.h"
#include "secure/MessageCut.h"
#include "secure/OrvikCode.h"
#include "support/EventLog.h"
#include "support/FakeServer.h"
#include "support/MessageBuilder.h"
#include "support/ServerCrypto.h"

namespace {

struct RspInfo {
    int ErrorID;
    char ErrorMsg[256];
};

const char kLogin[] = "LOGINHK1@Quintara@1.0@A@@@@@@0@9&user@secret@@@";

// A client of the cipher layer as the kinds build it: answers "REPLY_PUBLIC_KEY" with the
// session key and "REPLY_SEND_KEY" with an encrypted login; records every other message.
class ExchangeClient : public CCipherLayer {
public:
    explicit ExchangeClient(const std::string& dir) {
        m_bWriteLog = true;
        m_strLogDir = dir;
        m_strLogFile = "cipher.log";
        m_bufHead.Allocate(16384);
        m_bufBody.Allocate(65536);
    }
    ~ExchangeClient() override { StopReceiveThread(); }

    void OnSendHeartBeat() override {}
    void OnSocketConnect() override { events.Add(Named("connect", "")); }
    void OnSocketDisconnect() override {}
    void OnSocketHeartBeat(long long) override {}
    void OnSocketCommand(unsigned char* message, long length) override {
        std::string_view code;
        if (!CutMessage(message, length, &code, m_bufHead, m_bufBody)) return;
        if (CommandMatches(code, OrvikCode::ReplyPublicKey)) {
            CHeadParser<RspInfo> head(m_bufHead);
            std::string error;
            const bool sent = SendAesKey(std::string(head.m_info.m_strField[1]), std::string(head.m_info.m_strField[2]),
                                         error, head.m_iRequestId);
            events.Add(Named(sent ? "key-sent" : "key-failed", error));
        } else if (CommandMatches(code, OrvikCode::ReplySendKey)) {
            events.Add(Named("reply-send-key", ""));
            SendCommand(kLogin, 0, true, "LOGINHK1@Quintara@1.0@A@@@@@@0@9&user@******@@@");
        } else {
            events.Add(Named("message", std::string(reinterpret_cast<const char*>(message), size_t(length))));
        }
    }

    EventLog events;

private:
    static RecordedEvent Named(const char* name, std::string text) {
        RecordedEvent e;
        e.name = name;
        e.text = std::move(text);
        return e;
    }
    CDynBuffer m_bufHead;
    CDynBuffer m_bufBody;
};

class KeyExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        NetTimingValues t;
        t.reconnectWaitMs = 300;
        t.selectWaitMs = 50;
        t.createSpacingSec = 0;
        NetTiming::ForTest(t);
        char pattern[] = "/tmp/quintara-keyx-XXXXXX";
        dir = mkdtemp(pattern);
        ASSERT_TRUE(crypto.Valid());
        ASSERT_TRUE(server.Start());
        client = std::make_unique<ExchangeClient>(dir);
        client->RegisterServer(server.Address());
        ASSERT_TRUE(client->CreateInstance());
        ASSERT_TRUE(server.WaitForClient(5000));
        ASSERT_TRUE(client->events.WaitCount("connect", 1));
    }
    void TearDown() override {
        client.reset();
        NetTiming::Reset();
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

    // Runs the exchange from the server's side up to the encrypted login; returns the SEND_KEY text.
    std::string Exchange(int requestId, bool encryptedReply) {
        const std::string reply = crypto.ReplyPublicKey(requestId);
        EXPECT_TRUE(server.SendFrame(encryptedReply ? crypto.Encrypt(reply) : reply));
        const std::optional<std::string> keyFrame = server.ReadFrame(5000);
        EXPECT_TRUE(keyFrame.has_value());
        if (!keyFrame) return std::string();
        EXPECT_EQ(keyFrame->size(), 128u);  // RSA cipher text, no AES
        const std::optional<std::string> text = crypto.AcceptSendKey(*keyFrame);
        EXPECT_TRUE(text.has_value());
        return text.value_or(std::string());
    }

    // The next client frame, decrypted with the session key.
    std::string ReadDecrypted() {
        const std::optional<std::string> frame = server.ReadFrame(5000);
        EXPECT_TRUE(frame.has_value());
        if (!frame) return "<no frame>";
        return crypto.Decrypt(*frame).value_or("<bad cipher text>");
    }

    std::string Received(size_t index) {
        EXPECT_TRUE(client->events.WaitCount("message", index + 1));
        const auto all = client->events.Named("message");
        return index < all.size() ? all[index].text : std::string();
    }

    std::string dir;
    ServerCrypto crypto;
    FakeServer server;
    std::unique_ptr<ExchangeClient> client;
};

TEST_F(KeyExchangeTest, FullExchangeThenTrafficBothWays) {
    const std::string sendKey = Exchange(7, false);
    // SEND_KEY, the 44-character key, the 24-character IV, eight '@', the request id, '&'.
    ASSERT_EQ(sendKey.size(), 87u + 1u);
    EXPECT_EQ(sendKey.substr(0, 9), "SEND_KEY@");
    EXPECT_EQ(sendKey.substr(9 + 43, 2), "=@");
    EXPECT_EQ(sendKey.substr(9 + 45 + 22, 3), "==@");
    EXPECT_EQ(sendKey.substr(sendKey.size() - 10), "@@@@@@@@7&");
    EXPECT_TRUE(client->Encrypted());

    // The server confirms encrypted; the login goes out encrypted with the session key.
    ASSERT_TRUE(server.SendFrame(crypto.Encrypt("REPLY_SEND_KEY@@@@0@@@@@@7&")));
    EXPECT_EQ(ReadDecrypted(), kLogin);

    const std::string answer = "ORDER001@@@@0@@@@@@12&a@b@c";
    ASSERT_TRUE(server.SendFrame(crypto.Encrypt(answer)));
    EXPECT_EQ(Received(0), answer);

    // The log shows plain texts, never the session key nor the password.
    const std::string log = Log();
    const std::string keyText = HP::EncodeBase64(reinterpret_cast<const unsigned char*>(crypto.Key().data()), 32);
    EXPECT_EQ(log.find(keyText), std::string::npos);
    EXPECT_NE(log.find("SEND_KEY@******@******@@@@@@@@7&"), std::string::npos);
    EXPECT_NE(log.find("LOGINHK1@Quintara@1.0@A@@@@@@0@9&user@******@@@"), std::string::npos);
    EXPECT_EQ(log.find("secret"), std::string::npos);
    EXPECT_NE(log.find(" [收] " + answer), std::string::npos);
}

TEST_F(KeyExchangeTest, EveryExchangeMakesANewKey) {
    Exchange(1, false);
    const std::string key1 = crypto.Key();
    const std::string iv1 = crypto.Iv();
    // A second exchange on the encrypted connection, well within the same second.
    Exchange(2, true);
    EXPECT_NE(crypto.Key(), key1);
    EXPECT_NE(crypto.Iv(), iv1);
    const std::string text = "ORDERSTA@@@@0@@@@@@0&x";
    ASSERT_TRUE(server.SendFrame(crypto.Encrypt(text)));
    EXPECT_EQ(Received(0), text);
}

TEST_F(KeyExchangeTest, EncryptedSendLimitPaddingAndRepeatability) {
    Exchange(3, false);
    const std::string longest(4076, 'x');
    EXPECT_GT(client->SendCommand(longest, std::string_view()), 0);
    std::optional<std::string> frame = server.ReadFrame(5000);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->size(), 4080u);
    EXPECT_EQ(crypto.Decrypt(*frame).value_or(""), longest);

    EXPECT_EQ(client->SendCommand(std::string(4077, 'y'), std::string_view()), -1);

    // A multiple of 16 gains a whole block; the same text gives the same bytes every time.
    const std::string block(16, 'b');
    EXPECT_GT(client->SendCommand(block, std::string_view()), 0);
    EXPECT_GT(client->SendCommand(block, std::string_view()), 0);
    const std::optional<std::string> first = server.ReadFrame(5000);  // the refused text never came
    const std::optional<std::string> second = server.ReadFrame(5000);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->size(), 32u);
    EXPECT_EQ(*first, *second);
    EXPECT_EQ(crypto.Decrypt(*first).value_or(""), block);

    const std::string log = Log();
    EXPECT_NE(log.find(longest), std::string::npos);
    EXPECT_EQ(log.find(std::string(4077, 'y')), std::string::npos);  // refused texts are not logged
}

TEST_F(KeyExchangeTest, PartialCipherBlockIsDroppedAndTheNextMessageArrives) {
    Exchange(4, false);
    std::string partial = crypto.Encrypt("ORDER001@@@@0@@@@@@1&lost");
    partial.pop_back();
    ASSERT_TRUE(server.SendFrame(partial));
    const std::string next = "ORDER001@@@@0@@@@@@2&kept";
    ASSERT_TRUE(server.SendFrame(crypto.Encrypt(next)));
    EXPECT_EQ(Received(0), next);
    EXPECT_EQ(client->events.Named("message").size(), 1u);
    EXPECT_NE(Log().find("加密消息长度不是16的整数倍"), std::string::npos);
}

TEST_F(KeyExchangeTest, EncryptedBatch) {
    Exchange(5, false);
    using namespace MessageBuilder;
    const std::string a = "ORDER001@@@@0@@@@@@1&a";
    const std::string b = "ORDERSTA@@@@0@@@@@@0&b";
    const std::string c = "FILCST01@@@@0@@@@@@0&c";
    ASSERT_TRUE(
        server.SendFrame(BatchPayload(BatchEntries({crypto.Encrypt(a), crypto.Encrypt(b), crypto.Encrypt(c)}))));
    EXPECT_EQ(Received(0), a);
    EXPECT_EQ(Received(1), b);
    EXPECT_EQ(Received(2), c);
}

TEST_F(KeyExchangeTest, ConcurrentSendersEachGetWholeMessages) {
    Exchange(6, false);
    constexpr int kEach = 100;
    auto sender = [&](char tag) {
        for (int i = 0; i < kEach; ++i) client->SendCommand(std::string(100 + i, tag), std::string_view());
    };
    std::thread t1(sender, 'p');
    std::thread t2(sender, 'q');
    int seen[2] = {0, 0};
    for (int i = 0; i < 2 * kEach; ++i) {
        const std::string text = ReadDecrypted();
        ASSERT_GE(text.size(), 100u) << text;
        ASSERT_EQ(text.find_first_not_of(text[0]), std::string::npos);
        ++seen[text[0] == 'p' ? 0 : 1];
    }
    t1.join();
    t2.join();
    EXPECT_EQ(seen[0], kEach);
    EXPECT_EQ(seen[1], kEach);
}

TEST_F(KeyExchangeTest, WrongKeySizeKeepsThePlainConnection) {
    const std::string modulus256 = std::string(342, 'A') + "==";  // decodes to 256 bytes
    ASSERT_TRUE(server.SendFrame("REPLY_PUBLIC_KEY@" + modulus256 + "@" + crypto.ExponentB64() + "@@0@@@@@@8&"));
    ASSERT_TRUE(client->events.WaitCount("key-failed", 1));
    EXPECT_EQ(client->events.Named("key-failed")[0].text, "modulus or exponent size is wrong");
    EXPECT_FALSE(client->Encrypted());
    EXPECT_FALSE(server.ReadFrame(200).has_value());  // no key went out
    const std::string plain = "ORDER001@@@@0@@@@@@9&p";
    ASSERT_TRUE(server.SendFrame(plain));
    EXPECT_EQ(Received(0), plain);
    EXPECT_GT(client->SendCommand("GETTTIME@@@@@@@@@@&", 0, false, nullptr), 0);
    EXPECT_EQ(server.ReadFrame(5000).value_or(""), "GETTTIME@@@@@@@@@@&");
}

}  // namespace
