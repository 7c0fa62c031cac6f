#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "QuintaraApi.h"
#include "net/NetTiming.h"
#include "support/FakeServer.h"
#include "support/MarketRecorder.h"
#include "support/MarketSession.h"
#include "support/MessageBuilder.h"
#include "support/ServerCrypto.h"
#include "support/TestText.h"

using namespace Quintara;

namespace {

CMarketReqUserLoginField Login(const char* user = "u1", const char* pwd = "pw-S3cret", const char* broker = "BRK") {
    auto f = Zeroed<CMarketReqUserLoginField>();
    std::strcpy(f.UserId, user);
    std::strcpy(f.UserPwd, pwd);
    std::strcpy(f.BrokerIDForMarketPrice, broker);
    return f;
}

constexpr int kAllEntries = INT32_MIN;

CMarketReqMarketDataField Subscribe(char type, char action, std::vector<std::string> entries, int count = kAllEntries) {
    auto f = Zeroed<CMarketReqMarketDataField>();
    f.MarketType = type;
    f.SubscribeAction = action;
    f.ContractCount = count != kAllEntries ? count : static_cast<int>(entries.size());
    for (size_t i = 0; i < entries.size() && i < QUINTARA_MAX_SUBSCRIBE_CONTRACTS; ++i)
        std::snprintf(f.Contracts[i], sizeof f.Contracts[i], "%s", entries[i].c_str());
    return f;
}

class MarketApiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s.Start()); }
    MarketSession s;
};

TEST_F(MarketApiTest, LoginChecksRequiredFieldsInOrder) {
    const struct {
        CMarketReqUserLoginField field;
        const char* message;
    } cases[] = {
        {Login("", ""), "UserId 不能为空."},
        {Login("", "pw"), "UserId 不能为空."},
        {Login("u", ""), "UserPwd 不能为空."},
        {Login("u", "", ""), "UserPwd 不能为空."},
        {Login("u", "pw", ""), "BrokerIDForMarketPrice 不能为空."},
    };
    for (auto c : cases) {
        EXPECT_EQ(s.api->ReqUserLogin(&c.field, 1), 0);
        EXPECT_STREQ(c.field.ErrorMsg, c.message);
    }
    EXPECT_TRUE(s.NothingSent());
}

TEST_F(MarketApiTest, LoginRunsTheKeyExchangeAndEndsInPlainMode) {
    ServerCrypto keys;
    ASSERT_TRUE(keys.Valid());
    auto f = Login("u1", "pw-S3cret", "BRK");
    ASSERT_EQ(s.api->ReqUserLogin(&f, 77), 1);
    EXPECT_EQ(s.NextMessage(), "REQ_PUBLIC_KEY@@@A@@@@@@@77&");

    s.Push(keys.ReplyPublicKey(77));
    const std::string sendKey = keys.AcceptSendKey(s.NextMessage()).value_or("");
    EXPECT_EQ(sendKey.substr(0, 9), "SEND_KEY@");
    EXPECT_EQ(sendKey.substr(sendKey.size() - 13), "==@@@@@@@@77&") << sendKey;  // the IV, then field 10

    // From here the traffic is encrypted both ways until the login answer.
    s.Push(keys.Encrypt("REPLY_SEND_KEY@@@@@@@@@@77&"));
    EXPECT_EQ(keys.Decrypt(s.NextMessage()).value_or("<undecryptable>"), "LOGINHK1@@@@@@@@@0@77&u1@pw-S3cret@@@@A@BRK");
    s.Push(keys.Encrypt("LOGINHK1@@@@@@@@@@77&stock|OK;derivate|BAD_USER"));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", 1));
    const auto login = s.sink.log.Named("OnRspUserLogin")[0];
    EXPECT_EQ(login.errorId, 0);
    EXPECT_EQ(login.requestId, 77);
    EXPECT_TRUE(login.isLast);

    // Plain text after the login answer, in both directions.
    auto sub = Subscribe('S', '1', {"700,HKEX"});
    EXPECT_EQ(s.api->ReqMarketData(&sub, 1), 1);
    EXPECT_EQ(s.NextMessage(), "MARKET01@@S@+@@@&700,HKEX");
    s.Push("MARKET01@@@@@@@@@@8&" + Fields(32));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspMarketData", 1));
    EXPECT_STREQ(s.sink.log.Named("OnRspMarketData")[0].As<CMarketMarketDataField>().Item31, "v31");
    auto denied = Subscribe('D', '1', {"CL,NYMEX"});
    EXPECT_EQ(s.api->ReqMarketData(&denied, 1), 0);
    EXPECT_STREQ(denied.ErrorMsg, "没有订阅期货行情权限.");

    const std::string log = s.LogText();
    EXPECT_NE(log.find("LOGINHK1@@@@@@@@@0@77&u1@******@@@@A@BRK"), std::string::npos);
    EXPECT_EQ(log.find("pw-S3cret"), std::string::npos);
    EXPECT_NE(log.find("关闭加密连接模式"), std::string::npos);
}

