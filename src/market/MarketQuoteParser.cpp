#include "market/MarketQuoteParser.h"

#include <cstddef>
#include <cstring>

#include "foundation/HP.h"

using Quintara::CMarketMarketDataField;

namespace {

// The delivered struct is 66 texts of 256 bytes in a row; MarketInfo indexes them in that order.
constexpr size_t kText = 256;
static_assert(sizeof(CMarketMarketDataField) == MARKET::MarketInfo::kDelivered * kText, "quote layout");
static_assert(offsetof(CMarketMarketDataField, Item38) == 38 * kText, "quote layout");
static_assert(offsetof(CMarketMarketDataField, DepthA1) == MarketQuoteParser::kDepthA1 * kText, "quote layout");
static_assert(offsetof(CMarketMarketDataField, DepthD5) == (MarketQuoteParser::kDepthA1 + 19) * kText, "quote layout");
static_assert(offsetof(CMarketMarketDataField, Item59) == MarketQuoteParser::kItem59 * kText, "quote layout");
static_assert(offsetof(CMarketMarketDataField, RecordType) == MarketQuoteParser::kRecordType * kText, "quote layout");
static_assert(offsetof(CMarketMarketDataField, Item65) == MarketQuoteParser::kItem65 * kText, "quote layout");

// Items of a record that any shape reads: a full quote reads items 0 to 41 (and its last item,
// found separately), so later items need not be stored.
constexpr size_t kStoredItems = 42;
// Item 12 of a full quote: part 0 and five levels of four values; later parts are ignored.
constexpr size_t kDepthParts = 21;
constexpr size_t kLevels = 5;
constexpr size_t kColumns = 4;

constexpr size_t kFullMin = 32;
constexpr size_t kUpdateYMin = 6;
constexpr size_t kUpdateMMin = 5;

void ReadFull(std::string_view text, const std::string_view* items, size_t count, std::string_view* out) {
    for (size_t i = 0; i < 32; ++i) out[i] = items[i];
    for (size_t i = 32; i < 36 && i < count; ++i) out[i] = items[i];

    std::string_view parts[kDepthParts];
    if (HP::SplitView(items[12], ',', parts, kDepthParts) >= kDepthParts) {
        out[MarketQuoteParser::kItem12] = parts[0];
        for (size_t level = 0; level < kLevels; ++level) {
            for (size_t column = 0; column < kColumns; ++column)
                out[MarketQuoteParser::kDepthA1 + column * kLevels + level] = parts[1 + level * kColumns + column];
        }
    }
    if (count >= 40) {
        for (size_t i = 0; i < 4; ++i) out[MarketQuoteParser::kItem59 + i] = items[36 + i];
    }
    out[MarketQuoteParser::kRecordType] = text.substr(text.rfind('@') + 1);
    if (count >= 42) {
        out[MarketQuoteParser::kItem65] = items[40];
        out[MarketQuoteParser::kHidden] = items[41];
    }
}

void ReadUpdateY(const std::string_view* items, size_t count, std::string_view* out) {
    out[0] = items[0];
    out[1] = items[1];
    out[6] = items[2];
    out[7] = items[3];
    out[13] = items[5];
    out[14] = items[4];
    if (count >= 10) {
        for (size_t i = 0; i < 4; ++i) out[MarketQuoteParser::kItem59 + i] = items[6 + i];
    }
    out[MarketQuoteParser::kRecordType] = "Y";
    if (count == 9) out[MarketQuoteParser::kItem64] = items[7];
}

void ReadUpdateM(const std::string_view* items, std::string_view* out) {
    out[0] = items[0];
    out[1] = items[1];
    out[MarketQuoteParser::kItem36] = items[3];
    out[MarketQuoteParser::kItem37] = items[2];
    out[MarketQuoteParser::kRecordType] = "M";
}

}  // namespace

bool MarketQuoteParser::ReadString(std::string_view text, MARKET::MarketInfo& info) {
    for (auto& item : info.m_item) item = std::string_view();
    text = text.substr(0, HP::BoundedLength(text.data(), text.size()));
    if (text.empty()) return false;

    const char shape = text.back();
    if (shape == 'D') return false;
    std::string_view items[kStoredItems];
    const size_t count = HP::SplitView(text, '@', items, kStoredItems);
    switch (shape) {
        case 'Y':
            if (count < kUpdateYMin) return false;
            ReadUpdateY(items, count, info.m_item);
            return true;
        case 'M':
            if (count < kUpdateMMin) return false;
            ReadUpdateM(items, info.m_item);
            return true;
        default:
            if (count < kFullMin) return false;
            ReadFull(text, items, count, info.m_item);
            return true;
    }
}

void MarketQuoteParser::CopyTo(const MARKET::MarketInfo& info, CMarketMarketDataField* out) {
    // Byte access to the struct's representation: member i starts at i * 256 (asserted above).
    char* base = reinterpret_cast<char*>(out);
    for (size_t i = 0; i < MARKET::MarketInfo::kDelivered; ++i) {
        const std::string_view& item = info.m_item[i];
        if (!item.empty()) HP::SafeCopy(base + i * kText, kText, item);
    }
}

bool MarketQuoteParser::Parse(std::string_view text, CMarketMarketDataField* out) {
    std::memset(out, 0, sizeof *out);
    MARKET::MarketInfo info;
    if (!ReadString(text, info)) return false;
    CopyTo(info, out);
    return true;
}
