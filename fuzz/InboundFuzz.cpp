// The inbound pipeline of the cipher layer: frame payloads that are single messages or
// compressed batches, in plain or encrypted mode (a fixed session key). The expected messages
// are worked out here with zlib and libcrypto directly, not with the library's codecs.
#include <openssl/evp.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "secure/BodyCodec.h"
#include "secure/CCipherLayer.h"

namespace {

const unsigned char kKey[32] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xba, 0xdc, 0xfe, 0x01, 0x23, 0x45,
                                0x67, 0x89, 0xab, 0xcd, 0xef, 0x0f, 0x1e, 0x2d, 0x3c, 0x4b, 0x5a,
                                0x69, 0x78, 0x87, 0x96, 0xa5, 0xb4, 0xc3, 0xd2, 0xe1, 0xf0};
const unsigned char kIv[16] = {0xa0, 0xa1, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7,
                               0xa8, 0xa9, 0xaa, 0xab, 0xac, 0xad, 0xae, 0xaf};
constexpr size_t kBatchLimit = 65536;
constexpr size_t kCipherLimit = 4096;

// The cipher layer without a connection: messages that reach the dispatcher are recorded.
class OfflineLayer : public CCipherLayer {
public:
    OfflineLayer() { FUZZ_EXPECT(AllocateReceiveBuffer()); }
    void OnSendHeartBeat() override {}
    void OnSocketConnect() override {}
    void OnSocketDisconnect() override {}
    void OnSocketHeartBeat(long long) override {}
    void OnSocketCommand(unsigned char* message, long length) override {
        FUZZ_EXPECT(length >= 0);
        messages.emplace_back(reinterpret_cast<const char*>(message), static_cast<size_t>(length));
    }
    void Start(bool encrypted) {
        OnResetSystem();
        messages.clear();
        if (encrypted) {
            std::memcpy(m_szAesKey, kKey, sizeof kKey);
            std::memcpy(m_szAesIV, kIv, sizeof kIv);
        }
        m_bEncrypt = encrypted;
    }
    std::vector<std::string> messages;
};

std::string Deflate(std::string_view data) {
    std::string out;
    FUZZ_EXPECT(BodyCodec::DeflateRaw(data, Z_DEFAULT_COMPRESSION, out));
    return out;
}

// AES-256-CBC under the fixed key; `pad` adds PKCS#7 padding, otherwise `data` is whole blocks.
std::string Aes(std::string_view data, bool encrypt, bool pad) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_CipherInit_ex(ctx, EVP_aes_256_cbc(), nullptr, kKey, kIv, encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(ctx, pad ? 1 : 0);
    std::string out(data.size() + 32, '\0');
    int n = 0;
    int tail = 0;
    EVP_CipherUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &n,
                     reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    EVP_CipherFinal_ex(ctx, reinterpret_cast<unsigned char*>(out.data()) + n, &tail);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<size_t>(n + tail));
    return out;
}

std::string LengthBytes(size_t n) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xff);
    return out;
}

// What an encrypted message gives: nothing when it cannot be decrypted whole; otherwise the
// plain text less as many bytes as its last byte says (at most all of them).
void ExpectDecrypted(std::string_view cipher, std::vector<std::string>& expected) {
    if (cipher.size() > kCipherLimit || cipher.size() % 16 != 0) return;
    std::string plain = Aes(cipher, false, false);
    if (!plain.empty()) {
        const size_t pad = static_cast<unsigned char>(plain.back());
        plain.resize(plain.size() - (pad < plain.size() ? pad : plain.size()));
    }
    expected.push_back(plain);
}

// The messages of inflated batch content: 32-bit little-endian length (at least 1) and the bytes,
// up to the first entry that does not fit.
std::vector<std::string> Entries(std::string_view content) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (content.size() - pos >= 4) {
        uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(content[pos + static_cast<size_t>(i)]);
        if (static_cast<int32_t>(n) < 1 || n > content.size() - pos - 4) break;
        out.emplace_back(content.substr(pos + 4, n));
        pos += 4 + n;
    }
    return out;
}

// Returns false when the bytes hold "FORCE_LOGOUT": the receive path then processes none of them.
bool Deliver(OfflineLayer& layer, std::string_view payload) {
    const std::string frame = FuzzCheck::Frame(payload);
    const bool clean = frame.find("FORCE_LOGOUT") == std::string::npos;
    FUZZ_EXPECT(layer.ReceiveForTest(reinterpret_cast<const uint8_t*>(frame.data()), frame.size()) == clean);
    return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static OfflineLayer* layer = new OfflineLayer();
    if (size < 1) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string> expected;
    bool check = true;
    bool processed = true;
    switch (data[0] % 5) {
        case 0:  // one plain payload as received (a leading 0x01 makes it a batch of unknown content)
            layer->Start(false);
            processed = Deliver(*layer, rest);
            check = rest.empty() || rest[0] != '\x01';
            if (!rest.empty()) expected.emplace_back(rest);
            break;
        case 1: {  // a batch of this content, plain
            layer->Start(false);
            const std::string payload = std::string(1, '\x01') + Deflate(rest);
            processed = Deliver(*layer, payload);
            if (rest.size() <= kBatchLimit)
                expected = Entries(rest);
            else
                expected.push_back(payload);  // too big to inflate: the payload itself goes on
            break;
        }
        case 2:  // cipher bytes as received
            layer->Start(true);
            processed = Deliver(*layer, rest);
            check = rest.empty() || rest[0] != '\x01';
            if (!rest.empty()) ExpectDecrypted(rest, expected);
            break;
        case 3: {  // a message encrypted with the session key
            layer->Start(true);
            const std::string cipher = Aes(rest, true, true);
            processed = Deliver(*layer, cipher);
            check = cipher[0] != '\x01';  // such a cipher text is first tried as a batch
            if (cipher.size() <= kCipherLimit) expected.emplace_back(rest);
            break;
        }
        default: {  // a batch of messages (the input's lines), each encrypted with the session key
            layer->Start(true);
            std::string content;
            std::vector<std::string> ciphers;
            for (std::string_view line : FuzzCheck::Lines(data + 1, size - 1)) {
                ciphers.push_back(Aes(line, true, true));
                content += LengthBytes(ciphers.back().size()) + ciphers.back();
            }
            processed = Deliver(*layer, std::string(1, '\x01') + Deflate(content));
            if (content.size() <= kBatchLimit)
                for (const std::string& c : ciphers) ExpectDecrypted(c, expected);
            else
                check = false;  // the whole payload is then taken as one encrypted message
            break;
        }
    }
    if (!processed) FUZZ_EXPECT(layer->messages.empty());
    if (check && processed) FUZZ_EXPECT(layer->messages == expected);
    return 0;
}
