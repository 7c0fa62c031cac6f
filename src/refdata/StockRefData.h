#pragma once

#include "api/AnswerDelivery.h"
#include "secure/CRecord.h"

// Reference data of the stock API: records of the static-data answers and their delivery.
namespace STOCK {

using UpperTick = CRecord<6, 6>;          // "UptiStLs"
using VersionInfo = CRecord<5, 3>;        // "GETVER01"
using CurrencyInfo = CRecord<5, 3>;       // "CRNYLIST"
using ExchangeInfo = CRecord<4, 2>;       // "ExchStLs"
using ContractStockHK = CRecord<49, 36>;  // "ContStLs" (also the request body)

}  // namespace STOCK

namespace StockRefData {

extern const DataRules kQryTick;
extern const DataRules kQryVersion;
extern const DataRules kQryCurrency;
extern const DataRules kQryExchange;
extern const DataRules kQryInstrument;

// Item kinds of the instrument record, for writing the request body: 'T' text, 'I' integer
// ("0"), 'D' decimal (Decimal::str of 0), 'F' the flag (empty).
extern const char kInstrumentItemKinds[50];

}  // namespace StockRefData
