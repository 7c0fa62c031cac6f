#include "future/FutureAnswers.h"

#include <cstddef>
#include <iterator>

#include "QuintaraFutureApi.h"

using namespace Quintara;

namespace {

const FieldMap kLoginInfoRows[] = {
    QF_TEXT(CFutureUserLoginInfoField, AccountNo, 0),     QF_TEXT(CFutureUserLoginInfoField, LoginField01, 1),
    QF_TEXT(CFutureUserLoginInfoField, LoginField02, 2),  QF_TEXT(CFutureUserLoginInfoField, LoginField03, 3),
    QF_TEXT(CFutureUserLoginInfoField, LoginField04, 4),  QF_TEXT(CFutureUserLoginInfoField, LoginField05, 5),
    QF_TEXT(CFutureUserLoginInfoField, LoginField06, 6),  QF_TEXT(CFutureUserLoginInfoField, LoginField07, 7),
    QF_TEXT(CFutureUserLoginInfoField, LoginField08, 8),  QF_TEXT(CFutureUserLoginInfoField, LoginField09, 9),
    QF_TEXT(CFutureUserLoginInfoField, LoginField10, 10), QF_TEXT(CFutureUserLoginInfoField, LoginField11, 11),
    QF_TEXT(CFutureUserLoginInfoField, LoginField12, 12), QF_TEXT(CFutureUserLoginInfoField, LoginField13, 13),
    QF_TEXT(CFutureUserLoginInfoField, LoginField14, 14), QF_TEXT(CFutureUserLoginInfoField, LoginField15, 15),
    QF_TEXT(CFutureUserLoginInfoField, LoginField16, 16), QF_TEXT(CFutureUserLoginInfoField, LoginField17, 17),
    QF_TEXT(CFutureUserLoginInfoField, LoginField18, 18), QF_TEXT(CFutureUserLoginInfoField, LoginField19, 19),
    QF_TEXT(CFutureUserLoginInfoField, LoginField20, 20), QF_TEXT(CFutureUserLoginInfoField, LoginField21, 21),
    QF_TEXT(CFutureUserLoginInfoField, LoginField22, 22), QF_TEXT(CFutureUserLoginInfoField, LoginField23, 23),
    QF_TEXT(CFutureUserLoginInfoField, LoginField30, 24), QF_TEXT(CFutureUserLoginInfoField, VerifyStep, 25),
    QF_TEXT(CFutureUserLoginInfoField, LoginField36, 26), QF_TEXT(CFutureUserLoginInfoField, SetAnswerStep, 27),
    QF_TEXT(CFutureUserLoginInfoField, LoginField38, 28), QF_TEXT(CFutureUserLoginInfoField, LoginField39, 29),
    QF_TEXT(CFutureUserLoginInfoField, LoginField40, 30), QF_TEXT(CFutureUserLoginInfoField, LoginField41, 31),
    QF_TEXT(CFutureUserLoginInfoField, LoginField42, 32), QF_TEXT(CFutureUserLoginInfoField, LoginField43, 33),
    QF_TEXT(CFutureUserLoginInfoField, LoginField45, 34),
};

const FieldMap kOrderInsertRows[] = {
    QF_HEAD(CFutureOrderField, UserId, 8),   QF_TEXT(CFutureOrderField, Item01, 1),
    QF_TEXT(CFutureOrderField, SystemNo, 2), QF_HEAD(CFutureOrderField, LocalNo, 1),
    QF_TEXT(CFutureOrderField, Item04, 4),   QF_TEXT(CFutureOrderField, Item08, 8),
    QF_TEXT(CFutureOrderField, Item09, 9),   QF_TEXT(CFutureOrderField, Item10, 10),
    QF_TEXT(CFutureOrderField, Item11, 11),  QF_TEXT(CFutureOrderField, Item12, 12),
    QF_TEXT(CFutureOrderField, Item16, 16),  QF_TEXT(CFutureOrderField, Item18, 18),
    QF_TEXT(CFutureOrderField, Item19, 19),  QF_TEXT(CFutureOrderField, Item20, 20),
    QF_TEXT(CFutureOrderField, Item21, 21),  QF_TEXT(CFutureOrderField, Item24, 24),
    QF_TEXT(CFutureOrderField, Item25, 25),  QF_TEXT(CFutureOrderField, Item26, 26),
    QF_TEXT(CFutureOrderField, Item27, 27),  QF_TEXT(CFutureOrderField, Item28, 28),
    QF_TEXT(CFutureOrderField, Item29, 29),  QF_TEXT(CFutureOrderField, Item30, 30),
    QF_TEXT(CFutureOrderField, Item32, 32),  QF_TEXT(CFutureOrderField, Item33, 33),
};

const FieldMap kOrderModifyRows[] = {
    QF_HEAD(CFutureOrderField, UserId, 3),   QF_TEXT(CFutureOrderField, Item01, 1),
    QF_TEXT(CFutureOrderField, SystemNo, 2), QF_TEXT(CFutureOrderField, LocalNo, 3),
    QF_TEXT(CFutureOrderField, Item04, 4),   QF_TEXT(CFutureOrderField, Item08, 8),
    QF_TEXT(CFutureOrderField, Item09, 9),   QF_TEXT(CFutureOrderField, Item10, 10),
    QF_TEXT(CFutureOrderField, Item11, 11),  QF_TEXT(CFutureOrderField, Item12, 12),
    QF_TEXT(CFutureOrderField, Item16, 16),  QF_TEXT(CFutureOrderField, Item18, 18),
    QF_TEXT(CFutureOrderField, Item19, 19),  QF_TEXT(CFutureOrderField, Item20, 20),
    QF_TEXT(CFutureOrderField, Item21, 21),  QF_TEXT(CFutureOrderField, Item24, 24),
    QF_TEXT(CFutureOrderField, Item25, 25),  QF_TEXT(CFutureOrderField, Item26, 26),
    QF_TEXT(CFutureOrderField, Item27, 27),  QF_TEXT(CFutureOrderField, Item28, 28),
    QF_TEXT(CFutureOrderField, Item29, 29),  QF_TEXT(CFutureOrderField, Item30, 30),
    QF_TEXT(CFutureOrderField, Item32, 32),  QF_TEXT(CFutureOrderField, Item33, 33),
};

const FieldMap kOrderHeadRows[] = {
    QF_HEAD(CFutureOrderField, SystemNo, 2),
    QF_HEAD(CFutureOrderField, LocalNo, 1),
};

const FieldMap kCancelRows[] = {
    QF_TEXT(CFutureCancelField, UserId, 0),     QF_TEXT(CFutureCancelField, AccountNo, 1),
    QF_TEXT(CFutureCancelField, SystemNo, 2),   QF_HEAD(CFutureCancelField, LocalNo, 1),
    QF_TEXT(CFutureCancelField, Item03, 3),     QF_TEXT(CFutureCancelField, Item04, 4),
    QF_TEXT(CFutureCancelField, Item05, 5),     QF_TEXT(CFutureCancelField, Item06, 6),
    QF_TEXT(CFutureCancelField, Item07, 7),     QF_TEXT(CFutureCancelField, Item08, 8),
    QF_TEXT(CFutureCancelField, Item09, 9),     QF_TEXT(CFutureCancelField, Item10, 10),
    QF_TEXT(CFutureCancelField, Item11, 11),    QF_TEXT(CFutureCancelField, Item13, 13),
    QF_TEXT(CFutureCancelField, Item15, 15),    QF_TEXT(CFutureCancelField, Item16, 16),
    QF_TEXT(CFutureCancelField, Item17, 17),    QF_TEXT(CFutureCancelField, Item19, 19),
    QF_HEAD(CFutureCancelField, HeadField8, 8),
};

const FieldMap kCancelHeadRows[] = {
    QF_HEAD(CFutureCancelField, UserId, 8),   QF_HEAD(CFutureCancelField, AccountNo, 5),
    QF_HEAD(CFutureCancelField, SystemNo, 2), QF_HEAD(CFutureCancelField, LocalNo, 1),
    QF_HEAD(CFutureCancelField, Item05, 6),
};

const FieldMap kOrderStatusRows[] = {
    QF_HEAD(CFutureOrderStatusField, LocalNo, 1), QF_TEXT(CFutureOrderStatusField, Item00, 0),
    QF_TEXT(CFutureOrderStatusField, Item01, 1),  QF_TEXT(CFutureOrderStatusField, Item02, 2),
    QF_INT(CFutureOrderStatusField, Item03, 3),   QF_INT(CFutureOrderStatusField, Item04, 4),
    QF_REAL(CFutureOrderStatusField, Item05, 5),  QF_INT(CFutureOrderStatusField, Item06, 6),
    QF_REAL(CFutureOrderStatusField, Item07, 7),  QF_REAL(CFutureOrderStatusField, Item08, 8),
    QF_INT(CFutureOrderStatusField, Item09, 9),   QF_REAL(CFutureOrderStatusField, Item10, 10),
    QF_REAL(CFutureOrderStatusField, Item11, 11), QF_TEXT(CFutureOrderStatusField, Item12, 12),
    QF_REAL(CFutureOrderStatusField, Item13, 13), QF_INT(CFutureOrderStatusField, Item14, 14),
    QF_TEXT(CFutureOrderStatusField, Item15, 15), QF_TEXT(CFutureOrderStatusField, Item16, 16),
    QF_REAL(CFutureOrderStatusField, Item17, 17), QF_REAL(CFutureOrderStatusField, Item18, 18),
    QF_REAL(CFutureOrderStatusField, Item19, 19), QF_REAL(CFutureOrderStatusField, Item20, 20),
};

const FieldMap kTradeRows[] = {
    QF_TEXT(CFutureTradeField, Item00, 0),  QF_TEXT(CFutureTradeField, Item01, 1),
    QF_TEXT(CFutureTradeField, Item02, 2),  QF_TEXT(CFutureTradeField, Item03, 3),
    QF_TEXT(CFutureTradeField, Item04, 4),  QF_TEXT(CFutureTradeField, Item05, 5),
    QF_TEXT(CFutureTradeField, Item06, 6),  QF_TEXT(CFutureTradeField, Item07, 7),
    QF_TEXT(CFutureTradeField, Item08, 8),  QF_TEXT(CFutureTradeField, Item09, 9),
    QF_TEXT(CFutureTradeField, Item10, 10), QF_TEXT(CFutureTradeField, Item11, 11),
    QF_TEXT(CFutureTradeField, Item12, 12), QF_TEXT(CFutureTradeField, Item13, 13),
    QF_TEXT(CFutureTradeField, Item14, 14), QF_TEXT(CFutureTradeField, Item15, 15),
    QF_TEXT(CFutureTradeField, Item16, 16), QF_TEXT(CFutureTradeField, Item17, 17),
    QF_TEXT(CFutureTradeField, Item18, 18), QF_TEXT(CFutureTradeField, Item19, 19),
    QF_TEXT(CFutureTradeField, Item20, 20),
};

const FieldMap kCapitalRows[] = {
    QF_TEXT(CFutureCapitalField, Item14, 14), QF_TEXT(CFutureCapitalField, Item00, 0),
    QF_TEXT(CFutureCapitalField, Item01, 1),  QF_REAL(CFutureCapitalField, Item02, 2),
    QF_REAL(CFutureCapitalField, Item03, 3),  QF_REAL(CFutureCapitalField, Item04, 4),
    QF_REAL(CFutureCapitalField, Item05, 5),  QF_REAL(CFutureCapitalField, Item06, 6),
    QF_REAL(CFutureCapitalField, Item07, 7),  QF_REAL(CFutureCapitalField, Item08, 8),
    QF_REAL(CFutureCapitalField, Item09, 9),  QF_REAL(CFutureCapitalField, Item10, 10),
    QF_INT(CFutureCapitalField, Item11, 11),  QF_REAL(CFutureCapitalField, Item12, 12),
    QF_REAL(CFutureCapitalField, Item13, 13), QF_REAL(CFutureCapitalField, Item15, 15),
    QF_REAL(CFutureCapitalField, Item16, 16), QF_REAL(CFutureCapitalField, Item17, 17),
    QF_REAL(CFutureCapitalField, Item18, 18), QF_TEXT(CFutureCapitalField, Item19, 19),
    QF_TEXT(CFutureCapitalField, Item20, 20), QF_TEXT(CFutureCapitalField, Item21, 21),
    QF_INT(CFutureCapitalField, Item22, 22),  QF_INT(CFutureCapitalField, Item23, 23),
    QF_REAL(CFutureCapitalField, Item24, 24), QF_INT(CFutureCapitalField, Item25, 25),
    QF_REAL(CFutureCapitalField, Item26, 26), QF_REAL(CFutureCapitalField, Item27, 27),
    QF_INT(CFutureCapitalField, Item28, 28),  QF_REAL(CFutureCapitalField, Item29, 29),
    QF_REAL(CFutureCapitalField, Item30, 30), QF_TEXT(CFutureCapitalField, Item31, 31),
    QF_REAL(CFutureCapitalField, Item32, 32), QF_REAL(CFutureCapitalField, Item33, 33),
    QF_REAL(CFutureCapitalField, Item34, 34), QF_REAL(CFutureCapitalField, Item35, 35),
    QF_REAL(CFutureCapitalField, Item36, 36), QF_REAL(CFutureCapitalField, Item37, 37),
    QF_REAL(CFutureCapitalField, Item38, 38), QF_REAL(CFutureCapitalField, Item39, 39),
    QF_REAL(CFutureCapitalField, Item40, 40), QF_REAL(CFutureCapitalField, Item41, 41),
    QF_REAL(CFutureCapitalField, Item42, 42), QF_REAL(CFutureCapitalField, Item43, 43),
    QF_REAL(CFutureCapitalField, Item44, 44), QF_REAL(CFutureCapitalField, Item45, 45),
};

const FieldMap kOrderListRows[] = {
    QF_TEXT(CFutureOrderListField, Item00, 0),   QF_TEXT(CFutureOrderListField, Item01, 1),
    QF_TEXT(CFutureOrderListField, SystemNo, 2), QF_TEXT(CFutureOrderListField, LocalNo, 3),
    QF_TEXT(CFutureOrderListField, Item04, 4),   QF_TEXT(CFutureOrderListField, Item08, 8),
    QF_TEXT(CFutureOrderListField, Item09, 9),   QF_TEXT(CFutureOrderListField, Item10, 10),
    QF_TEXT(CFutureOrderListField, Item11, 11),  QF_TEXT(CFutureOrderListField, Item12, 12),
    QF_TEXT(CFutureOrderListField, Item13, 13),  QF_TEXT(CFutureOrderListField, Item14, 14),
    QF_TEXT(CFutureOrderListField, Item16, 16),  QF_TEXT(CFutureOrderListField, Item18, 18),
    QF_TEXT(CFutureOrderListField, Item19, 19),  QF_TEXT(CFutureOrderListField, Item20, 20),
    QF_TEXT(CFutureOrderListField, Item21, 21),  QF_TEXT(CFutureOrderListField, Item23, 23),
    QF_TEXT(CFutureOrderListField, Item24, 24),  QF_TEXT(CFutureOrderListField, Item25, 25),
    QF_TEXT(CFutureOrderListField, Item26, 26),  QF_TEXT(CFutureOrderListField, Item27, 27),
    QF_TEXT(CFutureOrderListField, Item28, 28),  QF_TEXT(CFutureOrderListField, Item29, 29),
    QF_TEXT(CFutureOrderListField, Item30, 30),  QF_TEXT(CFutureOrderListField, Item31, 31),
};

const FieldMap kAccountRows[] = {
    QF_TEXT(CFutureAccountField, Item00, 0),  QF_TEXT(CFutureAccountField, Item05, 5),
    QF_TEXT(CFutureAccountField, Item06, 6),  QF_TEXT(CFutureAccountField, Item07, 7),
    QF_TEXT(CFutureAccountField, Item09, 9),  QF_TEXT(CFutureAccountField, Item08, 8),
    QF_TEXT(CFutureAccountField, Item10, 10), QF_TEXT(CFutureAccountField, Item12, 12),
    QF_TEXT(CFutureAccountField, Item11, 11), QF_TEXT(CFutureAccountField, Item02, 2),
    QF_TEXT(CFutureAccountField, Item04, 4),  QF_TEXT(CFutureAccountField, Item03, 3),
    QF_TEXT(CFutureAccountField, Item13, 13), QF_TEXT(CFutureAccountField, Item18, 18),
    QF_REAL(CFutureAccountField, Item19, 19), QF_REAL(CFutureAccountField, Item17, 17),
    QF_REAL(CFutureAccountField, Item20, 20), QF_REAL(CFutureAccountField, Item21, 21),
    QF_REAL(CFutureAccountField, Item22, 22), QF_REAL(CFutureAccountField, Item23, 23),
    QF_REAL(CFutureAccountField, Item25, 25), QF_TEXT(CFutureAccountField, Item01, 1),
    QF_REAL(CFutureAccountField, Item33, 33), QF_REAL(CFutureAccountField, Item34, 34),
    QF_REAL(CFutureAccountField, Item35, 35), QF_REAL(CFutureAccountField, Item36, 36),
};

const FieldMap kPositionRows[] = {
    QF_TEXT(CFuturePositionField, Item06, 6),  QF_TEXT(CFuturePositionField, Item07, 7),
    QF_TEXT(CFuturePositionField, Item00, 0),  QF_TEXT(CFuturePositionField, Item02, 2),
    QF_TEXT(CFuturePositionField, Item04, 4),  QF_TEXT(CFuturePositionField, Item05, 5),
    QF_TEXT(CFuturePositionField, Item08, 8),  QF_INT(CFuturePositionField, Item09, 9),
    QF_REAL(CFuturePositionField, Item10, 10), QF_TEXT(CFuturePositionField, Item03, 3),
    QF_REAL(CFuturePositionField, Item11, 11), QF_TEXT(CFuturePositionField, Item01, 1),
    QF_TEXT(CFuturePositionField, Item12, 12), QF_TEXT(CFuturePositionField, Item13, 13),
    QF_REAL(CFuturePositionField, Item14, 14),
};

const FieldMap kQuestionRows[] = {
    QF_TEXT(CFutureQuestionField, QuestionField1, 0),
    QF_TEXT(CFutureQuestionField, QuestionField2, 1),
    QF_TEXT(CFutureQuestionField, QuestionField3, 2),
    QF_TEXT(CFutureQuestionField, QuestionField4, 3),
};

const FieldMap kPasswordRows[] = {
    QF_TEXT(CFuturePasswordField, PwsField1, 0),
    QF_TEXT(CFuturePasswordField, PwsField2, 1),
    QF_TEXT(CFuturePasswordField, PwsField3, 2),
};

// The order-status record without LocalNo (its first row): position push and total positions.
constexpr FieldTable kStatusWithoutLocalNo{kOrderStatusRows + 1, std::size(kOrderStatusRows) - 1};

constexpr bool kList = true;
constexpr bool kSingle = false;

}  // namespace

