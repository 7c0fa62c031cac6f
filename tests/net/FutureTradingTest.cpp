#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "QuintaraApi.h"
#include "support/FutureRecorder.h"
#include "support/ServerCrypto.h"
#include "support/TestText.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using FutureSession = TradingSession<CFutureApi, FutureRecorder>;

class FutureTradingTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s.Start()); }
    FutureSession s;
};

size_t FieldCount(const std::string& message) {
    const std::string body = message.substr(message.find('&') + 1);
    return static_cast<size_t>(std::count(body.begin(), body.end(), '@')) + 1;
}

CFutureReqUserLoginField FullLogin() {
    auto f = Zeroed<CFutureReqUserLoginField>();
    std::strcpy(f.UserId, "u1");
    std::strcpy(f.UserPwd, "s3cret-pw");
    std::strcpy(f.ComputerName, "PC");
    std::strcpy(f.SoftwareName, "SW");
    std::strcpy(f.SoftwareVersion, "1.0");
    std::strcpy(f.AuthorCode, "AUTH");
    return f;
}

// A login answer record of `fields` fields: the account in field 0, field i "f<i>" otherwise,
// the verification flags (fields 25 and 27) as given.
std::string LoginRecord(const std::string& account, size_t fields, const char* verify = "", const char* answer = "") {
    std::string out = account;
    for (size_t i = 1; i < fields; ++i) out += "@" + (i == 25 ? verify : i == 27 ? answer : "f" + std::to_string(i));
    return out;
}

// ---- login, logout, kick-out ----

TEST_F(FutureTradingTest, LoginCarriesThePasswordOnTheWireAndMasksItInTheLog) {
    auto f = FullLogin();
    ASSERT_EQ(s.api->ReqUserLogin(&f, 7), 1);
    // An empty ExtraInfo: two '@' follow the kind code "0".
    EXPECT_EQ(s.NextMessage(), "LOGIN001@SW@1.0@A@AUTH@@@@0@@7&u1@s3cret-pw@0@@PC");
    const std::string log = s.LogText();
    EXPECT_NE(log.find("LOGIN001@SW@1.0@A@AUTH@@@@0@@7&u1@******@0@@PC"), std::string::npos);
    EXPECT_EQ(log.find("s3cret-pw"), std::string::npos);
}

TEST_F(FutureTradingTest, LoginChecksRequiredFieldsInOrder) {
    const struct {
        size_t offset;
        const char* message;
    } cases[] = {
        {offsetof(CFutureReqUserLoginField, UserId), "UserId 不能为空."},
        {offsetof(CFutureReqUserLoginField, UserPwd), "UserPwd 不能为空."},
        {offsetof(CFutureReqUserLoginField, ComputerName), "ComputerName 不能为空."},
        {offsetof(CFutureReqUserLoginField, AuthorCode), "AuthorCode 不能为空."},
        {offsetof(CFutureReqUserLoginField, SoftwareName), "SoftwareName 不能为空."},
        {offsetof(CFutureReqUserLoginField, SoftwareVersion), "SoftwareVersion 不能为空."},
    };
    // Emptying a field and every later one reports the first of them.
    for (size_t i = 0; i < std::size(cases); ++i) {
        auto f = FullLogin();
        for (size_t j = i; j < std::size(cases); ++j) reinterpret_cast<char*>(&f)[cases[j].offset] = '\0';
        EXPECT_EQ(s.api->ReqUserLogin(&f, 1), 0);
        EXPECT_STREQ(f.ErrorMsg, cases[i].message);
    }
    EXPECT_FALSE(s.server.ReadFrame(200).has_value());  // nothing was sent
}

TEST_F(FutureTradingTest, VerificationDemandUsesTheFuturesFieldPositions) {
    // Field 25 of any record demands verification; field 27 of any record tells questions are set.
    s.Push(Message("LOGIN001", {{10, "3"}}, LoginRecord("A1", 35, "", "1") + "^" + LoginRecord("A2", 30, "1", "")));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspNeedVerify", 1));
    s.Sync();
    auto verify = s.sink.log.Named("OnRspNeedVerify");
    ASSERT_EQ(verify.size(), 1u);
    EXPECT_TRUE(verify[0].flag1);
    EXPECT_TRUE(verify[0].flag2);
    EXPECT_EQ(s.sink.log.Count("OnRspUserLogin"), 0u);
    EXPECT_EQ(s.sink.log.Count("OnRspUserLoginInfo"), 0u);
    // The account was not taken from the demanding answer.
    auto q = Zeroed<CFutureQryCapitalField>();
    ASSERT_EQ(s.api->ReqQryCapital(&q, 1), 1);
    EXPECT_EQ(s.NextMessage(), Message("DEPOSTAT", {{8, "0"}, {10, "1"}}));
}

