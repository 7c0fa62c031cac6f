#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "QuintaraApi.h"
#include "support/FutureRecorder.h"
#include "support/MessageBuilder.h"
#include "support/TestText.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using FutureSession = TradingSession<CFutureApi, FutureRecorder>;

class FutureQueryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s.Start()); }
    FutureSession s;
};

// `n` fields, field i the text "i.5": a text member shows "i.5", an int member i, a double i + 0.5.
std::string Values(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += (i ? "@" : "") + std::to_string(i) + ".5";
    return out;
}

template <class T>
const T& As(const RecordedEvent& e) {
    return e.As<T>();
}

bool AllZero(const RecordedEvent& e) {
    return std::all_of(e.data.begin(), e.data.end(), [](unsigned char c) { return c == 0; });
}

// ---- requests ----

TEST_F(FutureQueryTest, RequestsOnTheWire) {
    // Before any login answer the account is empty.
    auto order = Zeroed<CFutureQryOrderField>();
    std::strcpy(order.Item00, "X");
    std::strcpy(order.Reserved1, "ignored");
    ASSERT_EQ(s.api->ReqQryOrder(&order, 1), 1);
    EXPECT_EQ(s.NextMessage(), "ORDERLST@@@@@@@@0@@1&X@@@@@@");

    auto trade = Zeroed<CFutureQryTradeField>();
    std::strcpy(trade.HeadField3, "H3");
    std::strcpy(trade.Item02, "i2");
    std::strcpy(trade.Item04, "i4");
    ASSERT_EQ(s.api->ReqQryTrade(&trade, 2), 1);
    EXPECT_EQ(s.NextMessage(), "FILLLIST@@@H3@@@@@0@@2&@@i2@@i4");

    auto capital = Zeroed<CFutureQryCapitalField>();
    ASSERT_EQ(s.api->ReqQryCapital(&capital, 3), 1);
    EXPECT_EQ(s.NextMessage(), "DEPOSTAT@@@@@@@@0@@3&");

    auto position = Zeroed<CFutureQryPositionField>();
    ASSERT_EQ(s.api->ReqQryPosition(&position, 4), 1);
    EXPECT_EQ(s.NextMessage(), "OPENDETL@@@@@@@@0@@4&");

    auto total = Zeroed<CFutureQryTotalPositionField>();
    std::strcpy(total.AccountNo, "TA");
    ASSERT_EQ(s.api->ReqQryTotalPosition(&total, 5), 1);
    EXPECT_EQ(s.NextMessage(), "SEARCHHT@@@0@@TA@@@@@5&");  // kind code in field 3, field 8 empty

    auto exchange = Zeroed<CFutureQryExchangeField>();
    ASSERT_EQ(s.api->ReqQryExchange(&exchange, 6), 1);
    EXPECT_EQ(s.NextMessage(), "EXCHANGE@@@@@@@@0@@6&");

    auto currency = Zeroed<CFutureQryCurrencyField>();
    ASSERT_EQ(s.api->ReqQryCurrency(&currency, 7), 1);
    EXPECT_EQ(s.NextMessage(), "CRNYLIST@@@@@@@@0@@7&");

    auto commodity = Zeroed<CFutureQryCommodityField>();
    std::strcpy(commodity.HeadField1, "H1");
    std::strcpy(commodity.HeadField6, "H6");
    ASSERT_EQ(s.api->ReqQryCommodity(&commodity, 9), 1);
    EXPECT_EQ(s.NextMessage(), "GetComdy@H1@@@@@H6@@0@@9&");

    auto exchangeTime = Zeroed<CFutureQryExchangeTimeField>();
    ASSERT_EQ(s.api->ReqQryExchangeTime(&exchangeTime, 10), 1);
    EXPECT_EQ(s.NextMessage(), "GETETIME@@@@@@@@0@@10&");

    auto commodityTime = Zeroed<CFutureQryCommodityTimeField>();
    ASSERT_EQ(s.api->ReqQryCommodityTime(&commodityTime, 11), 1);
    EXPECT_EQ(s.NextMessage(), "GETCTIME@@@@@@@@0@@11&@");
    std::strcpy(commodityTime.ReqCommSumWinField00, "k0");
    std::strcpy(commodityTime.ReqCommSumWinField01, "k1");
    ASSERT_EQ(s.api->ReqQryCommodityTime(&commodityTime, 11), 1);
    EXPECT_EQ(s.NextMessage(), "GETCTIME@@@@@@@@0@@11&k0@k1");

    // The instrument record as a request body: texts empty, integers "0", decimals "0.0", item 12
    // with the decimals of item 14 ("0"), item 33 empty; then the request's items.
    auto instrumentBody = [](std::vector<std::pair<size_t, std::string>> given) {
        std::vector<std::string> items(39);
        for (size_t i : {9, 10, 17, 19, 20, 21, 22, 23, 24, 25, 28, 29}) items[i] = "0.0";
        for (size_t i : {12, 14, 15, 16}) items[i] = "0";
        for (const auto& [at, value] : given) items[at] = value;
        std::string out;
        for (size_t i = 0; i < items.size(); ++i) out += (i ? "@" : "") + items[i];
        return out;
    };
    auto strategy = Zeroed<CFutureQryStrategyField>();
    ASSERT_EQ(s.api->ReqQryStrategy(&strategy, 12), 1);  // an empty ExchangeNo is sent
    EXPECT_EQ(s.NextMessage(), "GETSTRLS@@@@@@@@0@@12&" + instrumentBody({}));
    std::strcpy(strategy.ExchangeNo, "EX");
    ASSERT_EQ(s.api->ReqQryStrategy(&strategy, 12), 1);
    EXPECT_EQ(s.NextMessage(), "GETSTRLS@@@@@@@@0@@12&" + instrumentBody({{1, "EX"}}));

    auto instrument = Zeroed<CFutureQryInstrumentField>();
    EXPECT_EQ(s.api->ReqQryInstrument(&instrument, 13), 0);
    EXPECT_STREQ(instrument.ErrorMsg, "ExchangeNo 不能为空.");
    instrument = Zeroed<CFutureQryInstrumentField>();
    instrument.HeadField2 = -3;
    std::strcpy(instrument.ExchangeNo, "EX");
    std::strcpy(instrument.InstrumentField02, "c2");
    std::strcpy(instrument.InstrumentField04, "c4");
    std::strcpy(instrument.InstrumentField06, "c6");
    ASSERT_EQ(s.api->ReqQryInstrument(&instrument, 13), 1);
    EXPECT_EQ(s.NextMessage(),
              "CONTRACT@@-3@@@@@@0@@13&" + instrumentBody({{1, "EX"}, {2, "c2"}, {4, "c4"}, {6, "c6"}}));

    auto detail = Zeroed<CFutureQryStrategyDetailField>();
    std::strcpy(detail.StrategyDetailField07, "STR");
    ASSERT_EQ(s.api->ReqQryStrategyDetail(&detail, 14), 1);
    EXPECT_EQ(s.NextMessage(), "GETSTRDL@@@@@@@@0@@14&" + Record(11, {{3, "0"}, {5, "0"}, {7, "STR"}, {9, "0"}}));

    auto question = Zeroed<CFutureReqGetQuestionField>();
    question.Reserved = 77;
    ASSERT_EQ(s.api->ReqGetQuestion(&question, 15), 1);
    EXPECT_EQ(s.NextMessage(), "VfQuList@@@@@@@@0@@15&");

    auto code = Zeroed<CFutureReqVerifyCodeField>();
    ASSERT_EQ(s.api->ReqVerifyCode(&code, 16), 1);
    EXPECT_EQ(s.NextMessage(), "RequVfCd@@@@@@@@0@@16&@@@@@@@");
    std::strcpy(code.VerifyField1, "c1");
    std::strcpy(code.VerifyField7, "c7");
    ASSERT_EQ(s.api->ReqVerifyCode(&code, 16), 1);
    EXPECT_EQ(s.NextMessage(), "RequVfCd@@@@@@@@0@@16&c1@@@@@@c7@");

    auto logout = Zeroed<CFutureReqUserLogoutField>();
    ASSERT_EQ(s.api->ReqUserLogout(&logout, -5), 1);
    EXPECT_EQ(s.NextMessage(), "UNLOGIN1@@@A@@@@@0@@-5&");
}