namespace FutureAnswers {

const FieldTable kLoginInfo = MakeTable(kLoginInfoRows);
const DataRules kOrderInsert{kSingle, MakeTable(kOrderInsertRows), MakeTable(kOrderHeadRows)};
const DataRules kOrderModify{kSingle, MakeTable(kOrderModifyRows), MakeTable(kOrderHeadRows)};
// "SYSTEMNO": whatever the body holds, only the head's system and local numbers are delivered.
const DataRules kSystemNo{kSingle, MakeTable(kOrderHeadRows), MakeTable(kOrderHeadRows)};
const DataRules kOrderCancel{kSingle, MakeTable(kCancelRows), MakeTable(kCancelHeadRows), 90006, "数组为空"};
const DataRules kOrderStatus{kList, MakeTable(kOrderStatusRows)};
const DataRules kFilled{kList, MakeTable(kTradeRows)};
// "ACNTLAST": the record's call carries IsLast false; the error and empty cases carry true.
const DataRules kCapital{kSingle, MakeTable(kCapitalRows), {}, 0, "", false};
const DataRules kPosition{kSingle, kStatusWithoutLocalNo};
const DataRules kQryOrder{kList, MakeTable(kOrderListRows)};
const DataRules kQryTrade{kList, MakeTable(kTradeRows)};
const DataRules kQryCapital{kList, MakeTable(kAccountRows)};
const DataRules kQryPosition{kList, MakeTable(kPositionRows)};
const DataRules kQryTotalPosition{kList, kStatusWithoutLocalNo};
const DataRules kGetQuestion{kList, MakeTable(kQuestionRows)};
const DataRules kPasswordUpdate{kSingle, MakeTable(kPasswordRows)};

}  // namespace FutureAnswers