TEST_F(FutureTradingTest, AcceptedLoginDeliversRecordsByTheFuturesLayout) {
    s.Push(Message("LOGIN001", {{10, "5"}},
                   LoginRecord("A1", 35) + "^" + LoginRecord("A2", 12) + "^" + LoginRecord("short", 11) + "^" +
                       LoginRecord("A3", 40)));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLoginInfo", 3));
    auto login = s.sink.log.Named("OnRspUserLogin");
    ASSERT_EQ(login.size(), 1u);
    EXPECT_EQ(login[0].errorId, 0);
    EXPECT_EQ(login[0].requestId, 5);
    EXPECT_FALSE(login[0].isLast);
    auto infos = s.sink.log.Named("OnRspUserLoginInfo");
    ASSERT_EQ(infos.size(), 3u);  // the 11-field record is dropped
    EXPECT_FALSE(infos[0].isLast);
    EXPECT_FALSE(infos[1].isLast);
    EXPECT_TRUE(infos[2].isLast);
    const auto& a = infos[0].As<CFutureUserLoginInfoField>();
    EXPECT_STREQ(a.AccountNo, "A1");
    EXPECT_STREQ(a.LoginField23, "f23");
    EXPECT_STREQ(a.LoginField24, "");
    EXPECT_STREQ(a.LoginField29, "");
    EXPECT_STREQ(a.LoginField30, "f24");
    EXPECT_STREQ(a.LoginField36, "f26");
    EXPECT_STREQ(a.LoginField38, "f28");
    EXPECT_STREQ(a.LoginField43, "f33");
    EXPECT_STREQ(a.LoginField44, "");
    EXPECT_STREQ(a.LoginField45, "f34");
    const auto& b = infos[1].As<CFutureUserLoginInfoField>();
    EXPECT_STREQ(b.LoginField11, "f11");
    EXPECT_STREQ(b.LoginField12, "");
    EXPECT_STREQ(b.LoginField45, "");
    // Later queries carry field 0 of the last record.
    auto q = Zeroed<CFutureQryCapitalField>();
    ASSERT_EQ(s.api->ReqQryCapital(&q, 9), 1);
    EXPECT_EQ(s.NextMessage(), Message("DEPOSTAT", {{5, "A3"}, {8, "0"}, {10, "9"}}));
}

TEST_F(FutureTradingTest, LoginAnswerWithoutRecordsOrRejected) {
    s.Push(Message("LOGIN001", {{10, "1"}}, LoginRecord("short", 11)));
    s.Push(Message("LOGIN001", {{4, "10005"}, {10, "2"}}, LoginRecord("A", 35)));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", 2));
    s.Sync();
    auto e = s.sink.log.Named("OnRspUserLogin");
    EXPECT_EQ(e[0].errorId, 0);
    EXPECT_EQ(e[1].errorId, 10005);
    EXPECT_EQ(e[1].errorMsg, "非法登录");  // the futures catalogue's text for this code
    EXPECT_FALSE(e[1].isLast);
    EXPECT_EQ(s.sink.log.Count("OnRspUserLoginInfo"), 0u);
}

TEST_F(FutureTradingTest, LogoutAndKickOut) {
    auto f = Zeroed<CFutureReqUserLogoutField>();
    ASSERT_EQ(s.api->ReqUserLogout(&f, 4), 1);
    EXPECT_EQ(s.NextMessage(), "UNLOGIN1@@@A@@@@@0@@4&");
    s.Push(Message("UNLOGIN1", {{10, "7"}}));
    s.Push(Message("LOGIN002", {}));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 2));
    auto e = s.sink.log.Named("OnRspUserLogout");
    EXPECT_EQ(e[0].requestId, 7);
    EXPECT_TRUE(e[0].isLast);
    EXPECT_EQ(e[1].errorId, 0);
    EXPECT_EQ(e[1].errorMsg, "此账号在别处登录，当前连接强制退出！！！");
    EXPECT_TRUE(e[1].isLast);
}

