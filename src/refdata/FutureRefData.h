#pragma once

#include "api/AnswerDelivery.h"
#include "secure/CRecord.h"

// Reference data of the futures API: records of the static-data queries and answers, and their
// delivery.
namespace FUTURE {

using ExchangeInfo = CRecord<4, 2>;            // "EXCHANGE"
using CurrencyInfo = CRecord<5, 3>;            // "CRNYLIST"
using VersionInfo = CRecord<5, 3>;             // "GETVER01"
using CommodityInfo = CRecord<15, 15>;         // "GetComdy"
using ExchangeSummerWinter = CRecord<5, 5>;    // "GETETIME"
using CommoditySummerWinter = CRecord<9, 9>;   // "GETCTIME"
using ReqCommSumWin = CRecord<2, 1>;           // body of "GETCTIME"
using UseContractInfo = CRecord<39, 17>;       // "CONTRACT", "GETSTRLS" (also their request body)
using StartegyDetailInfo = CRecord<12, 11>;    // "GETSTRDL"
using StartegyDetailRequest = CRecord<11, 1>;  // body of "GETSTRDL": items 0 to 10 of the record

}  // namespace FUTURE

namespace FutureRefData {

extern const DataRules kQryExchange;
extern const DataRules kQryCurrency;
extern const DataRules kQryVersion;
extern const DataRules kQryCommodity;
extern const DataRules kQryExchangeTime;
extern const DataRules kQryCommodityTime;
extern const DataRules kQryInstrument;  // instruments and strategies alike
extern const DataRules kQryStrategyDetail;

// An instrument record as a request body carries it before the caller's items are set: text
// items empty, integer items "0", decimal items the text of 0 (item 12 with the decimals of item
// 14, which is 0), item 33 empty.
void FillInstrumentRequest(FUTURE::UseContractInfo& body);
// A strategy detail record as the request body carries it: integer items 3, 5 and 9 "0", the
// others empty.
void FillStrategyDetailRequest(FUTURE::StartegyDetailRequest& body);

}  // namespace FutureRefData
