#include "support/MessageBuilder.h"

#include <zlib.h>

#include <stdexcept>

#include "foundation/HP.h"
#include "secure/BodyCodec.h"

namespace MessageBuilder {

std::string Message(std::initializer_list<std::string_view> headFields, std::string_view body) {
    std::string text;
    size_t i = 0;
    for (std::string_view field : headFields) {
        if (i == 11) break;
        if (i != 0) text += '@';
        text.append(field.data(), field.size());
        ++i;
    }
    for (; i < 11; ++i)
        if (i != 0) text += '@';
    text += '&';
    text.append(body.data(), body.size());
    return text;
}

std::string Answer(std::string_view code, int requestId, std::string_view errorCode, std::string_view body,
                   std::string_view mode) {
    const std::string id = std::to_string(requestId);
    return Message({code, "", "", "", errorCode, "", "", "", "", mode, id}, body);
}

namespace {

std::string Join(std::initializer_list<std::string_view> items, char sep) {
    std::string text;
    bool first = true;
    for (std::string_view item : items) {
        if (!first) text += sep;
        text.append(item.data(), item.size());
        first = false;
    }
    return text;
}

}  // namespace

std::string Record(std::initializer_list<std::string_view> fields) {
    return Join(fields, '@');
}

std::string Records(std::initializer_list<std::string_view> records) {
    return Join(records, '^');
}

std::string Deflate(std::string_view data) {
    std::string out;
    if (!BodyCodec::DeflateRaw(data, Z_BEST_COMPRESSION, out)) throw std::runtime_error("deflate");
    return out;
}

std::string CompressedBody(std::string_view text) {
    const std::string packed = Deflate(text);
    return HP::EncodeBase64(reinterpret_cast<const unsigned char*>(packed.data()), packed.size());
}

std::string LengthBytes(int32_t length) {
    const auto v = static_cast<uint32_t>(length);
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xff);
    return out;
}

std::string BatchEntries(const std::vector<std::string>& messages) {
    std::string out;
    for (const auto& m : messages) {
        out += LengthBytes(static_cast<int32_t>(m.size()));
        out += m;
    }
    return out;
}

std::string BatchPayload(std::string_view entries) {
    return std::string(1, '\x01') + Deflate(entries);
}

std::string Frame(std::string_view payload) {
    std::string frame = "{(len=" + std::to_string(payload.size()) + ")";
    frame.append(payload.data(), payload.size());
    frame += '}';
    return frame;
}

}  // namespace MessageBuilder