TEST_F(FutureTradingTest, ServerStartedKeyExchangeResendsTheLastLoginEncrypted) {
    ServerCrypto crypto;
    ASSERT_TRUE(crypto.Valid());
    auto f = FullLogin();
    std::strcpy(f.ExtraInfo, "EI");
    ASSERT_EQ(s.api->ReqUserLogin(&f, 1), 1);
    ASSERT_FALSE(s.NextMessage().empty());
    s.Push(crypto.ReplyPublicKey(21));
    const auto sendKey = s.server.ReadFrame(3000);
    ASSERT_TRUE(sendKey.has_value());
    ASSERT_TRUE(crypto.AcceptSendKey(*sendKey).has_value());
    ASSERT_TRUE(s.server.SendFrame(crypto.Encrypt(Message("REPLY_SEND_KEY", {{10, "22"}}))));
    const auto login = s.server.ReadFrame(3000);
    ASSERT_TRUE(login.has_value());
    const auto plain = crypto.Decrypt(*login);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(*plain, "LOGIN001@SW@1.0@A@AUTH@@@@0@@22&u1@s3cret-pw@0@EI@PC");
    // The connection stays encrypted both ways; the log shows the re-sent login masked.
    ASSERT_TRUE(s.server.SendFrame(crypto.Encrypt(Message("UNLOGIN1", {{10, "23"}}))));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 1));
    EXPECT_EQ(s.sink.log.Named("OnRspUserLogout")[0].requestId, 23);
    EXPECT_EQ(s.sink.log.Count("OnRspUserLogin"), 0u);
    const std::string log = s.LogText();
    EXPECT_NE(log.find("LOGIN001@SW@1.0@A@AUTH@@@@0@@22&u1@******@0@EI@PC"), std::string::npos);
    EXPECT_EQ(log.find("s3cret-pw"), std::string::npos);
}

TEST_F(FutureTradingTest, FailingKeyExchangeAnswersReachTheLoginResult) {
    s.Push(Message("REPLY_SEND_KEY", {{4, "10001"}, {10, "13"}}));
    s.Push(Message("REPLY_PUBLIC_KEY", {{4, "10002"}, {10, "14"}}));
    s.Push(Message("REPLY_PUBLIC_KEY", {{1, "AAAA"}, {2, "AQAB"}, {10, "15"}}));  // a 3-byte modulus
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", 3));
    auto e = s.sink.log.Named("OnRspUserLogin");
    EXPECT_EQ(e[0].errorId, 10001);
    EXPECT_EQ(e[0].errorMsg, "用户名不正确");
    EXPECT_EQ(e[0].requestId, 13);
    EXPECT_EQ(e[1].errorId, 10002);
    EXPECT_EQ(e[1].errorMsg, "登录密码错误");
    EXPECT_EQ(e[2].errorId, 90005);
    EXPECT_EQ(e[2].requestId, 15);
    for (const auto& call : e) EXPECT_FALSE(call.isLast);
    EXPECT_FALSE(s.server.ReadFrame(200).has_value());  // no key and no login was sent
}

// ---- orders ----

