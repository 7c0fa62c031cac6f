#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "QuintaraApi.h"
#include "support/StockRecorder.h"
#include "support/TestText.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using StockSession = TradingSession<CStockApi, StockRecorder>;

class StockQueriesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s.Start()); }
    StockSession s;
};

TEST_F(StockQueriesTest, RequestsOnTheWire) {
    auto order = Zeroed<CStockQryOrderField>();
    std::strcpy(order.Item00, "X");
    std::strcpy(order.Reserved1, "ignored");
    ASSERT_EQ(s.api->ReqQryOrder(&order, 1), 1);
    EXPECT_EQ(s.NextMessage(), "OrdeStLs@@@@@@@@1@@1&X@@@@@@");

    auto trade = Zeroed<CStockQryTradeField>();
    ASSERT_EQ(s.api->ReqQryTrade(&trade, 2), 1);
    EXPECT_EQ(s.NextMessage(), "FillStLs@@@@@@@@1@@2&@@@@");

    auto tick = Zeroed<CStockQryTickField>();
    ASSERT_EQ(s.api->ReqQryTick(&tick, 3), 1);
    EXPECT_EQ(s.NextMessage(), "UptiStLs@@@@@@@@1@@3&");

    auto currency = Zeroed<CStockQryCurrencyField>();
    ASSERT_EQ(s.api->ReqQryCurrency(&currency, 4), 1);
    EXPECT_EQ(s.NextMessage(), "CRNYLIST@@@@@@@@1@@4&");

    auto exchange = Zeroed<CStockQryExchangeField>();
    ASSERT_EQ(s.api->ReqQryExchange(&exchange, 5), 1);
    EXPECT_EQ(s.NextMessage(), "ExchStLs@@@@@@@@1@@5&");

    auto question = Zeroed<CStockReqGetQuestionField>();
    ASSERT_EQ(s.api->ReqGetQuestion(&question, 6), 1);
    EXPECT_EQ(s.NextMessage(), "VfQuList@@@@@@@@1@@6&");

    auto code = Zeroed<CStockReqVerifyCodeField>();
    ASSERT_EQ(s.api->ReqVerifyCode(&code, 7), 1);
    EXPECT_EQ(s.NextMessage(), "RequVfCd@@@@@@@@1@@7&@@@@@@@");

    auto verify = Zeroed<CStockReqSafeVerifyField>();
    std::strcpy(verify.VerifyField1, "q1");
    std::strcpy(verify.VerifyField8, "a8");
    std::strcpy(verify.VerifyExtra, "EX");
    ASSERT_EQ(s.api->ReqSafeVerify(&verify, 8), 1);
    EXPECT_EQ(s.NextMessage(), "SfVerify@@EX@@@@@@1@@8&q1@@@@@@@a8");

    auto pw = Zeroed<CStockReqPasswordUpdateField>();
    std::strcpy(pw.PwsField1, "old");
    std::strcpy(pw.PwsField2, "new");
    std::strcpy(pw.PwsField3, "new");
    ASSERT_EQ(s.api->ReqPasswordUpdate(&pw, 9), 1);
    EXPECT_EQ(s.NextMessage(), "MODIFYPW@@@1@@@@@@@9&old@new@new");
}

TEST_F(StockQueriesTest, InstrumentQueryNeedsAnExchangeAndFillsItsHead) {
    auto f = Zeroed<CStockQryInstrumentField>();
    std::strcpy(f.HeadField1, "H1");
    f.HeadField2 = -3;
    EXPECT_EQ(s.api->ReqQryInstrument(&f, 1), 0);
    EXPECT_STREQ(f.ErrorMsg, "ExchangeNo 不能为空.");
    EXPECT_FALSE(s.server.ReadFrame(150).has_value());

    std::strcpy(f.ExchangeNo, "SEHK");
    ASSERT_EQ(s.api->ReqQryInstrument(&f, 2), 1);
    const std::string m = s.NextMessage();
    const std::string head = "ContStLs@H1@-3@@@@@@1@@2&";
    ASSERT_EQ(m.substr(0, head.size()), head);
    const std::string body = m.substr(head.size());
    EXPECT_EQ(std::count(body.begin(), body.end(), '@'), 48);  // 49 items
    EXPECT_EQ(body.substr(0, 5), "SEHK@");
    EXPECT_NE(body.find("@0.0@0.0@0.0@@0@0@0@0.0@"), std::string::npos);  // items 7 to 14
}

