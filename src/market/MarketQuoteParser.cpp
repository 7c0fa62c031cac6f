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

// The shapes below hand every text they fill to put(index, text), each index at most once, in
// MarketInfo's numbering. A record is checked whole before the first text is handed over.
template <class Put>
void ReadFull(std::string_view last, const std::string_view* items, size_t count, Put& put) {
    HP::ViewSlots<kDepthParts> slots;
    const std::string_view* parts = slots.view;
    const bool depth = HP::SplitView(items[12], ',', slots.view, kDepthParts) >= kDepthParts;
    for (size_t i = 0; i < 32; ++i) {
        if (i != MarketQuoteParser::kItem12) put(i, items[i]);
    }
    for (size_t i = 32; i < 36 && i < count; ++i) put(i, items[i]);
    put(MarketQuoteParser::kItem12, depth ? parts[0] : items[12]);
    if (depth) {
        for (size_t level = 0; level < kLevels; ++level) {
            for (size_t column = 0; column < kColumns; ++column)
                put(MarketQuoteParser::kDepthA1 + column * kLevels + level, parts[1 + level * kColumns + column]);
        }
    }
    if (count >= 40) {
        for (size_t i = 0; i < 4; ++i) put(MarketQuoteParser::kItem59 + i, items[36 + i]);
    }
    put(MarketQuoteParser::kRecordType, last);
    if (count >= 42) {
        put(MarketQuoteParser::kItem65, items[40]);
        put(MarketQuoteParser::kHidden, items[41]);
    }
}

template <class Put>
void ReadUpdateY(const std::string_view* items, size_t count, Put& put) {
    put(0, items[0]);
    put(1, items[1]);
    put(6, items[2]);
    put(7, items[3]);
    put(13, items[5]);
    put(14, items[4]);
    if (count >= 10) {
        for (size_t i = 0; i < 4; ++i) put(MarketQuoteParser::kItem59 + i, items[6 + i]);
    }
    put(MarketQuoteParser::kRecordType, std::string_view("Y"));
    if (count == 9) put(MarketQuoteParser::kItem64, items[7]);
}

template <class Put>
void ReadUpdateM(const std::string_view* items, Put& put) {
    put(0, items[0]);
    put(1, items[1]);
    put(MarketQuoteParser::kItem36, items[3]);
    put(MarketQuoteParser::kItem37, items[2]);
    put(MarketQuoteParser::kRecordType, std::string_view("M"));
}

// Splits the record (up to its first NUL) and hands its texts to `put` by its shape; false when
// the record is rejected (empty, shape 'D', or too few items for its shape).
template <class Put>
bool ReadRecord(std::string_view text, Put&& put) {
    // One pass finds the items, the end of the text (its first NUL) and the last item.
    HP::ViewSlots<kStoredItems> slots;
    const std::string_view* items = slots.view;
    const HP::SplitResult split = HP::SplitItems(text, '@', slots.view, kStoredItems);
    if (split.length == 0) return false;
    const size_t count = split.count;
    switch (text[split.length - 1]) {
        case 'D':
            return false;
        case 'Y':
            if (count < kUpdateYMin) return false;
            ReadUpdateY(items, count, put);
            return true;
        case 'M':
            if (count < kUpdateMMin) return false;
            ReadUpdateM(items, put);
            return true;
        default:
            if (count < kFullMin) return false;
            ReadFull(split.last, items, count, put);
            return true;
    }
}

// Copies at most 255 bytes of `item` into a zero-filled 256-byte member (its NUL is already
// there). Quote items are mostly a few bytes long: fixed-size copies that overlap in the middle
// cost less than a call per item.
inline void CopyText(char* member, std::string_view item) {
    const size_t n = item.size() < kText - 1 ? item.size() : kText - 1;
    const char* src = item.data();
    if (n >= 16) {
        std::memcpy(member, src, n);
    } else if (n >= 8) {
        std::memcpy(member, src, 8);
        std::memcpy(member + n - 8, src + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(member, src, 4);
        std::memcpy(member + n - 4, src + n - 4, 4);
    } else {
        for (size_t i = 0; i < n; ++i) member[i] = src[i];
    }
}

}  // namespace

bool MarketQuoteParser::ReadString(std::string_view text, MARKET::MarketInfo& info) {
    for (auto& item : info.m_item) item = std::string_view();
    return ReadRecord(text, [&info](size_t index, std::string_view item) { info.m_item[index] = item; });
}

bool MarketQuoteParser::Parse(std::string_view text, CMarketMarketDataField* out) {
    std::memset(out, 0, sizeof *out);
    // Straight into the struct: each delivered text is copied once, the rest stays zero. Byte
    // access to the struct's representation: member i starts at i * 256 (asserted above).
    char* base = reinterpret_cast<char*>(out);
    return ReadRecord(text, [base](size_t index, std::string_view item) {
        if (index < MARKET::MarketInfo::kDelivered) CopyText(base + index * kText, item);
    });
}
