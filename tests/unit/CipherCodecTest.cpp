#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/HP.h"
#include "secure/AesCodec.h"
#include "secure/COpenRSA.h"
#include "secure/DecompressTool.h"
#include "support/MessageBuilder.h"
#include "support/ServerCrypto.h"

namespace {

const std::string kKey = "0123456789abcdef0123456789ABCDEF";
const std::string kIv = "fedcba9876543210";

const uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

std::string Encrypt(const std::string& plain, const std::string& iv = kIv) {
    std::vector<uint8_t> out(plain.size() + 32);
    const long n = AesCodec::EncryptPadded(Bytes(kKey), Bytes(iv), Bytes(plain), plain.size(), out.data(), out.size());
    return n < 0 ? std::string("<failed>") : std::string(reinterpret_cast<const char*>(out.data()), size_t(n));
}

ServerCrypto& Server() {
    static ServerCrypto server;  // one RSA key pair for the whole suite
    return server;
}

TEST(AesCodecTest, PaddedEncryptionReadsBackWithStandardPkcs7) {
    ServerCrypto& peer = Server();
    peer.SetSession(kKey, kIv);
    for (size_t length : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 4076u}) {
        const std::string plain(length, 'm');
        const std::string cipher = Encrypt(plain);
        EXPECT_EQ(cipher.size(), length + 16 - length % 16) << length;
        // An independent decryption checks every padding byte.
        EXPECT_EQ(peer.Decrypt(cipher).value_or("<bad padding>"), plain) << length;
    }
    // A multiple of 16 gets a whole block of sixteen 16s.
    const std::string raw = peer.DecryptRaw(Encrypt(std::string(16, 'x')));
    EXPECT_EQ(raw, std::string(16, 'x') + std::string(16, '\x10'));
}

TEST(AesCodecTest, EveryMessageStartsFromTheStoredIv) {
    const std::string text = "ORDER001@@@1@@@@@@@@5&a@b";
    EXPECT_EQ(Encrypt(text), Encrypt(text));
    EXPECT_NE(Encrypt(text), Encrypt(text, "0000000000000000"));
    // Too small an output area is refused.
    uint8_t out[31];  // the padded text needs 32
    EXPECT_EQ(AesCodec::EncryptPadded(Bytes(kKey), Bytes(kIv), Bytes(text), text.size(), out, sizeof out), -1);
}

TEST(AesCodecTest, DecryptStripRemovesWhatTheLastByteSays) {
    ServerCrypto& peer = Server();
    peer.SetSession(kKey, kIv);
    struct Case {
        size_t length;
        unsigned char last;
        long expected;
    } cases[] = {
        {16, 16, 0},    // a whole padding block: empty message
        {256, 5, 251},  // the padding value 5
        {16, 200, 0},   // a pad beyond the message removes all of it
        {32, 0, 32},    // pad 0 removes nothing
        {4096, 1, 4095},
    };
    for (const auto& c : cases) {
        std::string plain(c.length, 'p');
        plain.back() = static_cast<char>(c.last);
        const std::string cipher = peer.EncryptRaw(plain);
        ASSERT_EQ(cipher.size(), c.length);
        std::vector<uint8_t> out(c.length, 0xee);
        const long n =
            AesCodec::DecryptStrip(Bytes(kKey), Bytes(kIv), Bytes(cipher), cipher.size(), out.data(), out.size());
        EXPECT_EQ(n, c.expected) << c.length << "/" << int(c.last);
        for (size_t i = size_t(n > 0 ? n : 0); i < c.length; ++i) ASSERT_EQ(out[i], 0) << "pad bytes are zeroed";
        if (n > 0) {
            EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data()), size_t(n)), plain.substr(0, size_t(n)));
        }
    }
}

TEST(AesCodecTest, DecryptStripRefusesPartialBlocksAndSmallAreas) {
    std::vector<uint8_t> in(48, 7);
    std::vector<uint8_t> out(64);
    for (size_t length : {1u, 15u, 17u, 47u})
        EXPECT_EQ(AesCodec::DecryptStrip(Bytes(kKey), Bytes(kIv), in.data(), length, out.data(), out.size()), -1)
            << length;
    EXPECT_EQ(AesCodec::DecryptStrip(Bytes(kKey), Bytes(kIv), in.data(), 48, out.data(), 32), -1);
    EXPECT_EQ(AesCodec::DecryptStrip(Bytes(kKey), Bytes(kIv), in.data(), 0, out.data(), out.size()), 0);
}

