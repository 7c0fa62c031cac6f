#pragma once

#include <cstddef>

#include "api/AnswerDelivery.h"

// How each futures answer and push reaches the application: body mode, the record-to-struct table,
// the head fields of the error and empty cases, and the rule for an answer without a record.
namespace FutureAnswers {

// Login records: where the verification flags stand and how a record fills the login struct.
inline constexpr size_t kVerifyStepItem = 25;
inline constexpr size_t kSetAnswerStepItem = 27;
extern const FieldTable kLoginInfo;

extern const DataRules kOrderInsert;
extern const DataRules kOrderModify;
extern const DataRules kSystemNo;
extern const DataRules kOrderCancel;  // "CANCEL01" answers and "CANCST01" notices
extern const DataRules kOrderStatus;
extern const DataRules kFilled;
extern const DataRules kCapital;
extern const DataRules kPosition;  // "HOLDSTAT": the order-status record without LocalNo
extern const DataRules kQryOrder;
extern const DataRules kQryTrade;
extern const DataRules kQryCapital;
extern const DataRules kQryPosition;
extern const DataRules kQryTotalPosition;
extern const DataRules kGetQuestion;
extern const DataRules kPasswordUpdate;

}  // namespace FutureAnswers