TEST_F(FutureQueryTest, LoggedInQueriesCarryTheAccount) {
    s.Push(Message("LOGIN001", {}, "ACC" + std::string(34, '@')));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLoginInfo", 1));
    auto order = Zeroed<CFutureQryOrderField>();
    auto capital = Zeroed<CFutureQryCapitalField>();
    auto position = Zeroed<CFutureQryPositionField>();
    auto exchange = Zeroed<CFutureQryExchangeField>();
    auto instrument = Zeroed<CFutureQryInstrumentField>();
    auto trade = Zeroed<CFutureQryTradeField>();
    std::strcpy(instrument.ExchangeNo, "EX");
    ASSERT_EQ(s.api->ReqQryOrder(&order, 1), 1);
    ASSERT_EQ(s.api->ReqQryCapital(&capital, 2), 1);
    ASSERT_EQ(s.api->ReqQryPosition(&position, 3), 1);
    ASSERT_EQ(s.api->ReqQryExchange(&exchange, 4), 1);
    ASSERT_EQ(s.api->ReqQryInstrument(&instrument, 5), 1);
    ASSERT_EQ(s.api->ReqQryTrade(&trade, 6), 1);
    for (const char* prefix : {"ORDERLST@@@@@ACC@", "DEPOSTAT@@@@@ACC@", "OPENDETL@@@@@ACC@", "EXCHANGE@@@@@ACC@",
                               "CONTRACT@@0@@@ACC@", "FILLLIST@@@@@@@"}) {  // the fill query sends no account
        EXPECT_EQ(s.NextMessage().rfind(prefix, 0), 0u) << prefix;
    }
}

