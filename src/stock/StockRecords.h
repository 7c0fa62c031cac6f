#pragma once

#include "secure/CRecord.h"

// Wire records of the stock API: field count and the minimum a received record needs.
namespace STOCK {

using LoginInfo = CRecord<5, 1>;                // body of "LOGINHK1" (and of "GETVER01")
using LoginResponseInfo = CRecord<46, 12>;      // records of the "LOGINHK1" answer
using OrderInfo = CRecord<20, 1>;               // body of "OrdeStHK"
using ModifyInfo = CRecord<19, 1>;              // body of "ModiStHK"
using CancelInfo = CRecord<17, 1>;              // body of "CancStHK"
using OrderResponseInfo = CRecord<32, 24>;      // "OrdeStHK", "ModiStHK", "SYSTEMNO", "OrdeStLs"
using CancelResponseInfo = CRecord<19, 19>;     // "CancStHK", "CancStRe"
using OrderStatusInfo = CRecord<21, 1>;         // "StatStHK"
using FilledResponseInfo = CRecord<24, 18>;     // "FillStHK", "FillStLs"
using AccountInfo = CRecord<46, 15>;            // "AccoStHK"
using HoldResponseInfoStock = CRecord<23, 16>;  // "HoldStHK", "HoldStLs"
using OrderSearchInfo = CRecord<7, 1>;          // body of "OrdeStLs"
using FilledSearchInfo = CRecord<5, 1>;         // body of "FillStLs"
using AccountResponseInfo = CRecord<41, 17>;    // "AccoStLs"
using SafeVerifyInfo = CRecord<8, 1>;           // bodies of "SetVeriQA", "SfVerify", "RequVfCd"
using QuestionInfo = CRecord<4, 4>;             // "VfQuList"
using ModifyClientPWS = CRecord<3, 3>;          // "MODIFYPW"

}  // namespace STOCK