TEST_F(MarketApiTest, SubscriptionDuringAKeyExchangeIsEncrypted) {
    s.LoginPlain();
    ServerCrypto keys;
    ASSERT_TRUE(keys.Valid());
    auto f = Login();
    ASSERT_EQ(s.api->ReqUserLogin(&f, 2), 1);
    EXPECT_EQ(s.NextMessage(), "REQ_PUBLIC_KEY@@@A@@@@@@@2&");
    s.Push(keys.ReplyPublicKey(2));
    ASSERT_TRUE(keys.AcceptSendKey(s.NextMessage()).has_value());

    auto sub = Subscribe('S', '3', {"700,HKEX"});
    EXPECT_EQ(s.api->ReqMarketData(&sub, 1), 1);
    const std::string cipher = s.NextMessage();
    EXPECT_EQ(cipher.size() % 16, 0u);
    EXPECT_EQ(keys.Decrypt(cipher).value_or("<undecryptable>"), "MARKET01@@S@-@@@&700,HKEX");
    // 4095 characters are too long for one encrypted message: refused, ErrorMsg untouched.
    auto big = Subscribe('S', '1', std::vector<std::string>(20, std::string(254, 'x') + ","));
    std::strcpy(big.ErrorMsg, "untouched");
    EXPECT_EQ(s.api->ReqMarketData(&big, 1), 0);
    EXPECT_STREQ(big.ErrorMsg, "untouched");
    EXPECT_TRUE(s.NothingSent());
}

TEST_F(MarketApiTest, FailedLoginUpdatesPermissionsButDoesNotLogIn) {
    s.LoginPlain("stock|BAD_USER;derivate|OK", "10001");
    auto login = s.sink.log.Named("OnRspUserLogin");
    ASSERT_EQ(login.size(), 1u);
    EXPECT_EQ(login[0].errorId, 10001);
    EXPECT_EQ(login[0].errorMsg, "用户名不正确");
    EXPECT_TRUE(login[0].isLast);

    auto sub = Subscribe('D', '1', {"a,b"});
    EXPECT_EQ(s.api->ReqMarketData(&sub, 1), 0);
    EXPECT_STREQ(sub.ErrorMsg, "尚未登录.");
    auto broker = Zeroed<CMarketReqBrokerDataField>();
    EXPECT_EQ(s.api->ReqBrokerData(&broker, 1), 0);
    EXPECT_STREQ(broker.ErrorMsg, "尚未登录.");
    EXPECT_TRUE(s.NothingSent());

    // A later login answer without a "stock" entry keeps stock quotes denied.
    s.LoginPlain("derivate|bad_user");
    auto stock = Subscribe('S', '1', {"a,b"});
    EXPECT_EQ(s.api->ReqMarketData(&stock, 1), 0);
    EXPECT_STREQ(stock.ErrorMsg, "没有订阅股票行情权限.");
    auto derivate = Subscribe('D', '1', {"a,b"});
    EXPECT_EQ(s.api->ReqMarketData(&derivate, 1), 1);  // lower case does not deny
    EXPECT_EQ(s.NextMessage(), "MARKET01@@D@+@@@&a,b");
}

