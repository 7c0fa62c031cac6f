#include "secure/CCipherLayer.h"

#include <openssl/rand.h>

#include <cstdio>
#include <cstring>

#include "foundation/HP.h"
#include "secure/COpenRSA.h"
#include "secure/NetInfo.h"
#include "secure/OrvikCode.h"

CCipherLayer::CCipherLayer() : m_spDecompress(std::make_shared<DecompressTool>()) {
    std::memset(m_szUnzip, 0, sizeof m_szUnzip);
}

CCipherLayer::~CCipherLayer() {
    OPENSSL_cleanse(m_szAesKey, sizeof m_szAesKey);
    OPENSSL_cleanse(m_szAesIV, sizeof m_szAesIV);
}

int CCipherLayer::SendBinData(const unsigned char* data, long length, long delayMs) {
    return SendFrame(data, length, delayMs);
}

long CCipherLayer::EncryptForSend(std::string_view message, uint8_t* out, size_t capacity) {
    if (message.size() > kMaxEncryptedMessage) return -1;
    unsigned char key[32];
    unsigned char iv[16];
    {
        std::lock_guard<std::mutex> lock(m_mtxKey);
        std::memcpy(key, m_szAesKey, sizeof key);
        std::memcpy(iv, m_szAesIV, sizeof iv);
    }
    const long n = AesCodec::EncryptPadded(key, iv, reinterpret_cast<const uint8_t*>(message.data()), message.size(),
                                           out, capacity);
    OPENSSL_cleanse(key, sizeof key);
    return n;
}

int CCipherLayer::SendCommand(std::string_view message, std::string_view logText) {
    const std::string_view logged = logText.empty() ? message : logText;
    if (!m_bEncrypt) {
        const int result =
            SendBinData(reinterpret_cast<const unsigned char*>(message.data()), static_cast<long>(message.size()), 0);
        RecordSendLog(logged, result);
        return result;
    }
    // The area belongs to this call: two threads may send at once.
    uint8_t cipher[kCipherArea + AesCodec::kBlock];
    const long length = EncryptForSend(message, cipher, sizeof cipher);
    if (length < 0) return -1;  // too long for an encrypted message: not sent, not logged
    const int result = SendBinData(cipher, length, 0);
    RecordSendLog(logged, result);
    return result;
}

int CCipherLayer::SendCommand(const char* message, long /*unused*/, bool useLogText, const char* logText) {
    const std::string_view text(message != nullptr ? message : "");
    const std::string_view log(useLogText && logText != nullptr ? logText : "");
    return SendCommand(text, log);
}

bool CCipherLayer::SendAesKey(const std::string& modulusB64, const std::string& exponentB64, std::string& error,
                              int requestId) {
    RecordActionLog("SendAesKey");
    std::string modulus;
    std::string exponent;
    HP::DecodeBase64(reinterpret_cast<const unsigned char*>(modulusB64.data()), static_cast<int>(modulusB64.size()),
                     modulus);
    HP::DecodeBase64(reinterpret_cast<const unsigned char*>(exponentB64.data()), static_cast<int>(exponentB64.size()),
                     exponent);
    if (modulus.size() != 128 || exponent.size() != 3) {
        error = "modulus or exponent size is wrong";
        return false;
    }
    COpenRSA rsa;
    if (!rsa.SetPublicKey(reinterpret_cast<const uint8_t*>(modulus.data()), modulus.size(),
                          reinterpret_cast<const uint8_t*>(exponent.data()), exponent.size())) {
        error = "public key cannot be built";
        return false;
    }
    // The session key and IV come from the cryptographic generator: nobody can recompute them.
    unsigned char key[32];
    unsigned char iv[16];
    if (RAND_bytes(key, sizeof key) != 1 || RAND_bytes(iv, sizeof iv) != 1) {
        error = "session key cannot be made";
        return false;
    }
    std::string keyText = HP::EncodeBase64(key, sizeof key);
    std::string ivText = HP::EncodeBase64(iv, sizeof iv);
    char id[16];
    std::snprintf(id, sizeof id, "%d", requestId);
    NetInfo message;
    message.m_strField[0] = OrvikCode::SendKey;
    message.m_strField[1] = keyText;
    message.m_strField[2] = ivText;
    message.m_strField[10] = id;
    std::string text = message.MyToString();

    RecordActionLog("PublicKeyEncrypt");
    uint8_t cipher[512];
    const long cipherLength =
        rsa.PublicEncrypt(reinterpret_cast<const uint8_t*>(text.data()), text.size(), cipher, sizeof cipher);
    // Nothing but the RSA cipher text keeps the session key outside the cipher layer.
    OPENSSL_cleanse(text.data(), text.size());
    OPENSSL_cleanse(keyText.data(), keyText.size());
    OPENSSL_cleanse(ivText.data(), ivText.size());
    if (cipherLength <= 0) {
        OPENSSL_cleanse(key, sizeof key);
        OPENSSL_cleanse(iv, sizeof iv);
        error = "session key cannot be encrypted";
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_mtxKey);
        std::memcpy(m_szAesKey, key, sizeof key);
        std::memcpy(m_szAesIV, iv, sizeof iv);
    }
    OPENSSL_cleanse(key, sizeof key);
    OPENSSL_cleanse(iv, sizeof iv);
    RecordActionLog("启动加密连接模式");
    m_bEncrypt = true;
    const int result = SendBinData(cipher, cipherLength, 0);
    // The log copy never carries the session key: whoever reads the log could decrypt the traffic.
    message.m_strField[1] = OrvikCode::PasswdShow;
    message.m_strField[2] = OrvikCode::PasswdShow;
    RecordSendLog(message.MyToString(), result);
    return true;
}

