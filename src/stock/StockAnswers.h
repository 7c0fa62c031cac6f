#pragma once

#include "api/AnswerDelivery.h"

// How each stock answer and push reaches the application: body mode, the record-to-struct table,
// the head fields of the error and empty cases, and the rule for an answer without a record.
namespace StockAnswers {

extern const FieldTable kLoginInfo;  // login records (the login handler has its own flow)
extern const DataRules kOrderInsert;
extern const DataRules kOrderModify;
extern const DataRules kSystemNo;
extern const DataRules kOrderCancel;
extern const DataRules kOrderStatus;
extern const DataRules kFilled;
extern const DataRules kCapital;
extern const DataRules kPosition;
extern const DataRules kQryOrder;
extern const DataRules kQryTrade;
extern const DataRules kQryCapital;
extern const DataRules kQryPosition;
extern const DataRules kGetQuestion;
extern const DataRules kPasswordUpdate;

}  // namespace StockAnswers