TEST_F(FutureQueryTest, FiveIndependentThrottles) {
    auto order = Zeroed<CFutureQryOrderField>();
    auto trade = Zeroed<CFutureQryTradeField>();
    auto capital = Zeroed<CFutureQryCapitalField>();
    auto position = Zeroed<CFutureQryPositionField>();
    auto total = Zeroed<CFutureQryTotalPositionField>();
    const std::vector<std::pair<std::function<int()>, char*>> queries = {
        {[&] { return s.api->ReqQryOrder(&order, 1); }, order.ErrorMsg},
        {[&] { return s.api->ReqQryTrade(&trade, 1); }, trade.ErrorMsg},
        {[&] { return s.api->ReqQryCapital(&capital, 1); }, capital.ErrorMsg},
        {[&] { return s.api->ReqQryPosition(&position, 1); }, position.ErrorMsg},
        {[&] { return s.api->ReqQryTotalPosition(&total, 1); }, total.ErrorMsg},
    };
    for (const auto& q : queries) EXPECT_EQ(q.first(), 1);  // one of each kind passes
    for (const auto& q : queries) {
        EXPECT_EQ(q.first(), 0);
        EXPECT_STREQ(q.second, "每种查询一秒只能查询一次.");
    }
    // Unthrottled requests are not held back.
    auto currency = Zeroed<CFutureQryCurrencyField>();
    EXPECT_EQ(s.api->ReqQryCurrency(&currency, 1), 1);
    EXPECT_EQ(s.api->ReqQryCurrency(&currency, 1), 1);
    for (int i = 0; i < 7; ++i) EXPECT_FALSE(s.NextMessage().empty());
    EXPECT_FALSE(s.server.ReadFrame(200).has_value());  // the refused queries sent nothing
}

// ---- secrets in the log ----

