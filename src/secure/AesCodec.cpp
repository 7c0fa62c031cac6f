#include "secure/AesCodec.h"

#include <openssl/evp.h>

#include <cstring>

namespace {

// One cipher context per thread, reused for every message of that thread.
EVP_CIPHER_CTX* ThreadContext() {
    struct Holder {
        EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
        ~Holder() { EVP_CIPHER_CTX_free(ctx); }
    };
    thread_local Holder holder;
    return holder.ctx;
}

long Run(bool encrypt, const uint8_t key[32], const uint8_t iv[16], const uint8_t* in, size_t length,
         uint8_t* out) {
    EVP_CIPHER_CTX* ctx = ThreadContext();
    if (ctx == nullptr || length > 0x7fffffff) return -1;
    if (EVP_CipherInit_ex(ctx, EVP_aes_256_cbc(), nullptr, key, iv, encrypt ? 1 : 0) != 1) return -1;
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
    if (total > outCapacity) return -1;
    if (length > 0) std::memmove(out, in, length);
    std::memset(out + length, static_cast<int>(pad), pad);
    // CBC in place: each block is read before it is overwritten.
    return Run(true, key, iv, out, total, out);
}

long AesCodec::DecryptStrip(const uint8_t key[32], const uint8_t iv[16], const uint8_t* in, size_t length,
                            uint8_t* out, size_t outCapacity) {
    if (length % kBlock != 0 || length > outCapacity) return -1;
    if (length == 0) return 0;
    const long plain = Run(false, key, iv, in, length, out);
    if (plain != static_cast<long>(length)) return -1;
    size_t pad = out[length - 1];
    if (pad > length) pad = length;
    std::memset(out + length - pad, 0, pad);
    return static_cast<long>(length - pad);
}