TEST_F(FutureTradingTest, OrderChecks) {
    const char* kBadProgram = "The IsProgram value is invalid.";
    const char* kBadLocation = "The OrgOrderLocationID value is invalid.";
    const struct {
        int isProgram;
        const char* location;
        const char* error;  // nullptr: accepted
    } cases[] = {
        {2, "ABC", kBadProgram},  // IsProgram is checked first
        {-1, "", kBadProgram},       {0, "A", kBadLocation}, {0, "ABC", kBadLocation}, {1, "ABCD", kBadLocation},
        {0, "ABCDEF", kBadLocation}, {0, "", nullptr},       {1, "AB", nullptr},       {0, "ABCDE", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.location) + " / " + std::to_string(c.isProgram));
        auto ins = Zeroed<CFutureReqOrderInsertField>();
        auto mod = Zeroed<CFutureReqOrderModifyField>();
        auto can = Zeroed<CFutureReqOrderCancelField>();
        ins.IsProgram = c.isProgram;
        std::strcpy(ins.OrgOrderLocationID, c.location);
        std::strcpy(mod.OrgOrderLocationID, c.location);
        std::strcpy(can.OrgOrderLocationID, c.location);
        const int expected = c.error == nullptr ? 1 : 0;
        EXPECT_EQ(s.api->ReqOrderInsert(&ins, 0), expected);
        EXPECT_STREQ(ins.ErrorMsg, c.error == nullptr ? "" : c.error);
        if (c.error != kBadProgram) {  // modify and cancel have no IsProgram
            EXPECT_EQ(s.api->ReqOrderModify(&mod, 0), expected);
            EXPECT_STREQ(mod.ErrorMsg, c.error == nullptr ? "" : c.error);
            EXPECT_EQ(s.api->ReqOrderCancel(&can, 0), expected);
            EXPECT_STREQ(can.ErrorMsg, c.error == nullptr ? "" : c.error);
        }
        if (c.error == nullptr) {
            for (int i = 0; i < 3; ++i) EXPECT_FALSE(s.NextMessage().empty());
        }
    }
    // A location filling its whole array without a NUL is read only within the array: too long.
    auto ins = Zeroed<CFutureReqOrderInsertField>();
    std::memset(ins.OrgOrderLocationID, 'Z', sizeof ins.OrgOrderLocationID);
    EXPECT_EQ(s.api->ReqOrderInsert(&ins, 0), 0);
    EXPECT_STREQ(ins.ErrorMsg, kBadLocation);
    EXPECT_FALSE(s.server.ReadFrame(200).has_value());  // nothing refused was sent
}

TEST_F(FutureTradingTest, EmptyOrdersSendTheirFixedFields) {
    auto ins = Zeroed<CFutureReqOrderInsertField>();
    ASSERT_EQ(s.api->ReqOrderInsert(&ins, 99), 1);
    EXPECT_EQ(s.NextMessage(), Message("ORDER001", {{3, "0"}}, Record(24, {{4, "P"}})));  // no request id
    ins.IsProgram = 1;
    ASSERT_EQ(s.api->ReqOrderInsert(&ins, 99), 1);
    EXPECT_EQ(s.NextMessage(), Message("ORDER001", {{3, "0"}}, Record(24, {{4, "C"}})));
    auto mod = Zeroed<CFutureReqOrderModifyField>();
    ASSERT_EQ(s.api->ReqOrderModify(&mod, 99), 1);
    EXPECT_EQ(s.NextMessage(), Message("MODIFY01", {{3, "0"}}, Record(21, {{15, "P"}})));
    auto can = Zeroed<CFutureReqOrderCancelField>();
    ASSERT_EQ(s.api->ReqOrderCancel(&can, 99), 1);
    EXPECT_EQ(s.NextMessage(), Message("CANCEL01", {{3, "0"}}, Record(19, {{16, "P"}})));
}

TEST_F(FutureTradingTest, OrderLocationTails) {
    auto ins = Zeroed<CFutureReqOrderInsertField>();
    auto mod = Zeroed<CFutureReqOrderModifyField>();
    auto can = Zeroed<CFutureReqOrderCancelField>();
    std::strcpy(ins.OrgOrderLocationID, "AB");
    std::strcpy(mod.OrgOrderLocationID, "AB");
    std::strcpy(can.OrgOrderLocationID, "ABCDE");
    ASSERT_EQ(s.api->ReqOrderInsert(&ins, 0), 1);
    ASSERT_EQ(s.api->ReqOrderModify(&mod, 0), 1);
    ASSERT_EQ(s.api->ReqOrderCancel(&can, 0), 1);
    const std::string a = s.NextMessage(), b = s.NextMessage(), c = s.NextMessage();
    EXPECT_EQ(FieldCount(a), 38u);
    EXPECT_EQ(a, Message("ORDER001", {{3, "0"}}, Record(38, {{4, "P"}, {37, "AB"}})));
    EXPECT_EQ(FieldCount(b), 33u);
    EXPECT_EQ(b, Message("MODIFY01", {{3, "0"}}, Record(33, {{15, "P"}, {32, "AB"}})));
    EXPECT_EQ(FieldCount(c), 24u);
    EXPECT_EQ(c, Message("CANCEL01", {{3, "0"}}, Record(24, {{16, "P"}, {23, "ABCDE"}})));
}