std::string Decode(const std::string& b64) {
    std::string out;
    HP::DecodeBase64(Bytes(b64), static_cast<int>(b64.size()), out);
    return out;
}

TEST(COpenRSATest, EncryptsForTheServersPrivateKey) {
    ServerCrypto& server = Server();
    ASSERT_TRUE(server.Valid());
    const std::string n = Decode(server.ModulusB64());
    const std::string e = Decode(server.ExponentB64());
    ASSERT_EQ(n.size(), 128u);
    ASSERT_EQ(e.size(), 3u);
    COpenRSA rsa;
    ASSERT_TRUE(rsa.SetPublicKey(Bytes(n), n.size(), Bytes(e), e.size()));
    EXPECT_EQ(rsa.Size(), 128u);

    const std::string keyText = HP::EncodeBase64(Bytes(kKey), kKey.size());
    const std::string ivText = HP::EncodeBase64(Bytes(kIv), kIv.size());
    const std::string text = "SEND_KEY@" + keyText + "@" + ivText + "@@@@@@@@123456789&";
    uint8_t cipher[256];
    const long length = rsa.PublicEncrypt(Bytes(text), text.size(), cipher, sizeof cipher);
    ASSERT_EQ(length, 128);
    EXPECT_EQ(server.AcceptSendKey(std::string(reinterpret_cast<char*>(cipher), 128)).value_or(""), text);
    EXPECT_EQ(server.Key(), kKey);
    EXPECT_EQ(server.Iv(), kIv);

    // PKCS#1 v1.5 leaves room for 117 bytes under a 1024-bit key; the output area must hold 128.
    const std::string tooLong(118, 'x');
    EXPECT_EQ(rsa.PublicEncrypt(Bytes(tooLong), tooLong.size(), cipher, sizeof cipher), -1);
    EXPECT_EQ(rsa.PublicEncrypt(Bytes(text), text.size(), cipher, 127), -1);
}

TEST(COpenRSATest, UnusableKeysFailCleanly) {
    const std::string e = Decode(Server().ExponentB64());
    const std::string text = "SEND_KEY@@@@@@@@@@1&";
    uint8_t cipher[256];
    // A zero modulus and one too small for the message: no cipher text, no crash.
    for (const std::string& n : {std::string(128, '\0'), std::string("\x00\x00\xc5", 3)}) {
        COpenRSA rsa;
        if (rsa.SetPublicKey(Bytes(n), n.size(), Bytes(e), e.size())) {
            EXPECT_EQ(rsa.PublicEncrypt(Bytes(text), text.size(), cipher, sizeof cipher), -1) << n.size();
        }
    }
    COpenRSA none;
    EXPECT_EQ(none.Size(), 0u);
    EXPECT_EQ(none.PublicEncrypt(Bytes(text), text.size(), cipher, sizeof cipher), -1);
}

TEST(COpenRSATest, KeysThatCannotHideTheSessionKeyAreRefused) {
    const std::string n = Decode(Server().ModulusB64());
    const std::string e = Decode(Server().ExponentB64());
    std::string evenN = n;
    evenN.back() = static_cast<char>(evenN.back() & ~1);
    std::string shortN = n;
    shortN[0] = '\0';  // 128 bytes, fewer than 1024 bits
    const struct {
        std::string n, e;
        const char* why;
    } cases[] = {
        {n, std::string("\x00\x00\x01", 3), "exponent 1: the cipher text is the plain text"},
        {n, std::string("\x00\x00\x00", 3), "exponent 0"},
        {n, std::string("\x01\x00\x00", 3), "even exponent"},
        {evenN, e, "even modulus"},
        {shortN, e, "modulus with a zero first byte"},
    };
    for (const auto& c : cases) {
        COpenRSA rsa;
        EXPECT_FALSE(rsa.SetPublicKey(Bytes(c.n), c.n.size(), Bytes(c.e), c.e.size())) << c.why;
        EXPECT_EQ(rsa.Size(), 0u) << c.why;
    }
}

