#pragma once

#include <cstddef>

#include "secure/CRecord.h"

// Wire records of the futures API: field count and the minimum a received record needs.
namespace FUTURE {

using LoginInfo = CRecord<5, 1>;            // body of "LOGIN001" (and of "GETVER01")
using LoginResponseInfo = CRecord<35, 12>;  // records of the "LOGIN001" answer

// Order bodies: the fixed fields, and the same with the OrgOrderLocationID field appended after
// further empty fields (it is the last field of the longer record).
using OrderInfo = CRecord<24, 1>;               // body of "ORDER001"
using OrderInfoWithLocation = CRecord<38, 1>;   // ... OrgOrderLocationID at 37
using ModifyInfo = CRecord<21, 1>;              // body of "MODIFY01"
using ModifyInfoWithLocation = CRecord<33, 1>;  // ... OrgOrderLocationID at 32
using CancelInfo = CRecord<19, 1>;              // body of "CANCEL01"
using CancelInfoWithLocation = CRecord<24, 1>;  // ... OrgOrderLocationID at 23

// "ORDER001", "MODIFY01", "SYSTEMNO" answers and "ORDERLST" records. Fields 24 to 33 count only
// when all 34 fields are present; a shorter record leaves all of them empty.
class OrderResponseInfo : public CRecord<34, 24> {
public:
    static constexpr size_t kFullFrom = 24;

    bool ReadString(std::string_view text) {
        if (!CRecord<34, 24>::ReadString(text)) return false;
        if (m_nCount < kFields) {
            for (size_t i = kFullFrom; i < kFields; ++i) m_item[i] = std::string_view();
            if (m_nCount > kFullFrom) m_nCount = kFullFrom;
        }
        return true;
    }
};

using CancelResponseInfo = CRecord<20, 19>;      // "CANCEL01", "CANCST01"
using OrderStatusInfo = CRecord<21, 1>;          // "ORDERSTA", "HOLDSTAT", "SEARCHHT"
using FilledResponseInfo = CRecord<21, 18>;      // "FILCST01", "FILLLIST"
using AccountInfo = CRecord<46, 15>;             // "ACNTLAST"
using OrderSearchInfo = CRecord<7, 1>;           // body of "ORDERLST"
using FilledSearchInfo = CRecord<5, 1>;          // body of "FILLLIST"
using AccountResponseInfo = CRecord<41, 17>;     // "DEPOSTAT"
using HoldDetailResponseInfo = CRecord<15, 13>;  // "OPENDETL"
using SafeVerifyInfo = CRecord<8, 1>;            // bodies of "SetVeriQA", "SfVerify", "RequVfCd"
using QuestionInfo = CRecord<4, 4>;              // "VfQuList"
using ModifyClientPWS = CRecord<3, 3>;           // "MODIFYPW"

}  // namespace FUTURE
