#include "refdata/FutureRefData.h"

#include <cstddef>
#include <string>

#include "QuintaraFutureApi.h"
#include "foundation/Decimal.h"

using namespace Quintara;

namespace {

const FieldMap kExchangeRows[] = {
    QF_TEXT(CFutureExchangeField, ExchangeField00, 0),
    QF_TEXT(CFutureExchangeField, ExchangeField01, 1),
    QF_TEXT(CFutureExchangeField, ExchangeField02, 2),
    QF_TEXT(CFutureExchangeField, ExchangeField03, 3),
};

const FieldMap kCurrencyRows[] = {
    QF_TEXT(CFutureCurrencyField, CurrencyField00, 0), QF_INT(CFutureCurrencyField, CurrencyField01, 1),
    QF_REAL(CFutureCurrencyField, CurrencyField02, 2), QF_TEXT(CFutureCurrencyField, CurrencyField03, 3),
    QF_TEXT(CFutureCurrencyField, CurrencyField04, 4),
};

const FieldMap kVersionRows[] = {
    QF_TEXT(CFutureVersionField, VersionField00, 0), QF_TEXT(CFutureVersionField, VersionField01, 1),
    QF_TEXT(CFutureVersionField, VersionField02, 2), QF_TEXT(CFutureVersionField, VersionField03, 3),
    QF_TEXT(CFutureVersionField, VersionField04, 4),
};

const FieldMap kExchangeTimeRows[] = {
    QF_TEXT(CFutureExchangeTimeField, ExchangeTimeField00, 0),
    QF_TEXT(CFutureExchangeTimeField, ExchangeTimeField01, 1),
    QF_TEXT(CFutureExchangeTimeField, ExchangeTimeField02, 2),
    QF_TEXT(CFutureExchangeTimeField, ExchangeTimeField03, 3),
    QF_TEXT(CFutureExchangeTimeField, ExchangeTimeField04, 4),
};

const FieldMap kCommodityTimeRows[] = {
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField00, 0),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField01, 1),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField02, 2),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField03, 3),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField04, 4),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField05, 5),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField06, 6),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField07, 7),
    QF_TEXT(CFutureCommodityTimeField, CommodityTimeField08, 8),
};

const FieldMap kCommodityRows[] = {
    QF_TEXT(CFutureCommodityField, CommodityField00, 0),  QF_TEXT(CFutureCommodityField, CommodityField01, 1),
    QF_TEXT(CFutureCommodityField, CommodityField02, 2),  QF_TEXT(CFutureCommodityField, CommodityField03, 3),
    QF_TEXT(CFutureCommodityField, CommodityField04, 4),  QF_TEXT(CFutureCommodityField, CommodityField05, 5),
    QF_TEXT(CFutureCommodityField, CommodityField06, 6),  QF_REAL(CFutureCommodityField, CommodityField07, 7),
    QF_REAL(CFutureCommodityField, CommodityField08, 8),  QF_REAL(CFutureCommodityField, CommodityField09, 9),
    QF_INT(CFutureCommodityField, CommodityField10, 10),  QF_INT(CFutureCommodityField, CommodityField11, 11),
    QF_TEXT(CFutureCommodityField, CommodityField12, 12), QF_TEXT(CFutureCommodityField, CommodityField13, 13),
    QF_TEXT(CFutureCommodityField, CommodityField14, 14),
};

