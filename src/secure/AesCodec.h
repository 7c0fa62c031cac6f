#pragma once

#include <cstddef>
#include <cstdint>

// AES-256-CBC of the message payloads. Every message starts from the connection's stored IV;
// nothing chains from one message to the next.
class AesCodec {
public:
    static constexpr size_t kBlock = 16;

    // PKCS#7-pads `in` (1 to 16 bytes, each of the pad's value) and encrypts it into `out`.
    // Returns the cipher length, or -1 when it does not fit `outCapacity` or encryption fails.
    static long EncryptPadded(const uint8_t key[32], const uint8_t iv[16], const uint8_t* in, size_t length,
                              uint8_t* out, size_t outCapacity);

    // Decrypts `in` into `out` and removes the padding the last byte names (at most the whole
    // message; the pad bytes are zeroed). Returns the plain length, or -1 when the length is not a
    // whole number of blocks, does not fit `outCapacity`, or decryption fails.
    static long DecryptStrip(const uint8_t key[32], const uint8_t iv[16], const uint8_t* in, size_t length,
                             uint8_t* out, size_t outCapacity);
};
