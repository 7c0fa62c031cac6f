#pragma once

#include <cstdint>
#include <string_view>

// A byte area of fixed capacity. There is no growth: writers copy at most
// capacity minus length bytes and drop the rest.
class CDynBuffer {
public:
    CDynBuffer() = default;
    virtual ~CDynBuffer();
    CDynBuffer(const CDynBuffer&) = delete;
    CDynBuffer& operator=(const CDynBuffer&) = delete;

    // Releases earlier storage, allocates `capacity` zero-filled bytes, length 0.
    // Returns false (and holds no storage) when the allocation fails.
    bool Allocate(int64_t capacity);
    // Frees owned storage; pointer, capacity, length and the external mark become null/0/false.
    void Destroy();

    uint8_t* Data() { return m_pData; }
    const uint8_t* Data() const { return m_pData; }
    int64_t Capacity() const { return m_lCapacity; }
    int64_t Length() const { return m_lLength; }
    int64_t Free() const { return m_lCapacity - m_lLength; }
    // Sets the length in use, clamped to [0, capacity].
    void SetLength(int64_t length);
    // Appends at most Free() bytes of `data`; returns the count copied.
    int64_t Append(const void* data, int64_t length);
    // Length 0, then Append.
    int64_t Assign(const void* data, int64_t length);
    // Removes `count` bytes from the front and moves the rest to the start.
    void Consume(int64_t count);
    std::string_view View() const {
        return std::string_view(reinterpret_cast<const char*>(m_pData), static_cast<size_t>(m_lLength));
    }

private:
    bool m_bExternal = false;  // storage not owned (never the case in this library)
    uint8_t* m_pData = nullptr;
    int64_t m_lCapacity = 0;
    int64_t m_lLength = 0;
};