TEST_F(StockQueriesTest, AccountAnswers) {
    s.Push("OrdeStLs@@@@@@@@@@11&" + Fields(32) + "^" + Fields(24) + "^" + Fields(23) + "^" + Fields(32));
    s.Push("AccoStLs@@@@@@@@@@12&" + Numbers(16) + "^" + Numbers(17) + "^" + Numbers(41));
    s.Push("HoldStLs@@@@@@@@@@13&");
    s.Push("FillStLs@@@@@@@@@@14&" + Fields(24));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryOrder", 3));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryCapital", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryPosition", 1));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryTrade", 1));

    auto orders = s.sink.log.Named("OnRspQryOrder");
    EXPECT_FALSE(orders[0].isLast);
    EXPECT_FALSE(orders[1].isLast);
    EXPECT_TRUE(orders[2].isLast);
    for (const auto& o : orders) EXPECT_EQ(o.requestId, 11);
    const auto& o0 = orders[0].As<CStockOrderListField>();
    EXPECT_STREQ(o0.SystemNo, "v2");
    EXPECT_STREQ(o0.LocalNo, "v3");
    EXPECT_STREQ(o0.Item31, "v31");
    EXPECT_STREQ(orders[1].As<CStockOrderListField>().Item24, "");

    auto caps = s.sink.log.Named("OnRspQryCapital");
    const auto& c17 = caps[0].As<CStockAccountField>();  // the 16-field record was dropped
    EXPECT_STREQ(c17.Item00, "0");
    EXPECT_STREQ(c17.Item01, "1.5");
    EXPECT_DOUBLE_EQ(c17.Item17, 0.0);
    EXPECT_STREQ(c17.Item18, "");
    EXPECT_DOUBLE_EQ(c17.Item40, 0.0);
    const auto& c41 = caps[1].As<CStockAccountField>();
    EXPECT_DOUBLE_EQ(c41.Item17, 17.5);
    EXPECT_STREQ(c41.Item18, "18");
    EXPECT_DOUBLE_EQ(c41.Item19, 19.5);
    EXPECT_DOUBLE_EQ(c41.Item40, 40.0);
    EXPECT_STREQ(c41.Extra, "");
    EXPECT_TRUE(caps[1].isLast);

    auto pos = s.sink.log.Named("OnRspQryPosition")[0];
    EXPECT_EQ(pos.errorId, 90003);
    EXPECT_EQ(pos.errorMsg, "Normal body is empty");

    const auto t = s.sink.log.DataOf<CStockTradeField>("OnRspQryTrade", 0);
    EXPECT_STREQ(t.Item23, "v23");
}

TEST_F(StockQueriesTest, ReferenceDataAnswers) {
    s.Push("UptiStLs@@@@@@@@@@1&" + Fields(6) + "^" + Fields(5) + "^" + Fields(6, "w"));
    s.Push("CRNYLIST@@@@@@@@@@2&HKD@7@0.128");
    s.Push("GETVER01@@@@@@@@@@3&a@b@c^d@e");
    std::string instrument = Numbers(36);
    s.Push("ContStLs@@@@@@@@@@4&" + instrument);
    s.Push("ExchStLs@@@@@@@@@@5&a@b^c");
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryTick", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryCurrency", 1));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryVersion", 1));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryInstrument", 1));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspQryExchange", 1));

    auto ticks = s.sink.log.Named("OnRspQryTick");
    EXPECT_FALSE(ticks[0].isLast);
    EXPECT_TRUE(ticks[1].isLast);
    EXPECT_STREQ(ticks[1].As<CStockTickField>().TickField05, "w5");

    const auto cur = s.sink.log.DataOf<CStockCurrencyField>("OnRspQryCurrency", 0);
    EXPECT_STREQ(cur.CurrencyField00, "HKD");
    EXPECT_EQ(cur.CurrencyField01, 7);
    EXPECT_DOUBLE_EQ(cur.CurrencyField02, 0.128);
    EXPECT_STREQ(cur.CurrencyField03, "");

    const auto ver = s.sink.log.DataOf<CStockVersionField>("OnRspQryVersion", 0);
    EXPECT_STREQ(ver.VersionField02, "c^d");  // one record: the '^' stays inside an item
    EXPECT_STREQ(ver.VersionField03, "e");

    const auto ins = s.sink.log.DataOf<CStockInstrumentField>("OnRspQryInstrument", 0);
    EXPECT_STREQ(ins.ExchangeNo, "0");
    EXPECT_DOUBLE_EQ(ins.InstrumentField07, 7.5);
    EXPECT_EQ(ins.InstrumentField11, 11);
    EXPECT_STREQ(ins.InstrumentField30, "\x01");
    EXPECT_STREQ(ins.InstrumentField35, "35.5");
    EXPECT_STREQ(ins.InstrumentField36, "");
    EXPECT_DOUBLE_EQ(ins.InstrumentField39, 0.0);

    auto ex = s.sink.log.Named("OnRspQryExchange");
    ASSERT_EQ(ex.size(), 1u);  // "c" has too few items
    EXPECT_STREQ(ex[0].As<CStockExchangeField>().ExchangeField01, "b");
}

