#include "RsaKeyPair.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <vector>

#include "foundation/HP.h"

RsaKeyPair::RsaKeyPair() {
    EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr);
    if (ctx != nullptr && EVP_PKEY_keygen_init(ctx) == 1 && EVP_PKEY_CTX_set_rsa_keygen_bits(ctx, 1024) == 1)
        EVP_PKEY_generate(ctx, &m_pKey);
    EVP_PKEY_CTX_free(ctx);
    // The library takes exactly a 128-byte modulus and a 3-byte exponent (65537).
    const std::string n = Component(OSSL_PKEY_PARAM_RSA_N, 128);
    const std::string e = Component(OSSL_PKEY_PARAM_RSA_E, 3);
    if (!n.empty()) m_strModulusB64 = HP::EncodeBase64(reinterpret_cast<const unsigned char*>(n.data()), n.size());
    if (!e.empty()) m_strExponentB64 = HP::EncodeBase64(reinterpret_cast<const unsigned char*>(e.data()), e.size());
}

RsaKeyPair::~RsaKeyPair() {
    EVP_PKEY_free(m_pKey);
}

std::string RsaKeyPair::Component(const char* name, size_t length) const {
    BIGNUM* bn = nullptr;
    if (m_pKey == nullptr || EVP_PKEY_get_bn_param(m_pKey, name, &bn) != 1) return std::string();
    std::string out(length, '\0');
    const int n = BN_bn2binpad(bn, reinterpret_cast<unsigned char*>(out.data()), static_cast<int>(length));
    BN_free(bn);
    return n == static_cast<int>(length) ? out : std::string();
}

std::optional<std::string> RsaKeyPair::Decrypt(std::string_view cipher) const {
    if (m_pKey == nullptr || cipher.size() != 128) return std::nullopt;
    EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new(m_pKey, nullptr);
    std::vector<unsigned char> plain(256);
    size_t length = plain.size();
    const bool ok = ctx != nullptr && EVP_PKEY_decrypt_init(ctx) == 1 &&
                    EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_PKCS1_PADDING) == 1 &&
                    EVP_PKEY_decrypt(ctx, plain.data(), &length, reinterpret_cast<const unsigned char*>(cipher.data()),
                                     cipher.size()) == 1;
    EVP_PKEY_CTX_free(ctx);
    if (!ok) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(plain.data()), length);
}
