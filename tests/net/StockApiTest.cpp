#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "QuintaraApi.h"
#include "support/StockRecorder.h"
#include "support/TestText.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using StockSession = TradingSession<CStockApi, StockRecorder>;

class StockApiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s.Start()); }
    StockSession s;
};

CStockReqUserLoginField FullLogin() {
    auto f = Zeroed<CStockReqUserLoginField>();
    std::strcpy(f.UserId, "u1");
    std::strcpy(f.UserPwd, "s3cret-pw");
    std::strcpy(f.ComputerName, "PC");
    std::strcpy(f.SoftwareName, "SW");
    std::strcpy(f.SoftwareVersion, "1.0");
    std::strcpy(f.AuthorCode, "AUTH");
    return f;
}

// A login record of `fields` fields with the account in field 0 and optional verification flags.
std::string LoginRecord(const std::string& account, size_t fields, const char* verify = "", const char* answer = "") {
    std::vector<std::string> items(fields);
    items[0] = account;
    if (fields > 35) items[35] = verify;
    if (fields > 37) items[37] = answer;
    for (size_t i = 1; i < fields; ++i)
        if (items[i].empty() && i != 35 && i != 37) items[i] = "f" + std::to_string(i);
    std::string out;
    for (size_t i = 0; i < fields; ++i) out += (i ? "@" : "") + items[i];
    return out;
}

TEST_F(StockApiTest, ConnectEventComesFromTheReceiveThread) {
    auto events = s.sink.log.Named("OnConnect");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_NE(events[0].thread, std::this_thread::get_id());
}

TEST_F(StockApiTest, PeerCloseReportsDisconnectAndReconnects) {
    s.server.CloseClient();
    ASSERT_TRUE(s.sink.log.WaitCount("OnDisconnect", 1));
    EXPECT_EQ(s.sink.log.Named("OnDisconnect")[0].value, 4004);
    ASSERT_TRUE(s.server.WaitForClient(5000));
    EXPECT_TRUE(s.sink.log.WaitCount("OnConnect", 2));
}

TEST_F(StockApiTest, LoginCarriesThePasswordOnTheWireAndMasksItInTheLog) {
    auto f = FullLogin();
    std::strcpy(f.ExtraInfo, "");
    ASSERT_EQ(s.api->ReqUserLogin(&f, 7), 1);
    EXPECT_EQ(s.NextMessage(), "LOGINHK1@SW@1.0@A@AUTH@@@@1@@7&u1@s3cret-pw@1@@PC");
    const std::string log = s.LogText();
    EXPECT_NE(log.find("LOGINHK1@SW@1.0@A@AUTH@@@@1@@7&u1@******@1@@PC"), std::string::npos);
    EXPECT_EQ(log.find("s3cret-pw"), std::string::npos);
}

TEST_F(StockApiTest, LoginChecksRequiredFieldsInOrder) {
    struct Case {
        size_t offset;
        const char* message;
    } cases[] = {
        {offsetof(CStockReqUserLoginField, UserId), "UserId 不能为空."},
        {offsetof(CStockReqUserLoginField, UserPwd), "UserPwd 不能为空."},
        {offsetof(CStockReqUserLoginField, ComputerName), "ComputerName 不能为空."},
        {offsetof(CStockReqUserLoginField, AuthorCode), "AuthorCode 不能为空."},
        {offsetof(CStockReqUserLoginField, SoftwareName), "SoftwareName 不能为空."},
        {offsetof(CStockReqUserLoginField, SoftwareVersion), "SoftwareVersion 不能为空."},
    };
    // Emptying a field and every later one reports the first of them.
    for (size_t i = 0; i < std::size(cases); ++i) {
        auto f = FullLogin();
        for (size_t j = i; j < std::size(cases); ++j) reinterpret_cast<char*>(&f)[cases[j].offset] = '\0';
        EXPECT_EQ(s.api->ReqUserLogin(&f, 1), 0);
        EXPECT_STREQ(f.ErrorMsg, cases[i].message);
    }
    // AuthorCode and SoftwareName both empty: the earlier check wins.
    auto f = FullLogin();
    f.AuthorCode[0] = f.SoftwareName[0] = '\0';
    EXPECT_EQ(s.api->ReqUserLogin(&f, 1), 0);
    EXPECT_STREQ(f.ErrorMsg, "AuthorCode 不能为空.");
    EXPECT_FALSE(s.server.ReadFrame(200).has_value());  // nothing was sent
}

