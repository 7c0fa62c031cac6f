#pragma once

#include <cstddef>
#include <cstdint>

typedef struct evp_pkey_st EVP_PKEY;

// The server's RSA public key while the session key message is made.
class COpenRSA {
public:
    COpenRSA() = default;
    virtual ~COpenRSA();
    COpenRSA(const COpenRSA&) = delete;
    COpenRSA& operator=(const COpenRSA&) = delete;

    // Builds the public key from big-endian modulus and exponent bytes; false on failure.
    bool SetPublicKey(const uint8_t* modulus, size_t modulusLength, const uint8_t* exponent, size_t exponentLength);
    // Key size in bytes (128 for a 1024-bit key), 0 without a key.
    size_t Size() const;
    // RSA encryption with PKCS#1 v1.5 padding into `out` (Size() bytes, zero-filled first).
    // Returns the cipher length or -1.
    long PublicEncrypt(const uint8_t* in, size_t length, uint8_t* out, size_t outCapacity);
    // Frees the modulus and exponent copies.
    void FreeResouce();

private:
    EVP_PKEY* m_pKey = nullptr;
    uint8_t* m_pModulus = nullptr;
    size_t m_nModulusLength = 0;
    uint8_t* m_pExponent = nullptr;
    size_t m_nExponentLength = 0;
};
