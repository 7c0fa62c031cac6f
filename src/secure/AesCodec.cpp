#include "secure/AesCodec.h"

#include <openssl/evp.h>

#include <cstring>

namespace {

// AES-256-CBC, fetched from the provider once for the whole process.
EVP_CIPHER* Cipher() {
    static EVP_CIPHER* const cipher = EVP_CIPHER_fetch(nullptr, "AES-256-CBC", nullptr);
    return cipher;
}

// One encryption and one decryption context per thread, set up with the cipher on first use and
// afterwards only given a new key and IV, so no context is made per message.
class ThreadContexts {
public:
    ThreadContexts() : m_pEncrypt(Make(1)), m_pDecrypt(Make(0)) {}
    ~ThreadContexts() {
        EVP_CIPHER_CTX_free(m_pEncrypt);
        EVP_CIPHER_CTX_free(m_pDecrypt);
    }
    ThreadContexts(const ThreadContexts&) = delete;
    ThreadContexts& operator=(const ThreadContexts&) = delete;

    EVP_CIPHER_CTX* Get(bool encrypt) const { return encrypt ? m_pEncrypt : m_pDecrypt; }

private:
    static EVP_CIPHER_CTX* Make(int encrypt) {
        EVP_CIPHER* cipher = Cipher();
        EVP_CIPHER_CTX* ctx = cipher != nullptr ? EVP_CIPHER_CTX_new() : nullptr;
        if (ctx != nullptr && EVP_CipherInit_ex2(ctx, cipher, nullptr, nullptr, encrypt, nullptr) != 1) {
            EVP_CIPHER_CTX_free(ctx);
            ctx = nullptr;
        }
        return ctx;
    }

    EVP_CIPHER_CTX* m_pEncrypt;
    EVP_CIPHER_CTX* m_pDecrypt;
};

long Run(bool encrypt, const uint8_t key[32], const uint8_t iv[16], const uint8_t* in, size_t length, uint8_t* out) {
    thread_local ThreadContexts contexts;
    EVP_CIPHER_CTX* ctx = contexts.Get(encrypt);
    if (ctx == nullptr || length > 0x7fffffff) return -1;
    if (EVP_CipherInit_ex2(ctx, nullptr, key, iv, encrypt ? 1 : 0, nullptr) != 1) return -1;
    // The payload is padded by the protocol itself, never by the cipher.
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    int produced = 0;
    int tail = 0;
    if (EVP_CipherUpdate(ctx, out, &produced, in, static_cast<int>(length)) != 1) return -1;
    if (EVP_CipherFinal_ex(ctx, out + produced, &tail) != 1) return -1;
    return produced + tail;
}

}  // namespace

long AesCodec::EncryptPadded(const uint8_t key[32], const uint8_t iv[16], const uint8_t* in, size_t length,
                             uint8_t* out, size_t outCapacity) {
    const size_t pad = kBlock - length % kBlock;
    const size_t total = length + pad;
    if (out == nullptr || total > outCapacity || (in == nullptr && length > 0)) return -1;
    if (length > 0) std::memmove(out, in, length);
    std::memset(out + length, static_cast<int>(pad), pad);
    // CBC in place: each block is read before it is overwritten.
    return Run(true, key, iv, out, total, out);
}

long AesCodec::DecryptStrip(const uint8_t key[32], const uint8_t iv[16], const uint8_t* in, size_t length, uint8_t* out,
                            size_t outCapacity) {
    // A partial last block cannot be decrypted: the caller drops such a message.
    if (length % kBlock != 0 || length > outCapacity) return -1;
    if (length == 0) return 0;
    if (in == nullptr || out == nullptr) return -1;
    const long plain = Run(false, key, iv, in, length, out);
    if (plain != static_cast<long>(length)) return -1;
    // Whatever the last byte says is removed, up to the whole message.
    size_t pad = out[length - 1];
    if (pad > length) pad = length;
    std::memset(out + length - pad, 0, pad);
    return static_cast<long>(length - pad);
}
