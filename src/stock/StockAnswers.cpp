#include "stock/StockAnswers.h"

#include <cstddef>

#include "QuintaraApi.h"

using namespace Quintara;

namespace {

const FieldMap kLoginInfoRows[] = {
    QF_TEXT(CStockUserLoginInfoField, AccountNo, 0),     QF_TEXT(CStockUserLoginInfoField, LoginField01, 1),
    QF_TEXT(CStockUserLoginInfoField, LoginField02, 2),  QF_TEXT(CStockUserLoginInfoField, LoginField03, 3),
    QF_TEXT(CStockUserLoginInfoField, LoginField04, 4),  QF_TEXT(CStockUserLoginInfoField, LoginField05, 5),
    QF_TEXT(CStockUserLoginInfoField, LoginField06, 6),  QF_TEXT(CStockUserLoginInfoField, LoginField07, 7),
    QF_TEXT(CStockUserLoginInfoField, LoginField08, 8),  QF_TEXT(CStockUserLoginInfoField, LoginField09, 9),
    QF_TEXT(CStockUserLoginInfoField, LoginField10, 10), QF_TEXT(CStockUserLoginInfoField, LoginField11, 11),
    QF_TEXT(CStockUserLoginInfoField, LoginField12, 12), QF_TEXT(CStockUserLoginInfoField, LoginField13, 13),
    QF_TEXT(CStockUserLoginInfoField, LoginField14, 14), QF_TEXT(CStockUserLoginInfoField, LoginField15, 15),
    QF_TEXT(CStockUserLoginInfoField, LoginField16, 16), QF_TEXT(CStockUserLoginInfoField, LoginField17, 17),
    QF_TEXT(CStockUserLoginInfoField, LoginField18, 18), QF_TEXT(CStockUserLoginInfoField, LoginField19, 19),
    QF_TEXT(CStockUserLoginInfoField, LoginField20, 20), QF_TEXT(CStockUserLoginInfoField, LoginField21, 21),
    QF_TEXT(CStockUserLoginInfoField, LoginField22, 22), QF_TEXT(CStockUserLoginInfoField, LoginField23, 23),
    QF_TEXT(CStockUserLoginInfoField, LoginField24, 24), QF_TEXT(CStockUserLoginInfoField, LoginField25, 25),
    QF_TEXT(CStockUserLoginInfoField, LoginField26, 26), QF_TEXT(CStockUserLoginInfoField, LoginField27, 27),
    QF_TEXT(CStockUserLoginInfoField, LoginField28, 28), QF_TEXT(CStockUserLoginInfoField, LoginField29, 29),
    QF_TEXT(CStockUserLoginInfoField, LoginField30, 30), QF_TEXT(CStockUserLoginInfoField, LoginField31, 31),
    QF_TEXT(CStockUserLoginInfoField, LoginField32, 32), QF_TEXT(CStockUserLoginInfoField, LoginField33, 33),
    QF_TEXT(CStockUserLoginInfoField, LoginField34, 34), QF_TEXT(CStockUserLoginInfoField, VerifyStep, 35),
    QF_TEXT(CStockUserLoginInfoField, LoginField36, 36), QF_TEXT(CStockUserLoginInfoField, SetAnswerStep, 37),
    QF_TEXT(CStockUserLoginInfoField, LoginField38, 38), QF_TEXT(CStockUserLoginInfoField, LoginField39, 39),
    QF_TEXT(CStockUserLoginInfoField, LoginField40, 40), QF_TEXT(CStockUserLoginInfoField, LoginField41, 41),
    QF_TEXT(CStockUserLoginInfoField, LoginField42, 42), QF_TEXT(CStockUserLoginInfoField, LoginField43, 43),
    QF_TEXT(CStockUserLoginInfoField, LoginField44, 44), QF_TEXT(CStockUserLoginInfoField, LoginField45, 45),
};

const FieldMap kOrderInsertRows[] = {
    QF_HEAD(CStockOrderField, UserId, 8),   QF_TEXT(CStockOrderField, Item01, 1),
    QF_TEXT(CStockOrderField, SystemNo, 2), QF_HEAD(CStockOrderField, LocalNo, 1),
    QF_TEXT(CStockOrderField, Item04, 4),   QF_TEXT(CStockOrderField, Item08, 8),
    QF_TEXT(CStockOrderField, Item09, 9),   QF_TEXT(CStockOrderField, Item10, 10),
    QF_TEXT(CStockOrderField, Item11, 11),  QF_TEXT(CStockOrderField, Item12, 12),
    QF_TEXT(CStockOrderField, Item16, 16),  QF_TEXT(CStockOrderField, Item18, 18),
    QF_TEXT(CStockOrderField, Item19, 19),  QF_TEXT(CStockOrderField, Item20, 20),
    QF_TEXT(CStockOrderField, Item21, 21),  QF_TEXT(CStockOrderField, Item24, 24),
    QF_TEXT(CStockOrderField, Item25, 25),  QF_TEXT(CStockOrderField, Item26, 26),
    QF_TEXT(CStockOrderField, Item27, 27),  QF_TEXT(CStockOrderField, Item28, 28),
    QF_TEXT(CStockOrderField, Item29, 29),  QF_TEXT(CStockOrderField, Item30, 30),
};

const FieldMap kOrderModifyRows[] = {
    QF_HEAD(CStockOrderField, UserId, 3),   QF_TEXT(CStockOrderField, Item01, 1),
    QF_TEXT(CStockOrderField, SystemNo, 2), QF_TEXT(CStockOrderField, LocalNo, 3),
    QF_TEXT(CStockOrderField, Item04, 4),   QF_TEXT(CStockOrderField, Item08, 8),
    QF_TEXT(CStockOrderField, Item09, 9),   QF_TEXT(CStockOrderField, Item10, 10),
    QF_TEXT(CStockOrderField, Item11, 11),  QF_TEXT(CStockOrderField, Item12, 12),
    QF_TEXT(CStockOrderField, Item16, 16),  QF_TEXT(CStockOrderField, Item18, 18),
    QF_TEXT(CStockOrderField, Item19, 19),  QF_TEXT(CStockOrderField, Item20, 20),
    QF_TEXT(CStockOrderField, Item21, 21),  QF_TEXT(CStockOrderField, Item24, 24),
    QF_TEXT(CStockOrderField, Item25, 25),  QF_TEXT(CStockOrderField, Item26, 26),
    QF_TEXT(CStockOrderField, Item27, 27),  QF_TEXT(CStockOrderField, Item28, 28),
    QF_TEXT(CStockOrderField, Item29, 29),  QF_TEXT(CStockOrderField, Item30, 30),
};

const FieldMap kOrderHeadRows[] = {
    QF_HEAD(CStockOrderField, SystemNo, 2),
    QF_HEAD(CStockOrderField, LocalNo, 1),
};

const FieldMap kCancelRows[] = {
    QF_TEXT(CStockCancelField, UserId, 0),   QF_TEXT(CStockCancelField, AccountNo, 1),
    QF_TEXT(CStockCancelField, SystemNo, 2), QF_HEAD(CStockCancelField, LocalNo, 1),
    QF_TEXT(CStockCancelField, Item03, 3),   QF_TEXT(CStockCancelField, Item04, 4),
    QF_TEXT(CStockCancelField, Item05, 5),   QF_TEXT(CStockCancelField, Item06, 6),
    QF_TEXT(CStockCancelField, Item07, 7),   QF_TEXT(CStockCancelField, Item08, 8),
    QF_TEXT(CStockCancelField, Item09, 9),   QF_TEXT(CStockCancelField, Item10, 10),
    QF_TEXT(CStockCancelField, Item11, 11),  QF_TEXT(CStockCancelField, Item13, 13),
    QF_TEXT(CStockCancelField, Item15, 15),  QF_TEXT(CStockCancelField, Item16, 16),
    QF_TEXT(CStockCancelField, Item17, 17),
};

const FieldMap kCancelHeadRows[] = {
    QF_HEAD(CStockCancelField, UserId, 8),   QF_HEAD(CStockCancelField, AccountNo, 5),
    QF_HEAD(CStockCancelField, SystemNo, 2), QF_HEAD(CStockCancelField, LocalNo, 1),
    QF_HEAD(CStockCancelField, Item05, 6),
};

const FieldMap kOrderStatusRows[] = {
    QF_HEAD(CStockOrderStatusField, LocalNo, 1), QF_TEXT(CStockOrderStatusField, Item00, 0),
    QF_TEXT(CStockOrderStatusField, Item01, 1),  QF_TEXT(CStockOrderStatusField, Item02, 2),
    QF_INT(CStockOrderStatusField, Item03, 3),   QF_INT(CStockOrderStatusField, Item04, 4),
    QF_REAL(CStockOrderStatusField, Item05, 5),  QF_INT(CStockOrderStatusField, Item06, 6),
    QF_REAL(CStockOrderStatusField, Item07, 7),  QF_REAL(CStockOrderStatusField, Item08, 8),
    QF_INT(CStockOrderStatusField, Item09, 9),   QF_REAL(CStockOrderStatusField, Item10, 10),
    QF_REAL(CStockOrderStatusField, Item11, 11), QF_TEXT(CStockOrderStatusField, Item12, 12),
    QF_REAL(CStockOrderStatusField, Item13, 13), QF_INT(CStockOrderStatusField, Item14, 14),
    QF_TEXT(CStockOrderStatusField, Item15, 15), QF_TEXT(CStockOrderStatusField, Item16, 16),
    QF_REAL(CStockOrderStatusField, Item17, 17), QF_REAL(CStockOrderStatusField, Item18, 18),
    QF_REAL(CStockOrderStatusField, Item19, 19), QF_REAL(CStockOrderStatusField, Item20, 20),
};

const FieldMap kTradeRows[] = {
    QF_TEXT(CStockTradeField, Item00, 0),  QF_TEXT(CStockTradeField, Item01, 1),  QF_TEXT(CStockTradeField, Item02, 2),
    QF_TEXT(CStockTradeField, Item03, 3),  QF_TEXT(CStockTradeField, Item04, 4),  QF_TEXT(CStockTradeField, Item05, 5),
    QF_TEXT(CStockTradeField, Item06, 6),  QF_TEXT(CStockTradeField, Item07, 7),  QF_TEXT(CStockTradeField, Item08, 8),
    QF_TEXT(CStockTradeField, Item09, 9),  QF_TEXT(CStockTradeField, Item10, 10), QF_TEXT(CStockTradeField, Item11, 11),
    QF_TEXT(CStockTradeField, Item12, 12), QF_TEXT(CStockTradeField, Item13, 13), QF_TEXT(CStockTradeField, Item14, 14),
    QF_TEXT(CStockTradeField, Item15, 15), QF_TEXT(CStockTradeField, Item16, 16), QF_TEXT(CStockTradeField, Item17, 17),
    QF_TEXT(CStockTradeField, Item18, 18), QF_TEXT(CStockTradeField, Item19, 19), QF_TEXT(CStockTradeField, Item20, 20),
    QF_TEXT(CStockTradeField, Item21, 21), QF_TEXT(CStockTradeField, Item22, 22), QF_TEXT(CStockTradeField, Item23, 23),
};

const FieldMap kCapitalRows[] = {
    QF_TEXT(CStockCapitalField, Item14, 14), QF_TEXT(CStockCapitalField, Item00, 0),
    QF_TEXT(CStockCapitalField, Item01, 1),  QF_REAL(CStockCapitalField, Item02, 2),
    QF_REAL(CStockCapitalField, Item03, 3),  QF_REAL(CStockCapitalField, Item04, 4),
    QF_REAL(CStockCapitalField, Item05, 5),  QF_REAL(CStockCapitalField, Item06, 6),
    QF_REAL(CStockCapitalField, Item07, 7),  QF_REAL(CStockCapitalField, Item08, 8),
    QF_REAL(CStockCapitalField, Item09, 9),  QF_REAL(CStockCapitalField, Item10, 10),
    QF_INT(CStockCapitalField, Item11, 11),  QF_REAL(CStockCapitalField, Item12, 12),
    QF_REAL(CStockCapitalField, Item13, 13), QF_REAL(CStockCapitalField, Item15, 15),
    QF_REAL(CStockCapitalField, Item16, 16), QF_REAL(CStockCapitalField, Item17, 17),
    QF_REAL(CStockCapitalField, Item18, 18), QF_TEXT(CStockCapitalField, Item19, 19),
    QF_TEXT(CStockCapitalField, Item20, 20), QF_TEXT(CStockCapitalField, Item21, 21),
    QF_INT(CStockCapitalField, Item22, 22),  QF_INT(CStockCapitalField, Item23, 23),
    QF_REAL(CStockCapitalField, Item24, 24), QF_INT(CStockCapitalField, Item25, 25),
    QF_REAL(CStockCapitalField, Item26, 26), QF_REAL(CStockCapitalField, Item27, 27),
    QF_INT(CStockCapitalField, Item28, 28),  QF_REAL(CStockCapitalField, Item29, 29),
    QF_REAL(CStockCapitalField, Item30, 30), QF_TEXT(CStockCapitalField, Item31, 31),
    QF_REAL(CStockCapitalField, Item32, 32), QF_REAL(CStockCapitalField, Item33, 33),
    QF_REAL(CStockCapitalField, Item34, 34), QF_REAL(CStockCapitalField, Item35, 35),
    QF_REAL(CStockCapitalField, Item36, 36), QF_REAL(CStockCapitalField, Item37, 37),
    QF_REAL(CStockCapitalField, Item38, 38), QF_REAL(CStockCapitalField, Item39, 39),
    QF_REAL(CStockCapitalField, Item40, 40), QF_REAL(CStockCapitalField, Item41, 41),
    QF_REAL(CStockCapitalField, Item42, 42), QF_REAL(CStockCapitalField, Item43, 43),
    QF_REAL(CStockCapitalField, Item44, 44), QF_REAL(CStockCapitalField, Item45, 45),
};

const FieldMap kPositionRows[] = {
    QF_TEXT(CStockPositionField, Item00, 0),     QF_TEXT(CStockPositionField, Item01, 1),
    QF_TEXT(CStockPositionField, Item02, 2),     QF_TEXT(CStockPositionField, Item03, 3),
    QF_REAL(CStockPositionField, Item04, 4),     QF_INT(CStockPositionField, Item05, 5),
    QF_INT(CStockPositionField, Item06, 6),      QF_INT(CStockPositionField, Item07, 7),
    QF_REAL(CStockPositionField, Item08, 8),     QF_REAL(CStockPositionField, Item09, 9),
    QF_INT(CStockPositionField, Item10, 10),     QF_INT(CStockPositionField, Item11, 11),
    QF_TEXT(CStockPositionField, Item12, 12),    QF_REAL(CStockPositionField, Item13, 13),
    QF_INT(CStockPositionField, Item14, 14),     QF_INT(CStockPositionField, Item15, 15),
    QF_INT(CStockPositionField, Item16, 16),     QF_INT(CStockPositionField, Item17, 17),
    QF_INT(CStockPositionField, Item18, 18),     QF_INT(CStockPositionField, Item20, 20),
    QF_INTREAL(CStockPositionField, Item21, 21), QF_INTREAL(CStockPositionField, Item22, 22),
};

const FieldMap kOrderListRows[] = {
    QF_TEXT(CStockOrderListField, Item00, 0),   QF_TEXT(CStockOrderListField, Item01, 1),
    QF_TEXT(CStockOrderListField, SystemNo, 2), QF_TEXT(CStockOrderListField, LocalNo, 3),
    QF_TEXT(CStockOrderListField, Item04, 4),   QF_TEXT(CStockOrderListField, Item08, 8),
    QF_TEXT(CStockOrderListField, Item09, 9),   QF_TEXT(CStockOrderListField, Item10, 10),
    QF_TEXT(CStockOrderListField, Item11, 11),  QF_TEXT(CStockOrderListField, Item12, 12),
    QF_TEXT(CStockOrderListField, Item13, 13),  QF_TEXT(CStockOrderListField, Item14, 14),
    QF_TEXT(CStockOrderListField, Item16, 16),  QF_TEXT(CStockOrderListField, Item18, 18),
    QF_TEXT(CStockOrderListField, Item19, 19),  QF_TEXT(CStockOrderListField, Item20, 20),
    QF_TEXT(CStockOrderListField, Item21, 21),  QF_TEXT(CStockOrderListField, Item23, 23),
    QF_TEXT(CStockOrderListField, Item24, 24),  QF_TEXT(CStockOrderListField, Item25, 25),
    QF_TEXT(CStockOrderListField, Item26, 26),  QF_TEXT(CStockOrderListField, Item27, 27),
    QF_TEXT(CStockOrderListField, Item28, 28),  QF_TEXT(CStockOrderListField, Item29, 29),
    QF_TEXT(CStockOrderListField, Item30, 30),  QF_TEXT(CStockOrderListField, Item31, 31),
};

const FieldMap kAccountRows[] = {
    QF_TEXT(CStockAccountField, Item00, 0),  QF_TEXT(CStockAccountField, Item05, 5),
    QF_TEXT(CStockAccountField, Item06, 6),  QF_TEXT(CStockAccountField, Item07, 7),
    QF_TEXT(CStockAccountField, Item09, 9),  QF_TEXT(CStockAccountField, Item08, 8),
    QF_TEXT(CStockAccountField, Item10, 10), QF_TEXT(CStockAccountField, Item12, 12),
    QF_TEXT(CStockAccountField, Item11, 11), QF_TEXT(CStockAccountField, Item02, 2),
    QF_TEXT(CStockAccountField, Item04, 4),  QF_TEXT(CStockAccountField, Item03, 3),
    QF_TEXT(CStockAccountField, Item13, 13), QF_TEXT(CStockAccountField, Item18, 18),
    QF_REAL(CStockAccountField, Item19, 19), QF_REAL(CStockAccountField, Item17, 17),
    QF_REAL(CStockAccountField, Item20, 20), QF_REAL(CStockAccountField, Item21, 21),
    QF_REAL(CStockAccountField, Item22, 22), QF_REAL(CStockAccountField, Item23, 23),
    QF_REAL(CStockAccountField, Item25, 25), QF_TEXT(CStockAccountField, Item01, 1),
    QF_REAL(CStockAccountField, Item26, 26), QF_REAL(CStockAccountField, Item27, 27),
    QF_REAL(CStockAccountField, Item28, 28), QF_REAL(CStockAccountField, Item29, 29),
    QF_REAL(CStockAccountField, Item30, 30), QF_REAL(CStockAccountField, Item31, 31),
    QF_REAL(CStockAccountField, Item32, 32), QF_REAL(CStockAccountField, Item33, 33),
    QF_REAL(CStockAccountField, Item34, 34), QF_REAL(CStockAccountField, Item35, 35),
    QF_REAL(CStockAccountField, Item36, 36), QF_REAL(CStockAccountField, Item37, 37),
    QF_REAL(CStockAccountField, Item38, 38), QF_REAL(CStockAccountField, Item39, 39),
    QF_REAL(CStockAccountField, Item40, 40),
};

const FieldMap kQuestionRows[] = {
    QF_TEXT(CStockQuestionField, QuestionField1, 0),
    QF_TEXT(CStockQuestionField, QuestionField2, 1),
    QF_TEXT(CStockQuestionField, QuestionField3, 2),
    QF_TEXT(CStockQuestionField, QuestionField4, 3),
};

const FieldMap kPasswordRows[] = {
    QF_TEXT(CStockPasswordField, PwsField1, 0),
    QF_TEXT(CStockPasswordField, PwsField2, 1),
    QF_TEXT(CStockPasswordField, PwsField3, 2),
};

constexpr bool kList = true;
constexpr bool kSingle = false;

}  // namespace

