#include "support/ServerCrypto.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <vector>

#include "foundation/HP.h"

ServerCrypto::ServerCrypto() {
    EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr);
    if (ctx != nullptr && EVP_PKEY_keygen_init(ctx) == 1 && EVP_PKEY_CTX_set_rsa_keygen_bits(ctx, 1024) == 1)
        EVP_PKEY_generate(ctx, &m_pKey);
    EVP_PKEY_CTX_free(ctx);
}

ServerCrypto::~ServerCrypto() {
    EVP_PKEY_free(m_pKey);
}

std::string ServerCrypto::Component(const char* name, size_t length) const {
    BIGNUM* bn = nullptr;
    if (m_pKey == nullptr || EVP_PKEY_get_bn_param(m_pKey, name, &bn) != 1) return std::string();
    std::string out(length, '\0');
    const int n = BN_bn2binpad(bn, reinterpret_cast<unsigned char*>(out.data()), static_cast<int>(length));
    BN_free(bn);
    return n == static_cast<int>(length) ? out : std::string();
}

std::string ServerCrypto::ModulusB64() const {
    const std::string n = Component(OSSL_PKEY_PARAM_RSA_N, 128);
    return HP::EncodeBase64(reinterpret_cast<const unsigned char*>(n.data()), n.size());
}

std::string ServerCrypto::ExponentB64() const {
    const std::string e = Component(OSSL_PKEY_PARAM_RSA_E, 3);
    return HP::EncodeBase64(reinterpret_cast<const unsigned char*>(e.data()), e.size());
}

std::string ServerCrypto::ReplyPublicKey(int requestId, std::string_view errorCode) const {
    return "REPLY_PUBLIC_KEY@" + ModulusB64() + "@" + ExponentB64() + "@@" + std::string(errorCode) + "@@@@@@" +
           std::to_string(requestId) + "&";
}

std::optional<std::string> ServerCrypto::AcceptSendKey(std::string_view payload) {
    EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new(m_pKey, nullptr);
    std::vector<unsigned char> plain(512);
    size_t length = plain.size();
    const bool ok = ctx != nullptr && EVP_PKEY_decrypt_init(ctx) == 1 &&
                    EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_PKCS1_PADDING) == 1 &&
                    EVP_PKEY_decrypt(ctx, plain.data(), &length, reinterpret_cast<const unsigned char*>(payload.data()),
                                     payload.size()) == 1;
    EVP_PKEY_CTX_free(ctx);
    if (!ok) return std::nullopt;
    std::string text(reinterpret_cast<const char*>(plain.data()), length);
    // SEND_KEY@key@iv@@@@@@@@id&
    std::vector<std::string> fields;
    const size_t amp = text.find('&');
    HP::OrvikSplit(text.substr(0, amp), fields, '@');
    if (fields.size() != 11 || fields[0] != "SEND_KEY") return std::nullopt;
    std::string key;
    std::string iv;
    HP::DecodeBase64(reinterpret_cast<const unsigned char*>(fields[1].data()), static_cast<int>(fields[1].size()), key);
    HP::DecodeBase64(reinterpret_cast<const unsigned char*>(fields[2].data()), static_cast<int>(fields[2].size()), iv);
    if (key.size() != 32 || iv.size() != 16) return std::nullopt;
    m_strKey = key;
    m_strIv = iv;
    return text;
}

namespace {

std::optional<std::string> Cbc(bool encrypt, const std::string& key, const std::string& iv, std::string_view in,
                               bool padding = true) {
    if (key.size() != 32 || iv.size() != 16) return std::nullopt;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    std::string out(in.size() + 32, '\0');
    int n = 0;
    int tail = 0;
    const auto* k = reinterpret_cast<const unsigned char*>(key.data());
    const auto* v = reinterpret_cast<const unsigned char*>(iv.data());
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    // OpenSSL's own PKCS#7 padding: the same padding the protocol specifies.
    const bool ok = ctx != nullptr && EVP_CipherInit_ex(ctx, EVP_aes_256_cbc(), nullptr, k, v, encrypt ? 1 : 0) == 1 &&
                    EVP_CIPHER_CTX_set_padding(ctx, padding ? 1 : 0) == 1 &&
                    EVP_CipherUpdate(ctx, o, &n, reinterpret_cast<const unsigned char*>(in.data()),
                                     static_cast<int>(in.size())) == 1 &&
                    EVP_CipherFinal_ex(ctx, o + n, &tail) == 1;
    EVP_CIPHER_CTX_free(ctx);
    if (!ok) return std::nullopt;
    out.resize(static_cast<size_t>(n) + static_cast<size_t>(tail));
    return out;
}

}  // namespace

std::string ServerCrypto::Encrypt(std::string_view plain) const {
    return Cbc(true, m_strKey, m_strIv, plain).value_or(std::string());
}

std::optional<std::string> ServerCrypto::Decrypt(std::string_view cipher) const {
    return Cbc(false, m_strKey, m_strIv, cipher);
}

std::string ServerCrypto::EncryptRaw(std::string_view plain) const {
    return Cbc(true, m_strKey, m_strIv, plain, false).value_or(std::string());
}

std::string ServerCrypto::DecryptRaw(std::string_view cipher) const {
    return Cbc(false, m_strKey, m_strIv, cipher, false).value_or(std::string());
}
