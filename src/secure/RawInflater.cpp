#include "secure/RawInflater.h"

RawInflater::~RawInflater() {
    if (m_bReady) inflateEnd(&m_zs);
}

z_stream* RawInflater::Begin() {
    if (m_bReady) {
        if (inflateReset(&m_zs) == Z_OK) return &m_zs;
        inflateEnd(&m_zs);
        m_bReady = false;
    }
    m_zs = z_stream{};
    if (inflateInit2(&m_zs, -15) != Z_OK) return nullptr;
    m_bReady = true;
    return &m_zs;
}