TEST_F(StockApiTest, LoginAnswerDemandingVerificationGivesOnlyNeedVerify) {
    s.Push("LOGINHK1@@@@@@@@@@3&" + LoginRecord("A1", 46, "", "1") + "^" + LoginRecord("A2", 46, "1", ""));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspNeedVerify", 1));
    s.Sync();
    auto verify = s.sink.log.Named("OnRspNeedVerify");
    ASSERT_EQ(verify.size(), 1u);
    EXPECT_TRUE(verify[0].flag1);
    EXPECT_TRUE(verify[0].flag2);
    EXPECT_EQ(s.sink.log.Count("OnRspUserLogin"), 0u);
    EXPECT_EQ(s.sink.log.Count("OnRspUserLoginInfo"), 0u);
}

TEST_F(StockApiTest, AcceptedLoginDeliversRecordsAndStoresTheLastAccount) {
    s.Push("LOGINHK1@@@@@@@@@@5&" + LoginRecord("A1", 46) + "^" + LoginRecord("A2", 12) + "^" + LoginRecord("A3", 40) +
           "^" + LoginRecord("short", 11));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLoginInfo", 3));
    auto login = s.sink.log.Named("OnRspUserLogin");
    ASSERT_EQ(login.size(), 1u);
    EXPECT_EQ(login[0].errorId, 0);
    EXPECT_EQ(login[0].requestId, 5);
    EXPECT_FALSE(login[0].isLast);
    auto infos = s.sink.log.Named("OnRspUserLoginInfo");
    ASSERT_EQ(infos.size(), 3u);
    EXPECT_FALSE(infos[0].isLast);
    EXPECT_FALSE(infos[1].isLast);
    EXPECT_TRUE(infos[2].isLast);
    EXPECT_STREQ(infos[0].As<CStockUserLoginInfoField>().LoginField45, "f45");
    EXPECT_STREQ(infos[1].As<CStockUserLoginInfoField>().LoginField12, "");
    EXPECT_STREQ(infos[2].As<CStockUserLoginInfoField>().AccountNo, "A3");
    // Later queries carry the account of the last record.
    auto q = Zeroed<CStockQryCapitalField>();
    ASSERT_EQ(s.api->ReqQryCapital(&q, 9), 1);
    EXPECT_EQ(s.NextMessage(), "AccoStLs@@@@@A3@@@1@@9&");
}

TEST_F(StockApiTest, RejectedLoginUsesTheCatalogue) {
    s.Push("LOGINHK1@@@@10005@@@@@@2&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", 1));
    auto e = s.sink.log.Named("OnRspUserLogin")[0];
    EXPECT_EQ(e.errorId, 10005);
    EXPECT_EQ(e.errorMsg, "密保问题错误");
    EXPECT_FALSE(e.isLast);
}