namespace StockAnswers {

const FieldTable kLoginInfo = MakeTable(kLoginInfoRows);
const DataRules kOrderInsert{kSingle, MakeTable(kOrderInsertRows), MakeTable(kOrderHeadRows)};
const DataRules kOrderModify{kSingle, MakeTable(kOrderModifyRows), MakeTable(kOrderHeadRows)};
// "SYSTEMNO": whatever the body holds, only the head's system and local numbers are delivered.
const DataRules kSystemNo{kSingle, MakeTable(kOrderHeadRows), MakeTable(kOrderHeadRows)};
const DataRules kOrderCancel{kSingle, MakeTable(kCancelRows), MakeTable(kCancelHeadRows), 90006, "数组为空"};
const DataRules kOrderStatus{kList, MakeTable(kOrderStatusRows)};
const DataRules kFilled{kList, MakeTable(kTradeRows)};
const DataRules kCapital{kSingle, MakeTable(kCapitalRows)};
const DataRules kPosition{kSingle, MakeTable(kPositionRows)};
const DataRules kQryOrder{kList, MakeTable(kOrderListRows)};
const DataRules kQryTrade{kList, MakeTable(kTradeRows)};
const DataRules kQryCapital{kList, MakeTable(kAccountRows)};
const DataRules kQryPosition{kList, MakeTable(kPositionRows)};
const DataRules kGetQuestion{kList, MakeTable(kQuestionRows)};
const DataRules kPasswordUpdate{kSingle, MakeTable(kPasswordRows)};

}  // namespace StockAnswers