TEST_F(FutureQueryTest, SecretsAreMaskedInTheLogButNotOnTheWire) {
    auto version = Zeroed<CFutureQryVersionField>();
    std::strcpy(version.UserId, "user9");
    std::strcpy(version.UserPwd, "pw-version");
    auto password = Zeroed<CFutureReqPasswordUpdateField>();
    std::strcpy(password.PwsField1, "pw-old");
    std::strcpy(password.PwsField2, "pw-new");
    std::strcpy(password.PwsField3, "pw-new2");
    auto qa = Zeroed<CFutureReqSetVerifyQAField>();
    std::strcpy(qa.VerifyField1, "question-1");
    std::strcpy(qa.VerifyField2, "answer-1");
    std::strcpy(qa.VerifyField8, "answer-8");
    auto verify = Zeroed<CFutureReqSafeVerifyField>();
    std::strcpy(verify.VerifyField1, "answer-v1");
    std::strcpy(verify.VerifyField8, "answer-v8");
    std::strcpy(verify.VerifyExtra, "EX");

    ASSERT_EQ(s.api->ReqQryVersion(&version, 1), 1);
    ASSERT_EQ(s.api->ReqPasswordUpdate(&password, 2), 1);
    ASSERT_EQ(s.api->ReqSetVerifyQA(&qa, 3), 1);
    ASSERT_EQ(s.api->ReqSafeVerify(&verify, 4), 1);
    const struct {
        std::string wire;
        std::string logged;
    } cases[] = {
        {"GETVER01@@@@@@@@0@@1&user9@pw-version@0@@", "GETVER01@@@@@@@@0@@1&user9@******@0@@"},
        // The password change carries the kind code in head field 3.
        {"MODIFYPW@@@0@@@@@@@2&pw-old@pw-new@pw-new2", "MODIFYPW@@@0@@@@@@@2&******@******@******"},
        {"SetVeriQA@@@@@@@@0@@3&question-1@answer-1@@@@@@answer-8", "SetVeriQA@@@@@@@@0@@3&******@******@@@@@@******"},
        {"SfVerify@@EX@@@@@@0@@4&answer-v1@@@@@@@answer-v8", "SfVerify@@EX@@@@@@0@@4&******@@@@@@@******"},
    };
    for (const auto& c : cases) EXPECT_EQ(s.NextMessage(), c.wire);
    const std::string log = s.LogText();
    for (const auto& c : cases) EXPECT_NE(log.find(c.logged), std::string::npos) << c.logged;
    for (const char* secret : {"pw-version", "pw-old", "pw-new", "question-1", "answer-"})
        EXPECT_EQ(log.find(secret), std::string::npos) << secret;
}

// ---- answers ----

struct AnswerCase {
    const char* code;
    const char* callback;
    bool list;
    size_t minimum;  // fewest fields a record needs
    size_t full;     // fields of a complete record
    // Members of the call for a complete record (first) and for a record of the minimum (second).
    std::function<void(const RecordedEvent&, const RecordedEvent&)> check;
};

