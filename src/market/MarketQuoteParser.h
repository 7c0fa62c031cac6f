#pragma once

#include <cstddef>
#include <string_view>

#include "QuintaraMarketApi.h"

namespace MARKET {

// A parsed quote record: 67 texts (views into the record text). Texts 0 to 65 are the members of
// CMarketMarketDataField in declaration order; text 66 holds item 41 of a full quote and is not
// delivered.
struct MarketInfo {
    static constexpr size_t kFields = 67;
    static constexpr size_t kDelivered = 66;
    std::string_view m_item[kFields];
};

}  // namespace MARKET

// The "MARKET01" quote record codec. Pure and allocation-free: the record is split over fixed
// arrays of views, and the delivered struct is filled in place.
//
// The last character of the record decides its shape: 'D' is rejected, 'Y' is a partial update
// (at least 6 items), 'M' a partial update (at least 5 items), anything else a full quote (at least
// 32 items, item 12 optionally carrying five depth levels of four values).
class MarketQuoteParser {
public:
    // Index of each member of CMarketMarketDataField in MarketInfo.
    static constexpr size_t kItem12 = 12;
    static constexpr size_t kItem36 = 36;
    static constexpr size_t kItem37 = 37;
    static constexpr size_t kDepthA1 = 39;  // DepthA1..A5, B1..B5, C1..C5, D1..D5 follow in order
    static constexpr size_t kItem59 = 59;
    static constexpr size_t kRecordType = 63;
    static constexpr size_t kItem64 = 64;
    static constexpr size_t kItem65 = 65;
    static constexpr size_t kHidden = 66;

    // Reads the record text (up to its first NUL) into `info`; every text not filled is empty.
    // Returns false when the record is rejected (empty, shape 'D', or too few items for its shape).
    static bool ReadString(std::string_view text, MARKET::MarketInfo& info);

    // Zero-fills `out`; when the record is accepted, copies the 66 delivered texts into it, each cut
    // to 255 bytes. Returns whether the record was accepted.
    static bool Parse(std::string_view text, Quintara::CMarketMarketDataField* out);
};
