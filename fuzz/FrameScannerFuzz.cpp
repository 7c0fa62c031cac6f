// The frame scanner over a growing buffer: the input arrives in chunks, as reads from a socket
// would deliver it, and must give the same payloads as the whole input scanned at once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "net/FrameScanner.h"

namespace {

class PayloadList : public FrameScanner::IPayloadSink {
public:
    explicit PayloadList(const uint8_t* begin, const uint8_t* end) : m_pBegin(begin), m_pEnd(end) {}
    void OnFramePayload(const uint8_t* payload, size_t length) override {
        FUZZ_EXPECT(length >= 1);
        FUZZ_EXPECT(payload >= m_pBegin && payload + length < m_pEnd);  // the closing "}" is buffered too
        FUZZ_EXPECT(payload[length] == '}');
        payloads.emplace_back(reinterpret_cast<const char*>(payload), length);
    }
    void Rebase(const uint8_t* begin, const uint8_t* end) {
        m_pBegin = begin;
        m_pEnd = end;
    }
    std::vector<std::string> payloads;

private:
    const uint8_t* m_pBegin;
    const uint8_t* m_pEnd;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first two bytes choose the chunk sizes; the rest is the received stream.
    uint32_t state = static_cast<uint32_t>(data[0]) << 8 | data[1];
    const uint8_t* stream = data + 2;
    const size_t length = size - 2;

    PayloadList whole(stream, stream + length);
    const size_t used = FrameScanner::Scan(stream, length, whole);
    FUZZ_EXPECT(used <= length);

    // The receive buffer: bytes arrive at its end, consumed bytes leave from its front.
    std::vector<uint8_t> buffer;
    PayloadList chunked(nullptr, nullptr);
    size_t offset = 0;
    while (offset < length) {
        state = state * 1103515245u + 12345u;
        size_t chunk = 1 + (state >> 16) % 64;
        if (chunk > length - offset) chunk = length - offset;
        buffer.insert(buffer.end(), stream + offset, stream + offset + chunk);
        offset += chunk;
        chunked.Rebase(buffer.data(), buffer.data() + buffer.size());
        const size_t consumed = FrameScanner::Scan(buffer.data(), buffer.size(), chunked);
        FUZZ_EXPECT(consumed <= buffer.size());
        buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(consumed));
    }
    FUZZ_EXPECT(chunked.payloads == whole.payloads);
    FUZZ_EXPECT(buffer.size() == length - used);

    // A frame written with the library's own header comes back whole.
    if (length >= 1) {
        const std::string frame = FuzzCheck::Frame(std::string_view(reinterpret_cast<const char*>(stream), length));
        PayloadList one(reinterpret_cast<const uint8_t*>(frame.data()),
                        reinterpret_cast<const uint8_t*>(frame.data()) + frame.size());
        FUZZ_EXPECT(FrameScanner::Scan(reinterpret_cast<const uint8_t*>(frame.data()), frame.size(), one) ==
                    frame.size());
        FUZZ_EXPECT(one.payloads.size() == 1 &&
                    one.payloads[0] == std::string(reinterpret_cast<const char*>(stream), length));
    }
    return 0;
}
