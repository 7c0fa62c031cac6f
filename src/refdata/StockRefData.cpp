#include "refdata/StockRefData.h"

#include <cstddef>

#include "QuintaraApi.h"

using namespace Quintara;

namespace {

const FieldMap kTickRows[] = {
    QF_TEXT(CStockTickField, TickField00, 0), QF_TEXT(CStockTickField, TickField01, 1),
    QF_TEXT(CStockTickField, TickField02, 2), QF_TEXT(CStockTickField, TickField03, 3),
    QF_TEXT(CStockTickField, TickField04, 4), QF_TEXT(CStockTickField, TickField05, 5),
};

const FieldMap kVersionRows[] = {
    QF_TEXT(CStockVersionField, VersionField00, 0), QF_TEXT(CStockVersionField, VersionField01, 1),
    QF_TEXT(CStockVersionField, VersionField02, 2), QF_TEXT(CStockVersionField, VersionField03, 3),
    QF_TEXT(CStockVersionField, VersionField04, 4),
};

const FieldMap kCurrencyRows[] = {
    QF_TEXT(CStockCurrencyField, CurrencyField00, 0), QF_INT(CStockCurrencyField, CurrencyField01, 1),
    QF_REAL(CStockCurrencyField, CurrencyField02, 2), QF_TEXT(CStockCurrencyField, CurrencyField03, 3),
    QF_TEXT(CStockCurrencyField, CurrencyField04, 4),
};

const FieldMap kExchangeRows[] = {
    QF_TEXT(CStockExchangeField, ExchangeField00, 0),
    QF_TEXT(CStockExchangeField, ExchangeField01, 1),
    QF_TEXT(CStockExchangeField, ExchangeField02, 2),
    QF_TEXT(CStockExchangeField, ExchangeField03, 3),
};

const FieldMap kInstrumentRows[] = {
    QF_TEXT(CStockInstrumentField, ExchangeNo, 0),         QF_TEXT(CStockInstrumentField, InstrumentField01, 1),
    QF_TEXT(CStockInstrumentField, InstrumentField02, 2),  QF_TEXT(CStockInstrumentField, InstrumentField03, 3),
    QF_TEXT(CStockInstrumentField, InstrumentField04, 4),  QF_TEXT(CStockInstrumentField, InstrumentField05, 5),
    QF_TEXT(CStockInstrumentField, InstrumentField06, 6),  QF_REAL(CStockInstrumentField, InstrumentField07, 7),
    QF_REAL(CStockInstrumentField, InstrumentField08, 8),  QF_REAL(CStockInstrumentField, InstrumentField09, 9),
    QF_TEXT(CStockInstrumentField, InstrumentField10, 10), QF_INT(CStockInstrumentField, InstrumentField11, 11),
    QF_INT(CStockInstrumentField, InstrumentField12, 12),  QF_INT(CStockInstrumentField, InstrumentField13, 13),
    QF_REAL(CStockInstrumentField, InstrumentField14, 14), QF_TEXT(CStockInstrumentField, InstrumentField15, 15),
    QF_REAL(CStockInstrumentField, InstrumentField16, 16), QF_REAL(CStockInstrumentField, InstrumentField17, 17),
    QF_REAL(CStockInstrumentField, InstrumentField18, 18), QF_REAL(CStockInstrumentField, InstrumentField19, 19),
    QF_REAL(CStockInstrumentField, InstrumentField20, 20), QF_REAL(CStockInstrumentField, InstrumentField21, 21),
    QF_REAL(CStockInstrumentField, InstrumentField22, 22), QF_TEXT(CStockInstrumentField, InstrumentField23, 23),
    QF_TEXT(CStockInstrumentField, InstrumentField24, 24), QF_REAL(CStockInstrumentField, InstrumentField25, 25),
    QF_REAL(CStockInstrumentField, InstrumentField26, 26), QF_TEXT(CStockInstrumentField, InstrumentField27, 27),
    QF_TEXT(CStockInstrumentField, InstrumentField28, 28), QF_TEXT(CStockInstrumentField, InstrumentField29, 29),
    QF_FLAG(CStockInstrumentField, InstrumentField30, 30), QF_TEXT(CStockInstrumentField, InstrumentField31, 31),
    QF_TEXT(CStockInstrumentField, InstrumentField32, 32), QF_TEXT(CStockInstrumentField, InstrumentField33, 33),
    QF_TEXT(CStockInstrumentField, InstrumentField34, 34), QF_TEXT(CStockInstrumentField, InstrumentField35, 35),
    QF_TEXT(CStockInstrumentField, InstrumentField36, 36), QF_TEXT(CStockInstrumentField, InstrumentField37, 37),
    QF_TEXT(CStockInstrumentField, InstrumentField38, 38), QF_REAL(CStockInstrumentField, InstrumentField39, 39),
    QF_REAL(CStockInstrumentField, InstrumentField40, 40), QF_REAL(CStockInstrumentField, InstrumentField41, 41),
    QF_REAL(CStockInstrumentField, InstrumentField42, 42), QF_REAL(CStockInstrumentField, InstrumentField43, 43),
    QF_TEXT(CStockInstrumentField, InstrumentField44, 44), QF_REAL(CStockInstrumentField, InstrumentField45, 45),
    QF_TEXT(CStockInstrumentField, InstrumentField46, 46), QF_TEXT(CStockInstrumentField, InstrumentField47, 47),
    QF_TEXT(CStockInstrumentField, InstrumentField48, 48),
};

}  // namespace

namespace StockRefData {

const DataRules kQryTick{true, MakeTable(kTickRows)};
const DataRules kQryVersion{false, MakeTable(kVersionRows)};
const DataRules kQryCurrency{true, MakeTable(kCurrencyRows)};
const DataRules kQryExchange{true, MakeTable(kExchangeRows)};
const DataRules kQryInstrument{true, MakeTable(kInstrumentRows)};

// 0..48: ExchangeNo, 1-6 text, 7-9 dec, 10 text, 11-13 int, 14 dec, 15 text, 16-22 dec, 23-24 text,
// 25-26 dec, 27-29 text, 30 flag, 31-38 text, 39-43 dec, 44 text, 45 dec, 46-48 text.
const char kInstrumentItemKinds[50] = "TTTTTTTDDDTIIIDTDDDDDDDTTDDTTTFTTTTTTTTDDDDDTDTTT";

}  // namespace StockRefData