struct BatchResult {
    bool ok;
    std::vector<std::string> messages;
    std::string printed;
};

BatchResult Inflate(const std::string& stream) {
    static DecompressTool tool;
    static uint8_t out[65536];
    size_t total = 0;
    testing::internal::CaptureStdout();
    BatchResult r{tool.InflateBatch(Bytes(stream), stream.size(), out, sizeof out, &total), {}, {}};
    r.printed = testing::internal::GetCapturedStdout();
    if (r.ok)
        ForEachBatchEntry(out, total, [&](const uint8_t* m, size_t n) {
            r.messages.emplace_back(reinterpret_cast<const char*>(m), n);
        });
    return r;
}

TEST(DecompressToolTest, BatchEntries) {
    using namespace MessageBuilder;
    const std::string a = "ORDER001@@@@0@@@@@@1&a";
    const std::string b = "ORDERSTA@@@@0@@@@@@0&b@c";
    const std::string c = "FILCST01@@@@0@@@@@@0&d";
    struct Case {
        const char* name;
        std::string entries;
        std::vector<std::string> messages;
    } cases[] = {
        {"three", BatchEntries({a, b, c}), {a, b, c}},
        {"zero-length second", BatchEntries({a}) + LengthBytes(0) + BatchEntries({b}), {a}},
        {"negative length", BatchEntries({a}) + LengthBytes(-5) + b, {a}},
        {"length past the data", BatchEntries({a}) + LengthBytes(int32_t(b.size() + 1)) + b, {a}},
        {"huge length", LengthBytes(0x7fffffff) + a, {}},
        {"short length bytes", BatchEntries({a}) + "\x05\x00", {a}},
        {"exactly to the end", BatchEntries({a, c}), {a, c}},
    };
    for (const auto& k : cases) {
        const BatchResult r = Inflate(Deflate(k.entries));
        EXPECT_TRUE(r.ok) << k.name;
        EXPECT_EQ(r.messages, k.messages) << k.name;
        EXPECT_EQ(r.printed, "") << k.name;
    }
}

TEST(DecompressToolTest, FailuresAndTheirLines) {
    const std::string good = MessageBuilder::Deflate(MessageBuilder::BatchEntries({"X@@@@@@@@@@&y"}));
    std::string corrupt = good;
    corrupt[0] = '\xff';  // an invalid block type
    struct Case {
        const char* name;
        std::string stream;
        const char* printed;
    } cases[] = {
        {"corrupt", corrupt, "data err!\n"},
        {"truncated", good.substr(0, good.size() - 2), ""},
        {"empty", "", ""},
        {"past 64 KiB", MessageBuilder::Deflate(std::string(65537, 'z')), "out of memory!\n"},
    };
    for (const auto& c : cases) {
        const BatchResult r = Inflate(c.stream);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.printed, c.printed) << c.name;
    }
    // Exactly 64 KiB inflates, and trailing bytes after the stream's end are ignored.
    EXPECT_TRUE(Inflate(MessageBuilder::Deflate(std::string(65536, 'z'))).ok);
    EXPECT_TRUE(Inflate(good + "trailing").ok);
}

TEST(DecompressToolTest, DiagnosticReadsTheFileInTheWorkingFolder) {
    char pattern[] = "/tmp/quintara-diag-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    auto run = [](const std::string& content) {
        FILE* f = std::fopen("compress2Data.txt", "wb");
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
        testing::internal::CaptureStdout();
        testClassDecompress();
        return testing::internal::GetCapturedStdout();
    };
    const std::string stream = MessageBuilder::Deflate(std::string(5000, 'q'));
    EXPECT_EQ(run(stream), "count= " + std::to_string(stream.size()) + "\n");
    EXPECT_EQ(run("\xff\xff\xff"), "count= 3\ndata err!\n");
    ASSERT_EQ(chdir(cwd), 0);
    (void)std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
