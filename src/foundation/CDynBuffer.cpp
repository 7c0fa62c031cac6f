#include "foundation/CDynBuffer.h"

#include <cstring>
#include <new>

CDynBuffer::~CDynBuffer() {
    Destroy();
}

bool CDynBuffer::Allocate(int64_t capacity) {
    Destroy();
    if (capacity < 0) {
        return false;
    }
    if (capacity == 0) {
        return true;
    }
    m_pData = new (std::nothrow) uint8_t[static_cast<size_t>(capacity)]();
    if (m_pData == nullptr) {
        return false;
    }
    m_lCapacity = capacity;
    return true;
}

void CDynBuffer::Destroy() {
    if (!m_bExternal) {
        delete[] m_pData;
    }
    m_pData = nullptr;
    m_lCapacity = 0;
    m_lLength = 0;
    m_bExternal = false;
}

void CDynBuffer::SetLength(int64_t length) {
    if (length < 0) {
        length = 0;
    } else if (length > m_lCapacity) {
        length = m_lCapacity;
    }
    m_lLength = length;
}

int64_t CDynBuffer::Append(const void* data, int64_t length) {
    if (data == nullptr || length <= 0 || m_pData == nullptr) {
        return 0;
    }
    int64_t count = length < Free() ? length : Free();
    if (count <= 0) {
        return 0;
    }
    // memmove: the source may lie inside this buffer (Assign of a part of its own contents).
    std::memmove(m_pData + m_lLength, data, static_cast<size_t>(count));
    m_lLength += count;
    return count;
}

int64_t CDynBuffer::Assign(const void* data, int64_t length) {
    m_lLength = 0;
    return Append(data, length);
}

void CDynBuffer::Consume(int64_t count) {
    if (count <= 0) {
        return;
    }
    if (count >= m_lLength) {
        m_lLength = 0;
        return;
    }
    std::memmove(m_pData, m_pData + count, static_cast<size_t>(m_lLength - count));
    m_lLength -= count;
}
