#pragma once

#include <optional>
#include <string>
#include <string_view>

typedef struct evp_pkey_st EVP_PKEY;

// The server's RSA-1024 key pair for the key exchange: the public key for "REPLY_PUBLIC_KEY"
// (modulus 128 bytes and exponent 3 bytes, big-endian, Base64) and PKCS#1 v1.5 decryption of the
// client's 128-byte "SEND_KEY" frame.
class RsaKeyPair {
public:
    RsaKeyPair();  // makes a fresh key pair
    ~RsaKeyPair();
    RsaKeyPair(const RsaKeyPair&) = delete;
    RsaKeyPair& operator=(const RsaKeyPair&) = delete;

    bool Valid() const { return m_pKey != nullptr && !m_strModulusB64.empty() && !m_strExponentB64.empty(); }
    const std::string& ModulusB64() const { return m_strModulusB64; }
    const std::string& ExponentB64() const { return m_strExponentB64; }
    // The plain text of an encrypted block; nullopt when it does not decrypt.
    std::optional<std::string> Decrypt(std::string_view cipher) const;

private:
    std::string Component(const char* name, size_t length) const;

    EVP_PKEY* m_pKey = nullptr;
    std::string m_strModulusB64;
    std::string m_strExponentB64;
};