TEST_F(FutureTradingTest, OrderMembersGoToTheirHeadFieldsAndPositions) {
    auto ins = Zeroed<CFutureReqOrderInsertField>();
    const std::pair<char*, const char*> insertValues[] = {
        {ins.UserId, "U"},   {ins.AccountNo, "AC"}, {ins.LocalNo, "L"},  {ins.Item05, "i5"},
        {ins.Item06, "i6"},  {ins.Item07, "i7"},    {ins.Item16, "i16"}, {ins.Item08, "i8"},
        {ins.Item09, "i9"},  {ins.Item11, "i11"},   {ins.Item14, "i14"}, {ins.Item15, "i15"},
        {ins.Item17, "i17"}, {ins.Item18, "i18"},   {ins.Item19, "i19"}, {ins.Item23, "i23"},
    };
    for (const auto& [member, value] : insertValues) std::strcpy(member, value);
    ASSERT_EQ(s.api->ReqOrderInsert(&ins, 0), 1);
    EXPECT_EQ(s.NextMessage(), Message("ORDER001", {{1, "L"}, {3, "0"}, {5, "AC"}, {6, "i5"}, {8, "U"}},
                                       Record(24, {{0, "U"},
                                                   {2, "AC"},
                                                   {4, "P"},
                                                   {5, "i5"},
                                                   {6, "i6"},
                                                   {7, "i7"},
                                                   {8, "i8"},
                                                   {9, "i9"},
                                                   {11, "i11"},
                                                   {14, "i14"},
                                                   {15, "i15"},
                                                   {16, "i16"},
                                                   {17, "i17"},
                                                   {18, "i18"},
                                                   {19, "i19"},
                                                   {23, "i23"}})));

    auto mod = Zeroed<CFutureReqOrderModifyField>();
    const std::pair<char*, const char*> modifyValues[] = {
        {mod.SystemNo, "S"}, {mod.UserId, "U"},   {mod.LocalNo, "L"},  {mod.AccountNo, "AC"}, {mod.Item04, "i4"},
        {mod.Item05, "i5"},  {mod.Item06, "i6"},  {mod.Item07, "i7"},  {mod.Item08, "i8"},    {mod.Item09, "i9"},
        {mod.Item11, "i11"}, {mod.Item12, "i12"}, {mod.Item14, "i14"}, {mod.Item16, "i16"},   {mod.Item17, "i17"},
        {mod.Item18, "i18"}, {mod.Item20, "i20"},
    };
    for (const auto& [member, value] : modifyValues) std::strcpy(member, value);
    ASSERT_EQ(s.api->ReqOrderModify(&mod, 0), 1);
    EXPECT_EQ(s.NextMessage(), Message("MODIFY01", {{1, "L"}, {2, "S"}, {3, "0"}, {5, "AC"}, {6, "i5"}, {8, "U"}},
                                       Record(21, {{0, "U"},
                                                   {2, "AC"},
                                                   {4, "i4"},
                                                   {5, "i5"},
                                                   {6, "i6"},
                                                   {7, "i7"},
                                                   {8, "i8"},
                                                   {9, "i9"},
                                                   {11, "i11"},
                                                   {12, "i12"},
                                                   {14, "i14"},
                                                   {15, "P"},
                                                   {16, "i16"},
                                                   {17, "i17"},
                                                   {18, "i18"},
                                                   {20, "i20"}})));

    auto can = Zeroed<CFutureReqOrderCancelField>();
    const std::pair<char*, const char*> cancelValues[] = {
        {can.UserId, "U"},   {can.LocalNo, "L"},  {can.AccountNo, "AC"}, {can.SystemNo, "S"},
        {can.Item06, "i6"},  {can.Item07, "i7"},  {can.Item08, "i8"},    {can.Item09, "i9"},
        {can.Item10, "i10"}, {can.Item11, "i11"}, {can.Item14, "i14"},   {can.Item18, "i18"},
    };
    for (const auto& [member, value] : cancelValues) std::strcpy(member, value);
    ASSERT_EQ(s.api->ReqOrderCancel(&can, 0), 1);
    EXPECT_EQ(s.NextMessage(), Message("CANCEL01", {{1, "L"}, {2, "S"}, {3, "0"}, {5, "AC"}, {6, "i7"}, {8, "U"}},
                                       Record(19, {{0, "U"},
                                                   {2, "AC"},
                                                   {5, "S"},
                                                   {6, "i6"},
                                                   {7, "i7"},
                                                   {8, "i8"},
                                                   {9, "i9"},
                                                   {10, "i10"},
                                                   {11, "i11"},
                                                   {14, "i14"},
                                                   {16, "P"},
                                                   {18, "i18"}})));
}