TEST_F(MarketApiTest, KeyExchangeAndLoginAnswerFailures) {
    s.Push("REPLY_PUBLIC_KEY@@@@10051@@@@@@3&");
    s.Push("REPLY_PUBLIC_KEY@" + std::string(342, 'A') + "==@AQAB@@@@@@@@4&");  // a 256-byte modulus
    s.Push("REPLY_SEND_KEY@@@@10013@@@@@@5&");
    s.Push("LOGINHK@@@&stock|BAD_USER");  // a prefix of the code; a head of four items cannot be parsed
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", 4));
    const auto e = s.sink.log.Named("OnRspUserLogin");
    EXPECT_EQ(e[0].errorId, 10051);
    EXPECT_EQ(e[0].errorMsg, "行情代理商BrokerID不存在.");
    EXPECT_EQ(e[0].requestId, 3);
    EXPECT_FALSE(e[0].isLast);
    EXPECT_EQ(e[1].errorId, 90005);
    EXPECT_EQ(e[1].errorMsg, "modulus or exponent size is wrong");
    EXPECT_EQ(e[1].requestId, 4);
    EXPECT_FALSE(e[1].isLast);
    EXPECT_EQ(e[2].errorId, 10013);
    EXPECT_EQ(e[2].errorMsg, "API认证错误");
    EXPECT_FALSE(e[2].isLast);
    EXPECT_EQ(e[3].errorId, 90001);
    EXPECT_EQ(e[3].errorMsg, "未定义的错误码");
    EXPECT_TRUE(e[3].isLast);
    EXPECT_TRUE(s.NothingSent());  // no session key and no login went out
    // The permissions were still read, and the object is not logged in.
    s.LoginPlain("derivate|OK");
    auto sub = Subscribe('S', '1', {"a,b"});
    EXPECT_EQ(s.api->ReqMarketData(&sub, 1), 0);
    EXPECT_STREQ(sub.ErrorMsg, "没有订阅股票行情权限.");
}

TEST_F(MarketApiTest, SubscriptionTexts) {
    s.LoginPlain();
    std::vector<std::string> many;
    std::string twenty;
    for (int i = 0; i < 25; ++i) {
        many.push_back("c" + std::to_string(i) + ",X");
        if (i < 20) twenty += (i ? ";" : "") + many.back();
    }
    const struct {
        CMarketReqMarketDataField field;
        const char* sent;
    } cases[] = {
        {Subscribe('S', '1', {"700,HKEX", "5,HKEX"}), "MARKET01@@S@+@@@&700,HKEX;5,HKEX"},
        {Subscribe('D', '2', {"CL,NYMEX"}), "MARKET01@@D@+T@@@&CL,NYMEX"},
        {Subscribe('S', '3', {"700,HKEX"}), "MARKET01@@S@-@@@&700,HKEX"},
        {Subscribe('S', '4', {"a,b", "c,d", "e,f"}), "MARKET01@@S@--@@@&"},
        {Subscribe('S', '9', {"a,b"}), "MARKET01@@S"},
        {Subscribe('S', '1', {}, 0), "MARKET01@@S@+@@@&"},
        {Subscribe('S', '1', {"no comma"}, 0), "MARKET01@@S@+@@@&"},  // 0 entries: nothing tested
        {Subscribe('S', '1', {"a,b"}, -7), "MARKET01@@S@+@@@&"},
        {Subscribe('S', '1', many, 25), nullptr},
    };
    for (auto c : cases) {
        const std::string expected = c.sent != nullptr ? c.sent : "MARKET01@@S@+@@@&" + twenty;
        EXPECT_EQ(s.api->ReqMarketData(&c.field, 1), 1) << expected;
        EXPECT_EQ(s.NextMessage(), expected);
    }

    // A list longer than the 4096-byte area is cut at 4095 characters.
    std::vector<std::string> longEntries(20, std::string(254, 'x') + ",");
    auto longSub = Subscribe('S', '1', longEntries);
    EXPECT_EQ(s.api->ReqMarketData(&longSub, 1), 1);
    const std::string sent = s.NextMessage();
    ASSERT_EQ(sent.size(), 4095u);
    EXPECT_EQ(sent.substr(0, 17), "MARKET01@@S@+@@@&");
}