void CCipherLayer::UseSessionKeyForTest(const uint8_t (&key)[32], const uint8_t (&iv)[16]) {
    {
        std::lock_guard<std::mutex> lock(m_mtxKey);
        std::memcpy(m_szAesKey, key, sizeof key);
        std::memcpy(m_szAesIV, iv, sizeof iv);
    }
    m_bEncrypt = true;
}

void CCipherLayer::OnResetSystem() {
    m_bEncrypt = false;
    m_bufRecv.SetLength(0);
}

int CCipherLayer::OnProcessRecv() {
    const size_t consumed = FrameScanner::Scan(m_bufRecv.Data(), static_cast<size_t>(m_bufRecv.Length()), *this);
    m_bufRecv.Consume(static_cast<int64_t>(consumed));
    return static_cast<int>(m_bufRecv.Length());
}

void CCipherLayer::OnFramePayload(const uint8_t* payload, size_t length) {
    auto* data = const_cast<unsigned char*>(payload);
    if (length == 0 || payload[0] != 0x01) {
        OnOrvikProtocol(data, static_cast<long>(length));
        return;
    }
    // m_szUnzip is zero before each batch: what the last batch wrote is cleared, nothing more.
    std::memset(m_szUnzip, 0, m_nUnzipUsed);
    size_t total = 0;
    auto* unzip = reinterpret_cast<uint8_t*>(m_szUnzip);
    const bool inflated =
        m_spDecompress->InflateBatch(payload + 1, length - 1, unzip, sizeof m_szUnzip, &total, &m_nUnzipUsed);
    if (!inflated) {
        std::fputs("doDeCompress err!\n", stdout);
        std::fflush(stdout);
        RecordError("解压错误！");
        OnOrvikProtocol(data, static_cast<long>(length));
        return;
    }
    ForEachBatchEntry(unzip, total, [this](const uint8_t* message, size_t n) {
        OnOrvikProtocol(const_cast<unsigned char*>(message), static_cast<long>(n));
    });
}

void CCipherLayer::OnOrvikProtocol(unsigned char* data, long length) {
    if (data == nullptr || length < 0) return;
    if (!m_bEncrypt) {
        RecordRecvLog(std::string_view(reinterpret_cast<const char*>(data), static_cast<size_t>(length)));
        OnSocketCommand(data, length);
        return;
    }
    if (length > static_cast<long>(kCipherArea)) return;
    if (length % static_cast<long>(AesCodec::kBlock) != 0) {
        // A partial cipher block cannot be decrypted whole: the message is dropped.
        RecordError("加密消息长度不是16的整数倍，已丢弃（%ld字节）", length);
        return;
    }
    const long plain =
        AesCodec::DecryptStrip(m_szAesKey, m_szAesIV, data, static_cast<size_t>(length), m_szPlain, kCipherArea);
    if (plain < 0) {
        RecordError("解密失败，已丢弃（%ld字节）", length);
        return;
    }
    m_szPlain[plain] = '\0';
    RecordRecvLog(std::string_view(reinterpret_cast<const char*>(m_szPlain), static_cast<size_t>(plain)));
    OnSocketCommand(m_szPlain, plain);
}