TEST_F(FutureTradingTest, OrderAnswers) {
    s.Push(Message("ORDER001", {{1, "L1"}, {2, "S1"}, {8, "U1"}, {10, "3"}}, Fields(34)));
    s.Push(Message("ORDER001", {{1, "L2"}, {2, "S2"}}, Fields(30)));
    s.Push(Message("ORDER001", {{1, "L3"}, {2, "S3"}}, Fields(23)));
    s.Push(Message("SYSTEMNO", {{1, "L4"}, {2, "S4"}}, Fields(34)));
    s.Push(Message("ORDER001", {{1, "L5"}, {2, "S5"}, {4, "20000"}}, Fields(34)));
    s.Push(Message("MODIFY01", {{1, "L6"}, {3, "U6"}}, Fields(34)));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspOrderInsert", 5));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspOrderModify", 1));
    auto ins = s.sink.log.Named("OnRspOrderInsert");
    for (const auto& e : ins) EXPECT_TRUE(e.isLast);

    const auto& full = ins[0].As<CFutureOrderField>();
    EXPECT_EQ(ins[0].requestId, 3);
    EXPECT_STREQ(full.UserId, "U1");
    EXPECT_STREQ(full.LocalNo, "L1");
    EXPECT_STREQ(full.SystemNo, "v2");
    EXPECT_STREQ(full.Item21, "v21");
    EXPECT_STREQ(full.Item24, "v24");
    EXPECT_STREQ(full.Item30, "v30");
    EXPECT_STREQ(full.Item33, "v33");

    const auto& thirty = ins[1].As<CFutureOrderField>();  // fields 24 to 33 only with all 34
    EXPECT_STREQ(thirty.Item21, "v21");
    EXPECT_STREQ(thirty.Item24, "");
    EXPECT_STREQ(thirty.Item30, "");

    const auto& shortAnswer = ins[2].As<CFutureOrderField>();  // 23 fields: head numbers only
    EXPECT_EQ(ins[2].errorId, 0);
    EXPECT_STREQ(shortAnswer.SystemNo, "S3");
    EXPECT_STREQ(shortAnswer.LocalNo, "L3");
    EXPECT_STREQ(shortAnswer.Item01, "");

    const auto& systemNo = ins[3].As<CFutureOrderField>();  // whatever the body holds
    EXPECT_STREQ(systemNo.SystemNo, "S4");
    EXPECT_STREQ(systemNo.LocalNo, "L4");
    EXPECT_STREQ(systemNo.Item01, "");
    EXPECT_STREQ(systemNo.UserId, "");

    EXPECT_EQ(ins[4].errorId, 20000);
    EXPECT_EQ(ins[4].errorMsg, "下单失败");
    EXPECT_STREQ(ins[4].As<CFutureOrderField>().SystemNo, "S5");
    EXPECT_STREQ(ins[4].As<CFutureOrderField>().Item01, "");

    const auto modify = s.sink.log.Named("OnRspOrderModify");
    const auto& m = modify[0].As<CFutureOrderField>();
    EXPECT_STREQ(m.UserId, "U6");
    EXPECT_STREQ(m.LocalNo, "v3");
    EXPECT_STREQ(m.Item32, "v32");
}

