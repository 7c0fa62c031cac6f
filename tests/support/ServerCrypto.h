#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

typedef struct evp_pkey_st EVP_PKEY;

// The server's side of the key exchange, written independently of the library's cipher code:
// an RSA-1024 key pair, the "REPLY_PUBLIC_KEY" message, decryption of the 128-byte "SEND_KEY"
// frame, and AES-256-CBC with PKCS#7 padding (from the session IV for every message) both ways.
class ServerCrypto {
public:
    ServerCrypto();  // makes a fresh key pair
    ~ServerCrypto();
    ServerCrypto(const ServerCrypto&) = delete;
    ServerCrypto& operator=(const ServerCrypto&) = delete;

    bool Valid() const { return m_pKey != nullptr; }
    // Base64 of the modulus (128 bytes) and of the public exponent (3 bytes), big-endian.
    std::string ModulusB64() const;
    std::string ExponentB64() const;
    // "REPLY_PUBLIC_KEY" with the key in fields 1 and 2, the error code in 4 and the id in 10.
    std::string ReplyPublicKey(int requestId, std::string_view errorCode = "0") const;

    // Decrypts a "SEND_KEY" payload with the private key and takes the session key and IV from its
    // fields 1 and 2. Returns the plain message text; nullopt when it cannot be read.
    std::optional<std::string> AcceptSendKey(std::string_view payload);
    const std::string& Key() const { return m_strKey; }  // 32 bytes once accepted
    const std::string& Iv() const { return m_strIv; }    // 16 bytes once accepted
    // Sets the session key and IV directly (tests of the cipher pieces without an exchange).
    void SetSession(std::string key, std::string iv) {
        m_strKey = std::move(key);
        m_strIv = std::move(iv);
    }

    // AES-256-CBC of a message with PKCS#7 padding, under the accepted key.
    std::string Encrypt(std::string_view plain) const;
    // The reverse; nullopt for a wrong length or wrong padding.
    std::optional<std::string> Decrypt(std::string_view cipher) const;
    // Without padding either way (`data` a whole number of blocks): to make or read any last byte.
    std::string EncryptRaw(std::string_view plain) const;
    std::string DecryptRaw(std::string_view cipher) const;

private:
    std::string Component(const char* name, size_t length) const;

    EVP_PKEY* m_pKey = nullptr;
    std::string m_strKey;
    std::string m_strIv;
};
