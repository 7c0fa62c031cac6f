#include "secure/COpenRSA.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>
#include <openssl/rsa.h>

#include <cstring>
#include <new>

COpenRSA::~COpenRSA() {
    FreeResouce();
    EVP_PKEY_free(m_pKey);
}

void COpenRSA::FreeResouce() {
    delete[] m_pModulus;
    delete[] m_pExponent;
    m_pModulus = m_pExponent = nullptr;
    m_nModulusLength = m_nExponentLength = 0;
}

bool COpenRSA::SetPublicKey(const uint8_t* modulus, size_t modulusLength, const uint8_t* exponent,
                            size_t exponentLength) {
    FreeResouce();
    EVP_PKEY_free(m_pKey);
    m_pKey = nullptr;
    m_pModulus = new (std::nothrow) uint8_t[modulusLength + 1];
    m_pExponent = new (std::nothrow) uint8_t[exponentLength + 1];
    if (m_pModulus == nullptr || m_pExponent == nullptr) return false;
    std::memcpy(m_pModulus, modulus, modulusLength);
    std::memcpy(m_pExponent, exponent, exponentLength);
    m_nModulusLength = modulusLength;
    m_nExponentLength = exponentLength;

    BIGNUM* n = BN_bin2bn(m_pModulus, static_cast<int>(m_nModulusLength), nullptr);
    BIGNUM* e = BN_bin2bn(m_pExponent, static_cast<int>(m_nExponentLength), nullptr);
    OSSL_PARAM_BLD* bld = OSSL_PARAM_BLD_new();
    OSSL_PARAM* params = nullptr;
    EVP_PKEY_CTX* ctx = nullptr;
    // Only a key that can hide the session key is used: the modulus odd and using all its bytes,
    // the exponent odd and above 1 (an exponent of 1 would send the session key in clear, and an
    // even one cannot belong to an RSA key).
    const bool plausible = n != nullptr && e != nullptr && BN_is_odd(n) &&
                           static_cast<size_t>(BN_num_bits(n)) == m_nModulusLength * 8 && BN_is_odd(e) && !BN_is_one(e);
    bool ok = plausible && bld != nullptr && OSSL_PARAM_BLD_push_BN(bld, OSSL_PKEY_PARAM_RSA_N, n) == 1 &&
              OSSL_PARAM_BLD_push_BN(bld, OSSL_PKEY_PARAM_RSA_E, e) == 1 &&
              (params = OSSL_PARAM_BLD_to_param(bld)) != nullptr &&
              (ctx = EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr)) != nullptr &&
              EVP_PKEY_fromdata_init(ctx) == 1 && EVP_PKEY_fromdata(ctx, &m_pKey, EVP_PKEY_PUBLIC_KEY, params) == 1;
    EVP_PKEY_CTX_free(ctx);
    OSSL_PARAM_free(params);
    OSSL_PARAM_BLD_free(bld);
    BN_free(n);
    BN_free(e);
    if (!ok) {
        EVP_PKEY_free(m_pKey);
        m_pKey = nullptr;
    }
    return ok;
}

size_t COpenRSA::Size() const {
    return m_pKey != nullptr ? static_cast<size_t>(EVP_PKEY_get_size(m_pKey)) : 0;
}

long COpenRSA::PublicEncrypt(const uint8_t* in, size_t length, uint8_t* out, size_t outCapacity) {
    const size_t size = Size();
    if (size == 0 || size > outCapacity) return -1;
    std::memset(out, 0, size);
    EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new(m_pKey, nullptr);
    size_t produced = size;
    const bool ok = ctx != nullptr && EVP_PKEY_encrypt_init(ctx) == 1 &&
                    EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_PKCS1_PADDING) == 1 &&
                    EVP_PKEY_encrypt(ctx, out, &produced, in, length) == 1;
    EVP_PKEY_CTX_free(ctx);
    return ok ? static_cast<long>(produced) : -1;
}