TEST_F(FutureTradingTest, CancelAnswersAndNotices) {
    const Items head = {{1, "L1"}, {2, "S1"}, {5, "AC"}, {6, "EX"}, {8, "U1"}};
    s.Push(Message("CANCST01", head));
    s.Push(Message("CANCEL01", head, Fields(20)));
    s.Push(Message("CANCST01", head, Fields(19)));
    s.Push(Message("CANCEL01", {{1, "L1"}, {2, "S1"}, {4, "20000"}, {5, "AC"}, {6, "EX"}, {8, "U1"}}, Fields(20)));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspOrderCancel", 4));
    auto e = s.sink.log.Named("OnRspOrderCancel");
    for (const auto& c : e) EXPECT_TRUE(c.isLast);

    EXPECT_EQ(e[0].errorId, 90006);
    EXPECT_EQ(e[0].errorMsg, "数组为空");
    const auto& empty = e[0].As<CFutureCancelField>();
    EXPECT_STREQ(empty.UserId, "U1");
    EXPECT_STREQ(empty.AccountNo, "AC");
    EXPECT_STREQ(empty.SystemNo, "S1");
    EXPECT_STREQ(empty.LocalNo, "L1");
    EXPECT_STREQ(empty.Item05, "EX");

    const auto& full = e[1].As<CFutureCancelField>();
    EXPECT_EQ(e[1].errorId, 0);
    EXPECT_STREQ(full.UserId, "v0");
    EXPECT_STREQ(full.AccountNo, "v1");
    EXPECT_STREQ(full.LocalNo, "L1");
    EXPECT_STREQ(full.Item05, "v5");
    EXPECT_STREQ(full.Item13, "v13");
    EXPECT_STREQ(full.Item17, "v17");
    EXPECT_STREQ(full.Item19, "v19");
    EXPECT_STREQ(full.HeadField8, "U1");

    EXPECT_STREQ(e[2].As<CFutureCancelField>().Item17, "v17");
    EXPECT_STREQ(e[2].As<CFutureCancelField>().Item19, "");  // absent optional field

    EXPECT_EQ(e[3].errorId, 20000);
    EXPECT_STREQ(e[3].As<CFutureCancelField>().Item05, "EX");
    EXPECT_STREQ(e[3].As<CFutureCancelField>().Item13, "");
}

// ---- pushes ----

TEST_F(FutureTradingTest, OrderStatusAndPositionPushes) {
    s.Push(Message("ORDERSTA", {{1, "LN"}, {10, "4"}}, "a@b@c@12x@4@@6@7.5^only@two"));
    s.Push(
        Message("HOLDSTAT", {{1, "LN"}}, "h0@h1@h2@3@4@5.5@6@7.5@8.5@9@10.5@11.5@h12@13.5@14@h15@h16@17.5@18@19@20.5"));
    s.Push(Message("HOLDSTAT", {{4, "20000"}}, "h0"));
    s.Push(Message("HOLDSTAT", {}));
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushOrderStatus", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushPosition", 3));

    auto st = s.sink.log.Named("OnPushOrderStatus");
    EXPECT_FALSE(st[0].isLast);
    EXPECT_TRUE(st[1].isLast);
    EXPECT_EQ(st[1].requestId, 4);
    const auto& a = st[0].As<CFutureOrderStatusField>();
    EXPECT_STREQ(a.LocalNo, "LN");
    EXPECT_STREQ(a.Item02, "c");
    EXPECT_EQ(a.Item03, 12);
    EXPECT_DOUBLE_EQ(a.Item05, 0.0);
    EXPECT_DOUBLE_EQ(a.Item07, 7.5);
    const auto& b = st[1].As<CFutureOrderStatusField>();
    EXPECT_STREQ(b.LocalNo, "LN");
    EXPECT_STREQ(b.Item01, "two");
    EXPECT_STREQ(b.Item02, "");
    EXPECT_EQ(b.Item03, 0);

    auto pos = s.sink.log.Named("OnPushPosition");
    const auto& p = pos[0].As<CFutureOrderStatusField>();
    EXPECT_TRUE(pos[0].isLast);
    EXPECT_STREQ(p.LocalNo, "");  // the position push carries no local number
    EXPECT_STREQ(p.Item00, "h0");
    EXPECT_EQ(p.Item14, 14);
    EXPECT_STREQ(p.Item16, "h16");
    EXPECT_DOUBLE_EQ(p.Item20, 20.5);
    EXPECT_EQ(pos[1].errorId, 20000);
    EXPECT_EQ(pos[1].errorMsg, "下单失败");
    EXPECT_TRUE(pos[1].isLast);
    EXPECT_STREQ(pos[1].As<CFutureOrderStatusField>().Item00, "");
    EXPECT_EQ(pos[2].errorId, 0);  // empty single-record body: one empty call
    EXPECT_TRUE(pos[2].isLast);
}