TEST_F(MarketApiTest, SubscriptionRefusals) {
    s.LoginPlain("stock|OK;derivate|BAD_USER");
    const struct {
        CMarketReqMarketDataField field;
        const char* message;
    } cases[] = {
        {Subscribe('S', '1', {"a,b", "c,d", "no comma", "e,f", "g,h"}), "订阅行情的格式不合法，必须用逗号分隔."},
        {Subscribe('S', '4', {"a,b", "bad"}), "订阅行情的格式不合法，必须用逗号分隔."},  // '4' tests its entries
        {Subscribe('D', '1', {"a,b"}), "没有订阅期货行情权限."},
        {Subscribe('D', '3', {"bad", "a,b"}), "订阅行情的格式不合法，必须用逗号分隔."},  // the comma test comes first
    };
    for (auto c : cases) {
        std::strcpy(c.field.ErrorMsg, "earlier");
        EXPECT_EQ(s.api->ReqMarketData(&c.field, 1), 0);
        EXPECT_STREQ(c.field.ErrorMsg, c.message);
    }
    EXPECT_TRUE(s.NothingSent());
    // Entries beyond the count are not looked at.
    auto beyond = Subscribe('S', '1', {"a,b", "bad"}, 1);
    EXPECT_EQ(s.api->ReqMarketData(&beyond, 1), 1);
    EXPECT_EQ(s.NextMessage(), "MARKET01@@S@+@@@&a,b");
}

TEST_F(MarketApiTest, SubscriptionPausesTheCallerAfterASend) {
    s.LoginPlain("stock|BAD_USER");
    using Clock = std::chrono::steady_clock;
    auto sent = Subscribe('D', '1', {"a,b"});
    auto start = Clock::now();
    EXPECT_EQ(s.api->ReqMarketData(&sent, 1), 1);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(s.NextMessage(), "MARKET01@@D@+@@@&a,b");

    auto refused = Subscribe('S', '1', {"a,b"});
    start = Clock::now();
    EXPECT_EQ(s.api->ReqMarketData(&refused, 1), 0);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
}

TEST_F(MarketApiTest, SubscriptionSendFailureKeepsErrorMsg) {
    s.LoginPlain();
    s.server.CloseClient();
    ASSERT_TRUE(s.sink.log.WaitCount("OnDisconnect", 1));
    auto sub = Subscribe('S', '1', {"a,b"});
    std::strcpy(sub.ErrorMsg, "untouched");
    EXPECT_EQ(s.api->ReqMarketData(&sub, 1), 0);
    EXPECT_STREQ(sub.ErrorMsg, "untouched");
    auto broker = Zeroed<CMarketReqBrokerDataField>();
    EXPECT_EQ(s.api->ReqBrokerData(&broker, 1), 0);
    EXPECT_STREQ(broker.ErrorMsg, "发送数据失败.");
    auto login = Login();
    EXPECT_EQ(s.api->ReqUserLogin(&login, 1), 0);
    EXPECT_STREQ(login.ErrorMsg, "发送数据失败.");
    // The login outlives the connection: after reconnecting, subscriptions go out without a new login.
    ASSERT_TRUE(s.server.WaitForClient(5000));
    ASSERT_TRUE(s.sink.log.WaitCount("OnConnect", 2));
    EXPECT_EQ(s.api->ReqMarketData(&sub, 1), 1);
    EXPECT_EQ(s.NextMessage(), "MARKET01@@S@+@@@&a,b");
}

