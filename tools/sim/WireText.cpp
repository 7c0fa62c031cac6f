#include "WireText.h"

#include <zlib.h>

#include <cstdio>
#include <ctime>

#include "foundation/Decimal.h"
#include "foundation/HP.h"
#include "net/FrameScanner.h"
#include "secure/BodyCodec.h"
#include "secure/NetInfo.h"

namespace WireText {

std::string Message(const std::vector<std::string>& headFields, std::string_view body) {
    NetInfo info;
    for (size_t i = 0; i < headFields.size() && i < NetInfo::kFields; ++i) info.m_strField[i] = headFields[i];
    info.m_strBody = body;
    return info.MyToString();
}

std::string Answer(std::string_view code, int requestId, std::string_view errorCode, std::string_view body,
                   std::string_view mode) {
    return Message({std::string(code), "", "", "", std::string(errorCode), "", "", "", "", std::string(mode),
                    std::to_string(requestId)},
                   body);
}

std::string Record(const std::vector<std::string>& fields) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) text += '@';
        for (char c : fields[i]) text += (c == '@' || c == '^' || c == '&') ? ' ' : c;
    }
    return text;
}

std::string RecordAt(size_t count, std::initializer_list<std::pair<size_t, std::string>> at) {
    std::vector<std::string> fields(count);
    for (const auto& [pos, text] : at)
        if (pos < count) fields[pos] = text;
    return Record(fields);
}

std::string Join(const std::vector<std::string>& records, char sep) {
    std::string text;
    for (size_t i = 0; i < records.size(); ++i) {
        if (i != 0) text += sep;
        text += records[i];
    }
    return text;
}

std::string Deflate(std::string_view data) {
    std::string out;
    BodyCodec::DeflateRaw(data, Z_DEFAULT_COMPRESSION, out);  // empty when zlib fails
    return out;
}

std::string CompressedBody(std::string_view text) {
    const std::string packed = Deflate(text);
    return HP::EncodeBase64(reinterpret_cast<const unsigned char*>(packed.data()), packed.size());
}

std::string BatchPayload(const std::vector<std::string>& messages) {
    std::string entries;
    for (const auto& m : messages) {
        const auto n = static_cast<uint32_t>(m.size());
        for (int i = 0; i < 4; ++i) entries += static_cast<char>((n >> (8 * i)) & 0xff);
        entries += m;
    }
    return std::string(1, '\x01') + Deflate(entries);
}

std::string Frame(std::string_view payload) {
    char header[FrameScanner::kMaxHeaderLength + 1];
    const size_t n = FrameScanner::WriteHeader(header, payload.size());
    std::string frame(header, n);
    frame.append(payload.data(), payload.size());
    frame += '}';
    return frame;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals < 0 ? 0 : decimals, value);
    return text;
}

std::string Dec(double value) {
    return Decimal(value).str();
}

namespace {

std::tm LocalNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

}  // namespace

std::string DateTimeNow() {
    const std::tm tm = LocalNow();
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}
std::string TimeNow() {
    const std::tm tm = LocalNow();
    char text[64];
    std::strftime(text, sizeof text, "%H:%M:%S", &tm);
    return text;
}
std::string DateNow() {
    const std::tm tm = LocalNow();
    char text[64];
    std::strftime(text, sizeof text, "%Y%m%d", &tm);
    return text;
}

}  // namespace WireText