TEST_F(FutureTradingTest, FillAndCapitalPushes) {
    s.Push(Message("FILCST01", {}, Fields(18) + "^" + Fields(17) + "^" + Fields(21, "w")));
    s.Push(Message("ACNTLAST", {}, Fields(15, "") + "^x"));
    s.Push(Message("ACNTLAST", {}, Fields(14)));
    s.Push(Message("ACNTLAST", {}));
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushFilled", 2));
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushCapital", 3));

    auto fills = s.sink.log.Named("OnPushFilled");  // the 17-field record is dropped
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_FALSE(fills[0].isLast);
    EXPECT_TRUE(fills[1].isLast);
    const auto& t = fills[0].As<CFutureTradeField>();
    EXPECT_STREQ(t.Item17, "v17");
    EXPECT_STREQ(t.Item18, "");
    EXPECT_STREQ(t.Extra, "");
    EXPECT_STREQ(fills[1].As<CFutureTradeField>().Item20, "w20");

    auto cap = s.sink.log.Named("OnPushCapital");
    EXPECT_FALSE(cap[0].isLast);  // the record's call never carries IsLast
    const auto& c = cap[0].As<CFutureCapitalField>();
    EXPECT_STREQ(c.Item14, "14^x");  // a single-record body: '^' is part of the last field
    EXPECT_STREQ(c.Item00, "0");
    EXPECT_DOUBLE_EQ(c.Item02, 2.0);
    EXPECT_EQ(c.Item11, 11);
    EXPECT_DOUBLE_EQ(c.Item45, 0.0);
    for (size_t i = 1; i < 3; ++i) {  // a 14-field record is dropped; an empty body
        EXPECT_EQ(cap[i].errorId, 0);
        EXPECT_TRUE(cap[i].isLast);
        EXPECT_STREQ(cap[i].As<CFutureCapitalField>().Item00, "");
    }
}

// ---- dispatch ----

TEST_F(FutureTradingTest, CommandCodesMatchByPrefixOnly) {
    s.Push(Message("ORDER", {{1, "P1"}, {2, "S1"}}));       // selects "ORDER001", not "ORDERSTA"
    s.Push(Message("ORDER0011", {{1, "P2"}}, Fields(34)));  // longer than a known code
    s.Push(Message("TEST0001", {}));
    s.Push(Message("LOGIN003", {}, LoginRecord("A", 35)));
    s.Push(Message("NOSUCHCD", {}));
    s.Push(Message("HOLDSTAT", {}, "h0"));
    s.Sync();
    auto ins = s.sink.log.Named("OnRspOrderInsert");
    ASSERT_EQ(ins.size(), 1u);
    EXPECT_STREQ(ins[0].As<CFutureOrderField>().LocalNo, "P1");
    EXPECT_EQ(s.sink.log.Count("OnPushPosition"), 1u);
    EXPECT_EQ(s.sink.log.Count(), 4u);  // OnConnect, the order, the position, the Sync logout
}

// ---- lifecycle ----

TEST(FutureLifecycleTest, EventsWithoutASinkAreDropped) {
    FutureSession s;
    ASSERT_TRUE(s.Start(false));
    s.Push(Message("ORDERSTA", {}, "a@b"));
    s.Push(Message("LOGIN002", {}));
    s.Push(Message("LOGIN001", {}, "ACC" + std::string(34, '@')));
    // The object goes on working: once the login answer is handled, queries carry its account.
    const std::string expected = Message("EXCHANGE", {{5, "ACC"}, {8, "0"}, {10, "1"}});
    std::string sent;
    for (int attempt = 0; attempt < 100 && sent != expected; ++attempt) {
        auto q = Zeroed<CFutureQryExchangeField>();
        if (s.api->ReqQryExchange(&q, 1) == 1) sent = s.NextMessage();
        if (sent != expected) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(sent, expected);
}

// A sink that releases the API object from inside a callback.
class ReleasingRecorder : public FutureRecorder {
public:
    void OnRspUserLogout(CFutureRspInfoField* info, int requestId, bool isLast) override {
        api.load()->Release();
        FutureRecorder::OnRspUserLogout(info, requestId, isLast);
    }
    std::atomic<CFutureApi*> api{nullptr};
};

TEST(FutureLifecycleTest, ReleaseFromInsideACallback) {
    TradingSession<CFutureApi, ReleasingRecorder> s;
    ASSERT_TRUE(s.Start());
    s.sink.api = s.api;
    s.Push(Message("UNLOGIN1", {}));
    s.Push(Message("UNLOGIN1", {}));  // no event reaches the sink after the release
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 1));
    s.api = nullptr;  // released by the callback
    EXPECT_FALSE(s.sink.log.WaitCount("OnRspUserLogout", 2, 300));
}

}  // namespace