TEST_F(MarketApiTest, QuotesArriveRawThenParsed) {
    const std::string full = Fields(42);
    s.Push("MARKET01@@@@@@@@@@31&" + full);
    s.Push("MARKET0@@@@@@@@@@32&a@b@c@d@e@f@g@h@Y");       // a prefix of the code selects the quote handler
    s.Push("MARKET01@@@@@@@@@@33&" + Fields(41) + "@xD");  // rejected
    s.Push("MARKET01@@@@10026@@@@@@34&" + full);           // server refusal
    s.Push("MARKET01X@@@@@@@@@@35&" + full);               // longer than the code: ignored
    s.Push("MARKET01@@@@@@@@@@36&");                       // empty body
    s.Sync();
    const auto raw = s.sink.log.Named("OnRspRawMarketData");
    const auto quotes = s.sink.log.Named("OnRspMarketData");
    ASSERT_EQ(raw.size(), 5u);
    ASSERT_EQ(quotes.size(), 5u);
    EXPECT_EQ(raw[0].text, full);
    EXPECT_EQ(raw[4].text, "");

    // Each raw call comes right before its parsed call.
    const auto all = s.sink.log.All();
    for (size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i].name == "OnRspRawMarketData") {
            EXPECT_EQ(all[i + 1].name, "OnRspMarketData");
        }
    }

    EXPECT_EQ(quotes[0].requestId, 31);
    EXPECT_FALSE(quotes[0].isLast);
    EXPECT_EQ(quotes[0].errorId, 0);
    const auto& q = quotes[0].As<CMarketMarketDataField>();
    EXPECT_STREQ(q.Item00, "v0");
    EXPECT_STREQ(q.Item65, "v40");
    EXPECT_STREQ(q.RecordType, "v41");

    EXPECT_EQ(quotes[1].requestId, 32);
    EXPECT_FALSE(quotes[1].isLast);
    EXPECT_STREQ(quotes[1].As<CMarketMarketDataField>().RecordType, "Y");
    EXPECT_STREQ(quotes[1].As<CMarketMarketDataField>().Item64, "h");

    const CMarketMarketDataField zero = Zeroed<CMarketMarketDataField>();
    for (size_t i = 2; i < 5; ++i) {
        EXPECT_TRUE(quotes[i].isLast) << i;
        EXPECT_EQ(std::memcmp(quotes[i].data.data(), &zero, sizeof zero), 0) << i;
    }
    EXPECT_EQ(quotes[2].errorId, 0);
    EXPECT_EQ(quotes[3].errorId, 10026);
    EXPECT_EQ(quotes[3].errorMsg, "订阅合约在交易所不存在.");
    EXPECT_EQ(quotes[4].requestId, 36);
}

TEST_F(MarketApiTest, CompressedQuoteBodies) {
    const std::string full = Fields(32);
    s.Push("MARKET01@@@@@@@@@1@1&" + MessageBuilder::CompressedBody(full));
    s.Push("MARKET01@@@@@@@@@2@2&");
    s.Push("MARKET01@@@@@@@@@1@3&not-base64-deflate!!");
    s.Sync();
    const auto raw = s.sink.log.Named("OnRspRawMarketData");
    const auto quotes = s.sink.log.Named("OnRspMarketData");
    ASSERT_EQ(quotes.size(), 3u);
    EXPECT_EQ(raw[0].text, MessageBuilder::CompressedBody(full));  // the raw text is the body as received
    EXPECT_FALSE(quotes[0].isLast);
    EXPECT_STREQ(quotes[0].As<CMarketMarketDataField>().RecordType, "v31");
    EXPECT_EQ(quotes[1].errorId, 90004);
    EXPECT_EQ(quotes[1].errorMsg, "Compress body is empty");
    EXPECT_TRUE(quotes[1].isLast);
    EXPECT_EQ(quotes[2].errorId, 90002);
    EXPECT_EQ(quotes[2].errorMsg, "Decompress fails");
    EXPECT_TRUE(quotes[2].isLast);
}