const AnswerCase kAnswers[] = {
    {"ORDERLST", "OnRspQryOrder", true, 24, 34,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         EXPECT_STREQ(As<CFutureOrderListField>(f).Item00, "0.5");
         EXPECT_STREQ(As<CFutureOrderListField>(f).SystemNo, "2.5");
         EXPECT_STREQ(As<CFutureOrderListField>(f).LocalNo, "3.5");
         EXPECT_STREQ(As<CFutureOrderListField>(f).Item31, "31.5");
         EXPECT_STREQ(As<CFutureOrderListField>(m).Item23, "23.5");
         EXPECT_STREQ(As<CFutureOrderListField>(m).Item24, "");
     }},
    {"FILLLIST", "OnRspQryTrade", true, 18, 21,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         EXPECT_STREQ(As<CFutureTradeField>(f).Item20, "20.5");
         EXPECT_STREQ(As<CFutureTradeField>(f).Extra, "");
         EXPECT_STREQ(As<CFutureTradeField>(m).Item17, "17.5");
         EXPECT_STREQ(As<CFutureTradeField>(m).Item18, "");
     }},
    {"DEPOSTAT", "OnRspQryCapital", true, 17, 41,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         const auto& a = As<CFutureAccountField>(f);
         EXPECT_STREQ(a.Item00, "0.5");
         EXPECT_STREQ(a.Item09, "9.5");
         EXPECT_STREQ(a.Item18, "18.5");
         EXPECT_DOUBLE_EQ(a.Item19, 19.5);
         EXPECT_DOUBLE_EQ(a.Item17, 17.5);
         EXPECT_DOUBLE_EQ(a.Item25, 25.5);
         EXPECT_STREQ(a.Item01, "1.5");
         EXPECT_DOUBLE_EQ(a.Item36, 36.5);
         EXPECT_STREQ(a.Extra, "");
         const auto& b = As<CFutureAccountField>(m);
         EXPECT_STREQ(b.Item13, "13.5");
         EXPECT_STREQ(b.Item18, "");
         EXPECT_DOUBLE_EQ(b.Item17, 0.0);
         EXPECT_DOUBLE_EQ(b.Item36, 0.0);
     }},
    {"OPENDETL", "OnRspQryPosition", true, 13, 15,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         const auto& a = As<CFuturePositionField>(f);
         EXPECT_STREQ(a.Item06, "6.5");
         EXPECT_STREQ(a.Item00, "0.5");
         EXPECT_EQ(a.Item09, 9);
         EXPECT_DOUBLE_EQ(a.Item10, 10.5);
         EXPECT_DOUBLE_EQ(a.Item11, 11.5);
         EXPECT_STREQ(a.Item13, "13.5");
         EXPECT_DOUBLE_EQ(a.Item14, 14.5);
         EXPECT_STREQ(a.Extra1, "");
         EXPECT_STREQ(a.Extra3, "");
         const auto& b = As<CFuturePositionField>(m);
         EXPECT_STREQ(b.Item12, "12.5");
         EXPECT_STREQ(b.Item13, "");
         EXPECT_DOUBLE_EQ(b.Item14, 0.0);
     }},
    {"SEARCHHT", "OnRspQryTotalPosition", true, 1, 21,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         const auto& a = As<CFutureOrderStatusField>(f);
         EXPECT_STREQ(a.LocalNo, "");
         EXPECT_STREQ(a.Item02, "2.5");
         EXPECT_EQ(a.Item03, 3);
         EXPECT_DOUBLE_EQ(a.Item05, 5.5);
         EXPECT_STREQ(a.Item12, "12.5");
         EXPECT_DOUBLE_EQ(a.Item20, 20.5);
         EXPECT_STREQ(As<CFutureOrderStatusField>(m).Item00, "0.5");
         EXPECT_EQ(As<CFutureOrderStatusField>(m).Item03, 0);
     }},
    {"VfQuList", "OnRspGetQuestion", true, 4, 4,
     [](const RecordedEvent& f, const RecordedEvent&) {
         EXPECT_STREQ(As<CFutureQuestionField>(f).QuestionField1, "0.5");
         EXPECT_STREQ(As<CFutureQuestionField>(f).QuestionField4, "3.5");
     }},
    {"EXCHANGE", "OnRspQryExchange", true, 2, 4,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         EXPECT_STREQ(As<CFutureExchangeField>(f).ExchangeField03, "3.5");
         EXPECT_STREQ(As<CFutureExchangeField>(m).ExchangeField01, "1.5");
         EXPECT_STREQ(As<CFutureExchangeField>(m).ExchangeField02, "");
     }},
    {"CRNYLIST", "OnRspQryCurrency", true, 3, 5,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         EXPECT_EQ(As<CFutureCurrencyField>(f).CurrencyField01, 1);
         EXPECT_DOUBLE_EQ(As<CFutureCurrencyField>(f).CurrencyField02, 2.5);
         EXPECT_STREQ(As<CFutureCurrencyField>(f).CurrencyField04, "4.5");
         EXPECT_STREQ(As<CFutureCurrencyField>(m).CurrencyField03, "");
     }},
    {"GetComdy", "OnRspQryCommodity", true, 15, 15,
     [](const RecordedEvent& f, const RecordedEvent&) {
         const auto& a = As<CFutureCommodityField>(f);
         EXPECT_STREQ(a.CommodityField06, "6.5");
         EXPECT_DOUBLE_EQ(a.CommodityField07, 7.5);
         EXPECT_DOUBLE_EQ(a.CommodityField09, 9.5);
         EXPECT_EQ(a.CommodityField10, 10);
         EXPECT_EQ(a.CommodityField11, 11);
         EXPECT_STREQ(a.CommodityField14, "14.5");
     }},
    {"GETETIME", "OnRspQryExchangeTime", true, 5, 5,
     [](const RecordedEvent& f, const RecordedEvent&) {
         EXPECT_STREQ(As<CFutureExchangeTimeField>(f).ExchangeTimeField04, "4.5");
     }},
    {"GETCTIME", "OnRspQryCommodityTime", true, 9, 9,
     [](const RecordedEvent& f, const RecordedEvent&) {
         EXPECT_STREQ(As<CFutureCommodityTimeField>(f).CommodityTimeField08, "8.5");
     }},
    {"CONTRACT", "OnRspQryInstrument", true, 17, 39,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         const auto& a = As<CFutureInstrumentField>(f);
         EXPECT_STREQ(a.InstrumentField00, "0.5");
         EXPECT_STREQ(a.ExchangeNo, "1.5");
         EXPECT_DOUBLE_EQ(a.InstrumentField09, 9.5);
         EXPECT_STREQ(a.InstrumentField11, "11.5");
         EXPECT_DOUBLE_EQ(a.InstrumentField12, 12.5);
         EXPECT_EQ(a.InstrumentField14, 14);
         EXPECT_EQ(a.InstrumentField16, 16);
         EXPECT_DOUBLE_EQ(a.InstrumentField17, 17.5);
         EXPECT_STREQ(a.InstrumentField18, "18.5");
         EXPECT_DOUBLE_EQ(a.InstrumentField29, 29.5);
         EXPECT_STREQ(a.InstrumentField33, "33.5");  // 33.5 with 14 decimals, trailing zeros removed
         EXPECT_STREQ(a.InstrumentField38, "38.5");
         const auto& b = As<CFutureInstrumentField>(m);
         EXPECT_EQ(b.InstrumentField16, 16);
         EXPECT_DOUBLE_EQ(b.InstrumentField17, 0.0);
         EXPECT_STREQ(b.InstrumentField18, "");
         EXPECT_STREQ(b.InstrumentField33, "0.0");
         EXPECT_STREQ(b.InstrumentField38, "");
     }},
    {"GETSTRLS", "OnRspQryStrategy", true, 17, 39,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         EXPECT_STREQ(As<CFutureInstrumentField>(f).ExchangeNo, "1.5");
         EXPECT_STREQ(As<CFutureInstrumentField>(f).InstrumentField38, "38.5");
         EXPECT_STREQ(As<CFutureInstrumentField>(m).InstrumentField38, "");
     }},
    {"GETVER01", "OnRspQryVersion", false, 3, 5,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         EXPECT_STREQ(As<CFutureVersionField>(f).VersionField04, "4.5");
         EXPECT_STREQ(As<CFutureVersionField>(m).VersionField02, "2.5");
         EXPECT_STREQ(As<CFutureVersionField>(m).VersionField03, "");
     }},
    {"GETSTRDL", "OnRspQryStrategyDetail", false, 11, 12,
     [](const RecordedEvent& f, const RecordedEvent& m) {
         const auto& a = As<CFutureStrategyDetailField>(f);
         EXPECT_STREQ(a.StrategyDetailField02, "2.5");
         EXPECT_EQ(a.StrategyDetailField03, 3);
         EXPECT_EQ(a.StrategyDetailField05, 5);
         EXPECT_STREQ(a.StrategyDetailField07, "7.5");
         EXPECT_EQ(a.StrategyDetailField09, 9);
         EXPECT_STREQ(a.StrategyDetailField11, "11.5");
         EXPECT_STREQ(a.StrategyDetailField12, "");  // members 12 to 27 are never filled
         EXPECT_DOUBLE_EQ(a.StrategyDetailField13, 0.0);
         EXPECT_EQ(a.StrategyDetailField27, 0);
         EXPECT_STREQ(As<CFutureStrategyDetailField>(m).StrategyDetailField11, "");
     }},
    {"MODIFYPW", "OnRspPasswordUpdate", false, 3, 3,
     [](const RecordedEvent& f, const RecordedEvent&) {
         EXPECT_STREQ(As<CFuturePasswordField>(f).PwsField1, "0.5");
         EXPECT_STREQ(As<CFuturePasswordField>(f).PwsField3, "2.5");
     }},
};