TEST_F(StockApiTest, LogoutAndKickOut) {
    auto f = Zeroed<CStockReqUserLogoutField>();
    ASSERT_EQ(s.api->ReqUserLogout(&f, 4), 1);
    EXPECT_EQ(s.NextMessage(), "UNLOGIN1@@@A@@@@@1@@4&");
    s.Push("UNLOGIN1@@@@0@@@@@@7&");
    s.Push("LOGIN002@@@@@@@@@@&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 2));
    auto e = s.sink.log.Named("OnRspUserLogout");
    EXPECT_EQ(e[0].requestId, 7);
    EXPECT_EQ(e[0].errorId, 0);
    EXPECT_TRUE(e[0].isLast);
    EXPECT_EQ(e[1].errorId, 0);
    EXPECT_EQ(e[1].errorMsg, "此账号在别处登录，当前连接强制退出！！！");
    EXPECT_TRUE(e[1].isLast);
}

TEST_F(StockApiTest, OrderRequestsOnTheWire) {
    auto ins = Zeroed<CStockReqOrderInsertField>();
    std::strcpy(ins.UserId, "U");
    std::strcpy(ins.AccountNo, "AC");
    std::strcpy(ins.LocalNo, "L1");
    std::strcpy(ins.ExchangeNo, "NASD");
    std::strcpy(ins.Item06, "i6");
    std::strcpy(ins.Item16, "i16");
    std::strcpy(ins.Item19, "i19");
    ASSERT_EQ(s.api->ReqOrderInsert(&ins, 99), 1);
    EXPECT_EQ(s.NextMessage(), "OrdeStHK@L1@@1@@AC@NASD@@U@@&U@@AC@@P@@i6@@@@@@@@@@i16@@@i19");

    std::strcpy(ins.ExchangeNo, "nasd");
    ASSERT_EQ(s.api->ReqOrderInsert(&ins, 0), 1);
    EXPECT_EQ(s.NextMessage(), "OrdeStHK@L1@@1@@AC@nasd@@U@@&U@@AC@@P@nasd@i6@@@@@@@@@@i16@@@i19");

    auto empty = Zeroed<CStockReqOrderInsertField>();
    ASSERT_EQ(s.api->ReqOrderInsert(&empty, 0), 1);
    EXPECT_EQ(s.NextMessage(), "OrdeStHK@@@1@@@@@@@&@@@@P@@@@@@@@@@@@@@@");

    auto mod = Zeroed<CStockReqOrderModifyField>();
    std::strcpy(mod.SystemNo, "S9");
    std::strcpy(mod.ExchangeNo, "NASD");
    std::strcpy(mod.Item04, "q");
    ASSERT_EQ(s.api->ReqOrderModify(&mod, 0), 1);
    EXPECT_EQ(s.NextMessage(), "ModiStHK@@S9@1@@@NASD@@@@&@@@@q@@@@@@@@@@@P@@@");

    auto can = Zeroed<CStockReqOrderCancelField>();
    std::strcpy(can.SystemNo, "S9");
    std::strcpy(can.ExchangeNo, "HKEX");
    ASSERT_EQ(s.api->ReqOrderCancel(&can, 0), 1);
    EXPECT_EQ(s.NextMessage(), "CancStHK@@S9@1@@@HKEX@@@@&@@@@@S9@@HKEX@@@@@@@@@P");
}

TEST_F(StockApiTest, OrderAnswers) {
    s.Push("OrdeStHK@L1@S1@@@@@@U8@@3&" + Fields(24));
    s.Push("OrdeStHK@L2@S2@@@@@@@@&" + Fields(23));
    s.Push("ModiStHK@L3@S3@U3@@@@@@@&" + Fields(32));
    s.Push("SYSTEMNO@L4@S4@@@@@@@@&" + Fields(32));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspOrderInsert", 3));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspOrderModify", 1));
    auto ins = s.sink.log.Named("OnRspOrderInsert");
    const auto& a = ins[0].As<CStockOrderField>();
    EXPECT_STREQ(a.UserId, "U8");
    EXPECT_STREQ(a.LocalNo, "L1");
    EXPECT_STREQ(a.SystemNo, "v2");
    EXPECT_STREQ(a.Item21, "v21");
    EXPECT_STREQ(a.Item24, "");
    EXPECT_EQ(ins[0].requestId, 3);
    EXPECT_TRUE(ins[0].isLast);
    const auto& b = ins[1].As<CStockOrderField>();  // 23 fields: dropped, head numbers only
    EXPECT_EQ(ins[1].errorId, 0);
    EXPECT_STREQ(b.SystemNo, "S2");
    EXPECT_STREQ(b.LocalNo, "L2");
    EXPECT_STREQ(b.Item01, "");
    const auto& c = ins[2].As<CStockOrderField>();  // SYSTEMNO: only the head's numbers
    EXPECT_STREQ(c.SystemNo, "S4");
    EXPECT_STREQ(c.LocalNo, "L4");
    EXPECT_STREQ(c.Item01, "");
    const auto m = s.sink.log.DataOf<CStockOrderField>("OnRspOrderModify", 0);
    EXPECT_STREQ(m.UserId, "U3");
    EXPECT_STREQ(m.LocalNo, "v3");
    EXPECT_STREQ(m.Item30, "v30");
}

