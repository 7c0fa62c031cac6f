#pragma once

#include <zlib.h>

// One raw-DEFLATE inflate state (window bits -15), made on first use and reset for every further
// stream: inflating allocates nothing after the first stream.
class RawInflater {
public:
    RawInflater() = default;
    ~RawInflater();
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // Starts a new stream (whatever happened to the last one). Returns the stream to feed, or
    // nullptr when zlib cannot make the state.
    z_stream* Begin();

private:
    z_stream m_zs{};
    bool m_bReady = false;
};