TEST_F(FutureQueryTest, AnswersFillTheirMembersForFullAndShortRecords) {
    for (const auto& c : kAnswers) {
        SCOPED_TRACE(c.code);
        s.sink.log.Clear();
        if (c.list) {
            // A record one field short is dropped among the others.
            std::string body = Values(c.full) + "^" + Values(c.minimum);
            if (c.minimum > 1) body += "^" + Values(c.minimum - 1);
            body += "^" + Values(c.full);
            s.Push(Message(c.code, {{10, "8"}}, body));
            ASSERT_TRUE(s.sink.log.WaitCount(c.callback, 3));
            s.Sync();
            auto e = s.sink.log.Named(c.callback);
            ASSERT_EQ(e.size(), 3u);
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(e[i].requestId, 8);
                EXPECT_EQ(e[i].errorId, 0);
                EXPECT_EQ(e[i].isLast, i == 2);
            }
            c.check(e[0], e[1]);
        } else {
            // A single-record body: the whole text is the record; a short one gives an empty call.
            s.Push(Message(c.code, {{10, "8"}}, Values(c.full)));
            s.Push(Message(c.code, {{10, "8"}}, Values(c.minimum)));
            s.Push(Message(c.code, {{10, "8"}}, Values(c.minimum - 1)));
            ASSERT_TRUE(s.sink.log.WaitCount(c.callback, 3));
            auto e = s.sink.log.Named(c.callback);
            for (const auto& call : e) {
                EXPECT_EQ(call.errorId, 0);
                EXPECT_TRUE(call.isLast);
            }
            c.check(e[0], e[1]);
            EXPECT_TRUE(AllZero(e[2]));
        }
    }
}