const FieldMap kInstrumentRows[] = {
    QF_TEXT(CFutureInstrumentField, InstrumentField00, 0),
    QF_TEXT(CFutureInstrumentField, ExchangeNo, 1),
    QF_TEXT(CFutureInstrumentField, InstrumentField02, 2),
    QF_TEXT(CFutureInstrumentField, InstrumentField03, 3),
    QF_TEXT(CFutureInstrumentField, InstrumentField04, 4),
    QF_TEXT(CFutureInstrumentField, InstrumentField05, 5),
    QF_TEXT(CFutureInstrumentField, InstrumentField06, 6),
    QF_TEXT(CFutureInstrumentField, InstrumentField07, 7),
    QF_TEXT(CFutureInstrumentField, InstrumentField08, 8),
    QF_REAL(CFutureInstrumentField, InstrumentField09, 9),
    QF_REAL(CFutureInstrumentField, InstrumentField10, 10),
    QF_TEXT(CFutureInstrumentField, InstrumentField11, 11),
    QF_REAL(CFutureInstrumentField, InstrumentField12, 12),
    QF_TEXT(CFutureInstrumentField, InstrumentField13, 13),
    QF_INT(CFutureInstrumentField, InstrumentField14, 14),
    QF_INT(CFutureInstrumentField, InstrumentField15, 15),
    QF_INT(CFutureInstrumentField, InstrumentField16, 16),
    QF_REAL(CFutureInstrumentField, InstrumentField17, 17),
    QF_TEXT(CFutureInstrumentField, InstrumentField18, 18),
    QF_REAL(CFutureInstrumentField, InstrumentField19, 19),
    QF_REAL(CFutureInstrumentField, InstrumentField20, 20),
    QF_REAL(CFutureInstrumentField, InstrumentField21, 21),
    QF_REAL(CFutureInstrumentField, InstrumentField22, 22),
    QF_REAL(CFutureInstrumentField, InstrumentField23, 23),
    QF_REAL(CFutureInstrumentField, InstrumentField24, 24),
    QF_REAL(CFutureInstrumentField, InstrumentField25, 25),
    QF_TEXT(CFutureInstrumentField, InstrumentField26, 26),
    QF_TEXT(CFutureInstrumentField, InstrumentField27, 27),
    QF_REAL(CFutureInstrumentField, InstrumentField28, 28),
    QF_REAL(CFutureInstrumentField, InstrumentField29, 29),
    QF_TEXT(CFutureInstrumentField, InstrumentField30, 30),
    QF_TEXT(CFutureInstrumentField, InstrumentField31, 31),
    QF_TEXT(CFutureInstrumentField, InstrumentField32, 32),
    QF_DECIMALS(CFutureInstrumentField, InstrumentField33, 33, 14),  // with the decimals of item 14
    QF_TEXT(CFutureInstrumentField, InstrumentField34, 34),
    QF_TEXT(CFutureInstrumentField, InstrumentField35, 35),
    QF_TEXT(CFutureInstrumentField, InstrumentField36, 36),
    QF_TEXT(CFutureInstrumentField, InstrumentField37, 37),
    QF_TEXT(CFutureInstrumentField, InstrumentField38, 38),
};

const FieldMap kStrategyDetailRows[] = {
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField00, 0),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField01, 1),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField02, 2),
    QF_INT(CFutureStrategyDetailField, StrategyDetailField03, 3),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField04, 4),
    QF_INT(CFutureStrategyDetailField, StrategyDetailField05, 5),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField06, 6),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField07, 7),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField08, 8),
    QF_INT(CFutureStrategyDetailField, StrategyDetailField09, 9),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField10, 10),
    QF_TEXT(CFutureStrategyDetailField, StrategyDetailField11, 11),
};

// Item kinds of the instrument record for writing a request body: 'T' text (empty), 'I' integer,
// 'D' decimal, 'N' decimal written with the decimals of item 14.
constexpr char kInstrumentItemKinds[] = "TTTTTTTTTDDTNTIIIDTDDDDDDDTTDDTTTTTTTTT";
static_assert(sizeof kInstrumentItemKinds - 1 == FUTURE::UseContractInfo::kFields, "one kind per item");

const std::string& ZeroDecimalText() {
    static const std::string text = Decimal(0.0).str();
    return text;
}

const std::string& ZeroWithNoDecimalsText() {
    static const std::string text = [] {
        char out[32];
        FormatDecimals(0.0, 0, out, sizeof out);
        return std::string(out);
    }();
    return text;
}

constexpr bool kList = true;
constexpr bool kSingle = false;

}  // namespace

namespace FutureRefData {

const DataRules kQryExchange{kList, MakeTable(kExchangeRows)};
const DataRules kQryCurrency{kList, MakeTable(kCurrencyRows)};
const DataRules kQryVersion{kSingle, MakeTable(kVersionRows)};
const DataRules kQryCommodity{kList, MakeTable(kCommodityRows)};
const DataRules kQryExchangeTime{kList, MakeTable(kExchangeTimeRows)};
const DataRules kQryCommodityTime{kList, MakeTable(kCommodityTimeRows)};
const DataRules kQryInstrument{kList, MakeTable(kInstrumentRows)};
const DataRules kQryStrategyDetail{kSingle, MakeTable(kStrategyDetailRows)};

void FillInstrumentRequest(FUTURE::UseContractInfo& body) {
    for (size_t i = 0; i < FUTURE::UseContractInfo::kFields; ++i) {
        switch (kInstrumentItemKinds[i]) {
            case 'I':
                body.m_item[i] = "0";
                break;
            case 'D':
                body.m_item[i] = ZeroDecimalText();
                break;
            case 'N':
                body.m_item[i] = ZeroWithNoDecimalsText();
                break;
            default:
                body.m_item[i] = std::string_view();
                break;
        }
    }
    body.m_nCount = FUTURE::UseContractInfo::kFields;
}

void FillStrategyDetailRequest(FUTURE::StartegyDetailRequest& body) {
    for (size_t i = 0; i < FUTURE::StartegyDetailRequest::kFields; ++i) body.m_item[i] = std::string_view();
    body.m_item[3] = "0";
    body.m_item[5] = "0";
    body.m_item[9] = "0";
    body.m_nCount = FUTURE::StartegyDetailRequest::kFields;
}

}  // namespace FutureRefData
