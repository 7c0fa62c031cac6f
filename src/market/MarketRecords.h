#pragma once

#include <cstddef>
#include <string_view>

#include "foundation/HP.h"
#include "secure/CRecord.h"

// Wire records of the market API (the quote record is MARKET::MarketInfo, MarketQuoteParser.h).
namespace MARKET {

// Body of the "LOGINHK1" login: user id, password, three empty fields, "A", broker id.
using LoginInfo = CRecord<7, 7>;
// One text: the broker key sent in "BROKER". (The "B" answer's body is taken whole, '@' included.)
using Broker = CRecord<1, 1>;

// The "M2" trade date: the first '@' item of the record split at its first ':' into key and value
// (further ':' stay in the value). A first item without ':' rejects the record.
class TradeDate : public CRecord<2, 1> {
public:
    bool ReadString(std::string_view text) {
        std::string_view first;
        if (HP::SplitView(text, '@', &first, 1) == 0) return false;
        const size_t colon = first.find(':');
        if (colon == std::string_view::npos) return false;
        m_item[0] = first.substr(0, colon);
        m_item[1] = first.substr(colon + 1);
        m_nCount = 2;
        return true;
    }
};

}  // namespace MARKET