TEST_F(FutureQueryTest, ErrorAndEmptyCasesGiveOneZeroFilledCall) {
    for (const auto& c : kAnswers) {
        SCOPED_TRACE(c.code);
        s.sink.log.Clear();
        s.Push(Message(c.code, {{4, "12345"}, {10, "6"}}, Values(c.full)));
        s.Push(Message(c.code, {{9, "1"}}, "////"));  // compressed, but not a deflate stream
        s.Push(Message(c.code, {{9, "2"}}));          // compressed and empty
        s.Push(Message(c.code, {}));                  // empty
        ASSERT_TRUE(s.sink.log.WaitCount(c.callback, 4));
        s.Sync();
        auto e = s.sink.log.Named(c.callback);
        ASSERT_EQ(e.size(), 4u);
        // A list answer whose body yields no text reports an empty list, whatever the cause.
        const struct {
            int id;
            const char* text;
        } listExpected[] = {{12345, "未定义的错误码"},
                            {90003, "Normal body is empty"},
                            {90003, "Normal body is empty"},
                            {90003, "Normal body is empty"}},
          singleExpected[] = {
              {12345, "未定义的错误码"}, {90002, "Decompress fails"}, {90004, "Compress body is empty"}, {0, ""}};
        const auto& expected = c.list ? listExpected : singleExpected;
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(e[i].errorId, expected[i].id) << i;
            EXPECT_EQ(e[i].errorMsg, expected[i].text) << i;
            EXPECT_TRUE(e[i].isLast);
            EXPECT_TRUE(AllZero(e[i])) << i;
        }
        EXPECT_EQ(e[0].requestId, 6);
    }
}

