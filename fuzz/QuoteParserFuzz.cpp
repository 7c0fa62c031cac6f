// The quote record codec: acceptance by shape and item count, and where the items land,
// checked against a plain split of the record text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "market/MarketQuoteParser.h"

namespace {

std::vector<std::string> Split(std::string_view text, char sep) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == sep)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// A delivered text: the item cut to 255 bytes.
std::string Cut(const std::string& item) {
    return item.substr(0, 255);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    MARKET::MarketInfo info;
    const bool read = MarketQuoteParser::ReadString(input, info);
    for (const std::string_view& item : info.m_item) {
        // Every text is a view into the record (or one of the fixed shape letters).
        const bool inside =
            item.empty() || (item.data() >= input.data() && item.data() + item.size() <= input.data() + size);
        FUZZ_EXPECT(inside || item == "Y" || item == "M");
    }

    Quintara::CMarketMarketDataField quote;
    const bool parsed = MarketQuoteParser::Parse(input, &quote);
    FUZZ_EXPECT(parsed == read);
    const char* texts = reinterpret_cast<const char*>(&quote);
    auto member = [&](size_t i) { return std::string(texts + i * 256, strnlen(texts + i * 256, 256)); };
    for (size_t i = 0; i < MARKET::MarketInfo::kDelivered; ++i) FUZZ_EXPECT(FuzzCheck::Terminated(texts + i * 256));

    const std::string_view text = input.substr(0, strnlen(input.data(), size));
    const std::vector<std::string> items = Split(text, '@');
    const size_t count = items.size();
    bool expected = false;
    if (!text.empty()) {
        switch (text.back()) {
            case 'D':
                break;
            case 'Y':
                expected = count >= 6;
                break;
            case 'M':
                expected = count >= 5;
                break;
            default:
                expected = count >= 32;
                break;
        }
    }
    FUZZ_EXPECT(parsed == expected);
    if (!parsed) {
        for (size_t i = 0; i < sizeof quote; ++i) FUZZ_EXPECT(texts[i] == '\0');
        return 0;
    }
    FUZZ_EXPECT(member(0) == Cut(items[0]) && member(1) == Cut(items[1]));
    const char shape = text.back();
    if (shape == 'M') {
        FUZZ_EXPECT(member(MarketQuoteParser::kItem36) == Cut(items[3]));
        FUZZ_EXPECT(member(MarketQuoteParser::kItem37) == Cut(items[2]));
        FUZZ_EXPECT(member(MarketQuoteParser::kRecordType) == "M");
    } else if (shape == 'Y') {
        FUZZ_EXPECT(member(6) == Cut(items[2]) && member(7) == Cut(items[3]));
        FUZZ_EXPECT(member(13) == Cut(items[5]) && member(14) == Cut(items[4]));
        FUZZ_EXPECT(member(MarketQuoteParser::kItem64) == (count == 9 ? Cut(items[7]) : ""));
        FUZZ_EXPECT(member(MarketQuoteParser::kItem59) == (count >= 10 ? Cut(items[6]) : ""));
        FUZZ_EXPECT(member(MarketQuoteParser::kRecordType) == "Y");
    } else {
        for (size_t i = 0; i < 32; ++i)
            if (i != MarketQuoteParser::kItem12) FUZZ_EXPECT(member(i) == Cut(items[i]));
        for (size_t i = 32; i < 36; ++i) FUZZ_EXPECT(member(i) == (i < count ? Cut(items[i]) : ""));
        const std::vector<std::string> parts = Split(items[12], ',');
        if (parts.size() >= 21) {
            FUZZ_EXPECT(member(MarketQuoteParser::kItem12) == Cut(parts[0]));
            FUZZ_EXPECT(member(MarketQuoteParser::kDepthA1) == Cut(parts[1]));
            FUZZ_EXPECT(member(MarketQuoteParser::kDepthA1 + 19) == Cut(parts[20]));  // DepthD5
        } else {
            FUZZ_EXPECT(member(MarketQuoteParser::kItem12) == Cut(items[12]));
            FUZZ_EXPECT(member(MarketQuoteParser::kDepthA1).empty());
        }
        FUZZ_EXPECT(member(MarketQuoteParser::kItem59 + 3) == (count >= 40 ? Cut(items[39]) : ""));
        FUZZ_EXPECT(member(MarketQuoteParser::kItem65) == (count >= 42 ? Cut(items[40]) : ""));
        FUZZ_EXPECT(member(MarketQuoteParser::kRecordType) == Cut(items.back()));
        FUZZ_EXPECT(member(38).empty());
    }
    return 0;
}