TEST_F(MarketApiTest, BrokerData) {
    s.LoginPlain();
    auto f = Zeroed<CMarketReqBrokerDataField>();
    std::strcpy(f.BrokerKey, "K@1");
    EXPECT_EQ(s.api->ReqBrokerData(&f, 5), 1);
    EXPECT_EQ(s.NextMessage(), "BROKER@@@A@@@@@@@5&K@1");
    f.BrokerKey[0] = '\0';
    EXPECT_EQ(s.api->ReqBrokerData(&f, -5), 1);
    EXPECT_EQ(s.NextMessage(), "BROKER@@@A@@@@@@@-5&");

    const std::string big(5000, 'b');
    s.Push("B@@@@@@@@@@5&" + big);
    s.Push("B@@@@@@@@@@6&a@b^c");
    s.Push("B@@@@@@@@@@7&");
    s.Push("B@@@@10020@@@@@@8&x");
    s.Sync();
    const auto e = s.sink.log.Named("OnRspBrokerData");
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(std::string(e[0].As<CMarketBrokerDataField>().BrokerData), big.substr(0, 4095));
    EXPECT_FALSE(e[0].isLast);
    EXPECT_EQ(e[0].requestId, 5);
    EXPECT_STREQ(e[1].As<CMarketBrokerDataField>().BrokerData, "a@b^c");
    EXPECT_FALSE(e[1].isLast);
    EXPECT_STREQ(e[2].As<CMarketBrokerDataField>().BrokerData, "");
    EXPECT_TRUE(e[2].isLast);
    EXPECT_EQ(e[2].errorId, 0);
    EXPECT_EQ(e[3].errorId, 10020);
    EXPECT_EQ(e[3].errorMsg, "尚未登录.");
    EXPECT_STREQ(e[3].As<CMarketBrokerDataField>().BrokerData, "");
    EXPECT_TRUE(e[3].isLast);
}

TEST_F(MarketApiTest, TradeDates) {
    s.Push("M2@@@@@@@@@@1&20240105:20240108:x@second:item@third");
    s.Push("M2@@@@@@@@@@2&no colon@a:b");
    s.Push("M2@@@@@@@@@@3&:");
    s.Sync();
    const auto e = s.sink.log.Named("OnPushTradeDate");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_STREQ(e[0].As<CMarketTradeDateField>().Key, "20240105");
    EXPECT_STREQ(e[0].As<CMarketTradeDateField>().Value, "20240108:x");
    EXPECT_FALSE(e[0].isLast);
    EXPECT_EQ(e[0].requestId, 1);
    EXPECT_STREQ(e[1].As<CMarketTradeDateField>().Key, "");
    EXPECT_STREQ(e[1].As<CMarketTradeDateField>().Value, "");
    EXPECT_TRUE(e[1].isLast);
    EXPECT_EQ(e[1].errorId, 0);
    EXPECT_FALSE(e[2].isLast);  // an empty key and value still make a record
}

TEST_F(MarketApiTest, KickOutKeepsTheLogin) {
    s.LoginPlain();
    s.Push("LOGIN002@@@@@@@@@@12&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnKickOut", 1));
    const auto e = s.sink.log.Named("OnKickOut")[0];
    EXPECT_EQ(e.errorMsg, "此账号在别处登录，当前连接强制退出！！！");
    EXPECT_EQ(e.requestId, 12);
    EXPECT_TRUE(e.isLast);
    auto sub = Subscribe('S', '1', {"a,b"});
    EXPECT_EQ(s.api->ReqMarketData(&sub, 1), 1);
}

TEST(MarketHeartBeatTest, HeartbeatAfterTheLoginAnswer) {
    MarketSession s(1);
    ASSERT_TRUE(s.Start(0, true));     // clamped to the shortened minimum of 1 second
    EXPECT_TRUE(s.NothingSent(1500));  // no heartbeat before the login answer
    s.LoginPlain();
    EXPECT_EQ(s.NextMessage(3000), "TEST001@@@@@@@@@@&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnHeartBeat", 1));
    EXPECT_GE(s.sink.log.Named("OnHeartBeat")[0].value, 1);
}

TEST(MarketApiFactoryTest, VersionText) {
    EXPECT_STREQ(CMarketApi::GetVersion(), "1.18.2.0");
}

}  // namespace