TEST_F(FutureQueryTest, CompressedBodiesAreInflated) {
    s.Push(Message("CRNYLIST", {{9, "1"}, {10, "2"}}, MessageBuilder::CompressedBody(Values(5) + "^" + Values(3))));
    s.Push(Message("GETVER01", {{9, "2"}}, MessageBuilder::CompressedBody("v0@v1@v2@v3^v4")));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryCurrency", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryVersion", 1));
    const auto currencies = s.sink.log.Named("OnRspQryCurrency");
    EXPECT_STREQ(As<CFutureCurrencyField>(currencies[0]).CurrencyField04, "4.5");
    EXPECT_DOUBLE_EQ(As<CFutureCurrencyField>(currencies[1]).CurrencyField02, 2.5);
    EXPECT_TRUE(currencies[1].isLast);
    const auto versions = s.sink.log.Named("OnRspQryVersion");
    EXPECT_STREQ(As<CFutureVersionField>(versions[0]).VersionField03, "v3^v4");  // one record
}

TEST_F(FutureQueryTest, InstrumentDecimalsFollowItem14) {
    auto record = [](const char* decimals, const char* value, size_t fields) {
        std::vector<std::string> items(fields, "1");
        items[14] = decimals;
        if (fields > 33) items[33] = value;
        std::string out;
        for (size_t i = 0; i < fields; ++i) out += (i ? "@" : "") + items[i];
        return out;
    };
    s.Push(Message("CONTRACT", {},
                   record("2", "12.345", 34) + "^" + record("0", "12.345", 34) + "^" + record("3", "1.5", 34) + "^" +
                       record("0", "", 17) + "^" + record("2", "", 17)));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryInstrument", 5));
    auto e = s.sink.log.Named("OnRspQryInstrument");
    const char* expected[] = {"12.35", "12", "1.5", "0", "0.0"};
    for (size_t i = 0; i < 5; ++i) EXPECT_STREQ(As<CFutureInstrumentField>(e[i]).InstrumentField33, expected[i]) << i;
}

TEST_F(FutureQueryTest, StatusAnswersOfVerification) {
    s.Push(Message("SfVerify", {{10, "1"}}, "ignored@body"));
    s.Push(Message("SetVeriQA", {{4, "10012"}, {10, "2"}}));
    s.Push(Message("RequVfCd", {{10, "3"}}));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspSafeVerify", 1));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspSetVerifyQA", 1));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspVerifyCode", 1));
    auto verify = s.sink.log.Named("OnRspSafeVerify")[0];
    EXPECT_EQ(verify.errorId, 0);
    EXPECT_EQ(verify.requestId, 1);
    EXPECT_TRUE(verify.isLast);
    auto qa = s.sink.log.Named("OnRspSetVerifyQA")[0];
    EXPECT_EQ(qa.errorId, 10012);
    EXPECT_EQ(qa.errorMsg, "密保答案错误");
    EXPECT_TRUE(qa.isLast);
    EXPECT_EQ(s.sink.log.Named("OnRspVerifyCode")[0].requestId, 3);
}

TEST_F(FutureQueryTest, LongValuesAreCutTo255Bytes) {
    const std::string longText(400, 'x');
    s.Push(Message("CRNYLIST", {}, longText + "@1@2"));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryCurrency", 1));
    const auto calls = s.sink.log.Named("OnRspQryCurrency");
    const auto& c = As<CFutureCurrencyField>(calls[0]);
    EXPECT_EQ(std::string(c.CurrencyField00), std::string(255, 'x'));
    EXPECT_EQ(c.CurrencyField01, 1);
}

}  // namespace