TEST_F(StockApiTest, CancelAnswers) {
    s.Push("CancStHK@L1@S1@@@AC@HK@@U1@@&");
    s.Push("CancStRe@L2@@@@@@@@@&" + Fields(19));
    s.Push("CancStHK@L3@S3@@20014@AC@HK@@U1@@&" + Fields(19));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspOrderCancel", 3));
    auto e = s.sink.log.Named("OnRspOrderCancel");
    EXPECT_EQ(e[0].errorId, 90006);
    EXPECT_EQ(e[0].errorMsg, "数组为空");
    const auto& a = e[0].As<CStockCancelField>();
    EXPECT_STREQ(a.UserId, "U1");
    EXPECT_STREQ(a.AccountNo, "AC");
    EXPECT_STREQ(a.SystemNo, "S1");
    EXPECT_STREQ(a.LocalNo, "L1");
    EXPECT_STREQ(a.Item05, "HK");
    const auto& b = e[1].As<CStockCancelField>();
    EXPECT_EQ(e[1].errorId, 0);
    EXPECT_STREQ(b.UserId, "v0");
    EXPECT_STREQ(b.LocalNo, "L2");
    EXPECT_STREQ(b.Item13, "v13");
    EXPECT_STREQ(b.Item17, "v17");
    EXPECT_EQ(e[2].errorMsg, "撤单失败");
    EXPECT_STREQ(e[2].As<CStockCancelField>().Item05, "HK");
}

TEST_F(StockApiTest, PushesConvertTheirTypedFields) {
    s.Push("StatStHK@LN@@@@@@@@@@&a@b@c@12x@4@1.5^only@two");
    s.Push("HoldStHK@@@@@@@@@@@&t0@t1@t2@t3@4.5@5@6@7@8.5@9.5@10@11@t12@13.5@14@15@16@17@18@19@20@12.75@x");
    s.Push("HoldStHK@@@@@@@@@@@&" + Fields(15));
    s.Push("FillStHK@@@@@@@@@@@&" + Fields(18));
    s.Push("AccoStHK@@@@@@@@@@@&" + Fields(15, "") + "^x");
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushOrderStatus", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushPosition", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushFilled", 1));
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushCapital", 1));

    auto st = s.sink.log.Named("OnPushOrderStatus");
    EXPECT_FALSE(st[0].isLast);
    EXPECT_TRUE(st[1].isLast);
    const auto& a = st[0].As<CStockOrderStatusField>();
    EXPECT_STREQ(a.LocalNo, "LN");
    EXPECT_EQ(a.Item03, 12);
    EXPECT_DOUBLE_EQ(a.Item05, 1.5);
    const auto& b = st[1].As<CStockOrderStatusField>();
    EXPECT_STREQ(b.LocalNo, "LN");
    EXPECT_STREQ(b.Item01, "two");
    EXPECT_EQ(b.Item03, 0);

    auto pos = s.sink.log.Named("OnPushPosition");
    const auto& p = pos[0].As<CStockPositionField>();
    EXPECT_DOUBLE_EQ(p.Item04, 4.5);
    EXPECT_EQ(p.Item07, 7);
    EXPECT_EQ(p.Item20, 20);
    EXPECT_DOUBLE_EQ(p.Item21, 12.0);  // an integer read into a double: the fraction is dropped
    EXPECT_DOUBLE_EQ(p.Item22, 0.0);
    EXPECT_EQ(pos[1].errorId, 0);  // 15 fields: dropped, one empty call
    EXPECT_TRUE(pos[1].isLast);
    EXPECT_STREQ(pos[1].As<CStockPositionField>().Item00, "");

    const auto t = s.sink.log.DataOf<CStockTradeField>("OnPushFilled", 0);
    EXPECT_STREQ(t.Item17, "v17");
    EXPECT_STREQ(t.Item18, "");
    EXPECT_STREQ(t.Extra, "");

    const auto c = s.sink.log.DataOf<CStockCapitalField>("OnPushCapital", 0);
    EXPECT_STREQ(c.Item14, "14^x");  // a single-record body: '^' stays inside the last field
}