TEST_F(StockQueriesTest, VerificationAnswers) {
    s.Push("VfQuList@@@@@@@@@@1&a@b@c@d^e@f@g@h^i@j@k");
    s.Push("SfVerify@@@@10006@@@@@@2&");
    s.Push("SetVeriQA@@@@@@@@@@3&");
    s.Push("RequVfCd@@@@@@@@@@4&");
    s.Push("MODIFYPW@@@@@@@@@@5&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspGetQuestion", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspPasswordUpdate", 1));
    auto q = s.sink.log.Named("OnRspGetQuestion");
    EXPECT_FALSE(q[0].isLast);
    EXPECT_TRUE(q[1].isLast);
    EXPECT_STREQ(q[1].As<CStockQuestionField>().QuestionField4, "h");
    auto sv = s.sink.log.Named("OnRspSafeVerify");
    ASSERT_EQ(sv.size(), 1u);
    EXPECT_EQ(sv[0].errorMsg, "密保答案错误");
    EXPECT_EQ(s.sink.log.Named("OnRspSetVerifyQA").size(), 1u);
    EXPECT_EQ(s.sink.log.Named("OnRspVerifyCode").size(), 1u);
    auto pw = s.sink.log.Named("OnRspPasswordUpdate")[0];
    EXPECT_EQ(pw.errorId, 0);
    EXPECT_TRUE(pw.isLast);
    EXPECT_STREQ(pw.As<CStockPasswordField>().PwsField1, "");
}

TEST_F(StockQueriesTest, SecretsNeverReachTheLog) {
    auto pw = Zeroed<CStockReqPasswordUpdateField>();
    std::strcpy(pw.PwsField1, "OldPw-111");
    std::strcpy(pw.PwsField2, "NewPw-222");
    ASSERT_EQ(s.api->ReqPasswordUpdate(&pw, 1), 1);
    EXPECT_EQ(s.NextMessage(), "MODIFYPW@@@1@@@@@@@1&OldPw-111@NewPw-222@");
    auto qa = Zeroed<CStockReqSetVerifyQAField>();
    std::strcpy(qa.VerifyField1, "Question?");
    std::strcpy(qa.VerifyField2, "Answer-333");
    ASSERT_EQ(s.api->ReqSetVerifyQA(&qa, 2), 1);
    EXPECT_EQ(s.NextMessage(), "SetVeriQA@@@@@@@@1@@2&Question?@Answer-333@@@@@@");
    auto sv = Zeroed<CStockReqSafeVerifyField>();
    std::strcpy(sv.VerifyField3, "Answer-444");
    ASSERT_EQ(s.api->ReqSafeVerify(&sv, 3), 1);
    s.NextMessage();
    auto ver = Zeroed<CStockQryVersionField>();
    std::strcpy(ver.UserId, "u1");
    std::strcpy(ver.UserPwd, "VerPw-555");
    ASSERT_EQ(s.api->ReqQryVersion(&ver, 4), 1);
    EXPECT_EQ(s.NextMessage(), "GETVER01@@@@@@@@1@@4&u1@VerPw-555@1@@");

    const std::string log = s.LogText();
    for (const char* secret : {"OldPw-111", "NewPw-222", "Answer-333", "Answer-444", "VerPw-555", "Question?"})
        EXPECT_EQ(log.find(secret), std::string::npos) << secret;
    EXPECT_NE(log.find("MODIFYPW@@@1@@@@@@@1&******@******@"), std::string::npos);
    EXPECT_NE(log.find("GETVER01@@@@@@@@1@@4&u1@******@1@@"), std::string::npos);
}

}  // namespace
