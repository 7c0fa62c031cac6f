// ReadString of every record type (and of the message head), checked against a plain split of the
// text: acceptance by the record's minimum, the items in order, empty fields beyond the items.
// The first input byte picks the type, the rest is the record text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "FuzzCheck.h"
#include "future/FutureRecords.h"
#include "market/MarketRecords.h"
#include "refdata/FutureRefData.h"
#include "refdata/StockRefData.h"
#include "secure/NetInfo.h"
#include "stock/StockRecords.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char sep) {
    std::vector<std::string_view> out;
    if (text.empty()) return out;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(sep, start);
        out.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return out;
        start = end + 1;
    }
}

bool Inside(std::string_view item, std::string_view text) {
    return item.empty() || (item.data() >= text.data() && item.data() + item.size() <= text.data() + text.size());
}

template <class R>
void Check(std::string_view input) {
    const std::string_view text = input.substr(0, strnlen(input.data(), input.size()));
    const std::vector<std::string_view> items = Split(text, '@');
    R record;
    const bool read = record.ReadString(input);
    if constexpr (std::is_same_v<R, MARKET::TradeDate>) {
        const size_t colon = items.empty() ? std::string_view::npos : items[0].find(':');
        FUZZ_EXPECT(read == (colon != std::string_view::npos));
        if (!read) return;
        FUZZ_EXPECT(record.m_item[0] == items[0].substr(0, colon) && record.m_item[1] == items[0].substr(colon + 1));
        return;
    } else {
        FUZZ_EXPECT(read == (!items.empty() && items.size() >= R::kMin));
        if (!read) return;
        size_t present = items.size() < R::kFields ? items.size() : R::kFields;
        if constexpr (std::is_same_v<R, FUTURE::OrderResponseInfo>) {
            // Fields from 24 on count only in a record with all of its fields.
            if (items.size() < R::kFields && present > R::kFullFrom) present = R::kFullFrom;
        }
        FUZZ_EXPECT(record.m_nCount == present);
        for (size_t i = 0; i < R::kFields; ++i) {
            FUZZ_EXPECT(Inside(record.m_item[i], input));
            FUZZ_EXPECT(record.m_item[i] == (i < present ? items[i] : std::string_view()));
        }
    }
}

void CheckHead(std::string_view input) {
    const std::string_view text = input.substr(0, strnlen(input.data(), input.size()));
    const std::vector<std::string_view> items = Split(text, '@');
    NetInfo head;
    head.m_strBody = "body";
    const bool read = head.ReadString(input);
    FUZZ_EXPECT(read == (items.size() >= 7));
    FUZZ_EXPECT(head.m_strBody == "body");
    for (size_t i = 0; i < NetInfo::kFields; ++i)
        FUZZ_EXPECT(head.m_strField[i] == (read && i < items.size() ? items[i] : std::string_view()));
}

using Checker = void (*)(std::string_view);

const Checker kCheckers[] = {
    CheckHead,
    Check<STOCK::LoginInfo>,
    Check<STOCK::LoginResponseInfo>,
    Check<STOCK::OrderInfo>,
    Check<STOCK::ModifyInfo>,
    Check<STOCK::CancelInfo>,
    Check<STOCK::OrderResponseInfo>,
    Check<STOCK::CancelResponseInfo>,
    Check<STOCK::OrderStatusInfo>,
    Check<STOCK::FilledResponseInfo>,
    Check<STOCK::AccountInfo>,
    Check<STOCK::HoldResponseInfoStock>,
    Check<STOCK::OrderSearchInfo>,
    Check<STOCK::FilledSearchInfo>,
    Check<STOCK::AccountResponseInfo>,
    Check<STOCK::SafeVerifyInfo>,
    Check<STOCK::QuestionInfo>,
    Check<STOCK::ModifyClientPWS>,
    Check<STOCK::UpperTick>,
    Check<STOCK::VersionInfo>,
    Check<STOCK::CurrencyInfo>,
    Check<STOCK::ExchangeInfo>,
    Check<STOCK::ContractStockHK>,
    Check<FUTURE::LoginInfo>,
    Check<FUTURE::LoginResponseInfo>,
    Check<FUTURE::OrderInfo>,
    Check<FUTURE::OrderInfoWithLocation>,
    Check<FUTURE::ModifyInfo>,
    Check<FUTURE::ModifyInfoWithLocation>,
    Check<FUTURE::CancelInfo>,
    Check<FUTURE::CancelInfoWithLocation>,
    Check<FUTURE::OrderResponseInfo>,
    Check<FUTURE::CancelResponseInfo>,
    Check<FUTURE::OrderStatusInfo>,
    Check<FUTURE::FilledResponseInfo>,
    Check<FUTURE::AccountInfo>,
    Check<FUTURE::OrderSearchInfo>,
    Check<FUTURE::FilledSearchInfo>,
    Check<FUTURE::AccountResponseInfo>,
    Check<FUTURE::HoldDetailResponseInfo>,
    Check<FUTURE::SafeVerifyInfo>,
    Check<FUTURE::QuestionInfo>,
    Check<FUTURE::ModifyClientPWS>,
    Check<FUTURE::ExchangeInfo>,
    Check<FUTURE::CurrencyInfo>,
    Check<FUTURE::VersionInfo>,
    Check<FUTURE::CommodityInfo>,
    Check<FUTURE::ExchangeSummerWinter>,
    Check<FUTURE::CommoditySummerWinter>,
    Check<FUTURE::ReqCommSumWin>,
    Check<FUTURE::UseContractInfo>,
    Check<FUTURE::StartegyDetailInfo>,
    Check<FUTURE::StartegyDetailRequest>,
    Check<MARKET::LoginInfo>,
    Check<MARKET::Broker>,
    Check<MARKET::TradeDate>,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t kinds = sizeof kCheckers / sizeof kCheckers[0];
    kCheckers[data[0] % kinds](std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    return 0;
}