TEST_F(StockApiTest, UnknownErrorCodeAndEmptyListBody) {
    s.Push("StatStHK@@@@12345@@@@@@&");
    s.Push("StatStHK@@@@@@@@@@&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushOrderStatus", 2));
    auto e = s.sink.log.Named("OnPushOrderStatus");
    EXPECT_EQ(e[0].errorId, 12345);
    EXPECT_EQ(e[0].errorMsg, "未定义的错误码");
    EXPECT_TRUE(e[0].isLast);
    EXPECT_EQ(e[1].errorId, 90003);
    EXPECT_EQ(e[1].errorMsg, "Normal body is empty");
}

TEST_F(StockApiTest, CommandCodesMatchByPrefixOnly) {
    s.Push("UNLOG@@@@@@@@@@9&");                  // the beginning of "UNLOGIN1"
    s.Push("HoldStHKX@@@@@@@@@@&" + Fields(23));  // longer than a known code
    s.Push("TEST0001@@@@@@@@@@&");
    s.Push("NOSUCHCD@@@@@@@@@@&");
    s.Push("UNLOGIN1@@@@@@@@@@10&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 2));
    auto e = s.sink.log.Named("OnRspUserLogout");
    EXPECT_EQ(e[0].requestId, 9);
    EXPECT_EQ(e[1].requestId, 10);
    EXPECT_EQ(s.sink.log.Count("OnPushPosition"), 0u);
    EXPECT_EQ(s.sink.log.Count(), 3u);  // OnConnect and the two logouts
}

TEST_F(StockApiTest, QueriesAreThrottledPerKind) {
    auto cap = Zeroed<CStockQryCapitalField>();
    auto pos = Zeroed<CStockQryPositionField>();
    ASSERT_EQ(s.api->ReqQryCapital(&cap, 1), 1);
    ASSERT_EQ(s.api->ReqQryPosition(&pos, 2), 1);
    EXPECT_EQ(s.api->ReqQryCapital(&cap, 3), 0);
    EXPECT_STREQ(cap.ErrorMsg, "每种查询一秒只能查询一次.");
    EXPECT_EQ(s.NextMessage(), "AccoStLs@@@@@@@@1@@1&");
    EXPECT_EQ(s.NextMessage(), "HoldStLs@@@@@@@@1@@2&");
    EXPECT_FALSE(s.server.ReadFrame(100).has_value());
    std::this_thread::sleep_for(std::chrono::milliseconds(1050));
    auto cap2 = Zeroed<CStockQryCapitalField>();
    EXPECT_EQ(s.api->ReqQryCapital(&cap2, 4), 1);
}

TEST_F(StockApiTest, ThrottleLetsOneOfTwoRacingQueriesThrough) {
    std::atomic<int> passed{0};
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i) {
        threads.emplace_back([&] {
            auto q = Zeroed<CStockQryOrderField>();
            while (!go) {
            }
            passed += s.api->ReqQryOrder(&q, 1);
        });
    }
    go = true;
    for (auto& t : threads) t.join();
    EXPECT_EQ(passed, 1);
}

TEST_F(StockApiTest, SendWhileDisconnectedFails) {
    s.server.CloseClient();
    ASSERT_TRUE(s.sink.log.WaitCount("OnDisconnect", 1));
    auto f = Zeroed<CStockReqUserLogoutField>();
    EXPECT_EQ(s.api->ReqUserLogout(&f, 1), 0);
    EXPECT_STREQ(f.ErrorMsg, "发送数据失败.");
    // A throttled query whose send failed still blocks the next one for a second.
    auto q = Zeroed<CStockQryTradeField>();
    EXPECT_EQ(s.api->ReqQryTrade(&q, 1), 0);
    EXPECT_STREQ(q.ErrorMsg, "发送数据失败.");
    EXPECT_EQ(s.api->ReqQryTrade(&q, 1), 0);
    EXPECT_STREQ(q.ErrorMsg, "每种查询一秒只能查询一次.");
}

}  // namespace
