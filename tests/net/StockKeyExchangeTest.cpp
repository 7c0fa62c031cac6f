#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "QuintaraApi.h"
#include "foundation/HP.h"
#include "support/ServerCrypto.h"
#include "support/StockRecorder.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using StockSession = TradingSession<CStockApi, StockRecorder>;

CStockReqUserLoginField Login() {
    CStockReqUserLoginField f;
    std::memset(&f, 0, sizeof f);
    std::strcpy(f.UserId, "u1");
    std::strcpy(f.UserPwd, "Kx-secret-77");
    std::strcpy(f.ExtraInfo, "ex");
    std::strcpy(f.ComputerName, "PC");
    std::strcpy(f.SoftwareName, "SW");
    std::strcpy(f.SoftwareVersion, "1.0");
    std::strcpy(f.AuthorCode, "AUTH");
    return f;
}

TEST(StockKeyExchange, ServerStartedExchangeResendsTheLastLoginEncrypted) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    ServerCrypto crypto;
    ASSERT_TRUE(crypto.Valid());
    auto f = Login();
    ASSERT_EQ(s.api->ReqUserLogin(&f, 3), 1);
    ASSERT_EQ(s.NextMessage(), "LOGINHK1@SW@1.0@A@AUTH@@@@1@@3&u1@Kx-secret-77@1@ex@PC");

    s.Push(crypto.ReplyPublicKey(5));
    auto sendKey = s.server.ReadFrame(3000);
    ASSERT_TRUE(sendKey.has_value());
    ASSERT_EQ(sendKey->size(), 128u);
    ASSERT_TRUE(crypto.AcceptSendKey(*sendKey).has_value());

    s.Push(crypto.Encrypt("REPLY_SEND_KEY@@@@0@@@@@@5&"));
    auto login = s.server.ReadFrame(3000);
    ASSERT_TRUE(login.has_value());
    EXPECT_EQ(crypto.Decrypt(*login).value_or("?"), "LOGINHK1@SW@1.0@A@AUTH@@@@1@@5&u1@Kx-secret-77@1@ex@PC");

    // From now on the traffic is encrypted both ways.
    s.Push(crypto.Encrypt("UNLOGIN1@@@@@@@@@@8&"));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 1));
    EXPECT_EQ(s.sink.log.Named("OnRspUserLogout")[0].requestId, 8);

    const std::string log = s.LogText();
    EXPECT_EQ(log.find("Kx-secret-77"), std::string::npos);
    EXPECT_EQ(log.find(HP::EncodeBase64(reinterpret_cast<const unsigned char*>(crypto.Key().data()), 32)),
              std::string::npos);
    EXPECT_NE(log.find("SEND_KEY@******@******@"), std::string::npos);
    EXPECT_NE(log.find("u1@******@1@ex@PC"), std::string::npos);
}

TEST(StockKeyExchange, ExchangeFailuresReachTheLoginCallback) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    // A 256-byte modulus is refused with 90005 and encryption stays off.
    const std::string big(256, 'm');
    const std::string b64 = HP::EncodeBase64(reinterpret_cast<const unsigned char*>(big.data()), big.size());
    s.Push("REPLY_PUBLIC_KEY@" + b64 + "@AQAB@@0@@@@@@4&");
    s.Push("REPLY_SEND_KEY@@@@10013@@@@@@6&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", 2));
    auto e = s.sink.log.Named("OnRspUserLogin");
    EXPECT_EQ(e[0].errorId, 90005);
    EXPECT_EQ(e[0].errorMsg, "modulus or exponent size is wrong");
    EXPECT_EQ(e[0].requestId, 4);
    EXPECT_FALSE(e[0].isLast);
    EXPECT_EQ(e[1].errorId, 10013);
    EXPECT_EQ(e[1].errorMsg, "API认证错误");
    // Still plain: a plain answer is understood.
    s.Push("UNLOGIN1@@@@@@@@@@1&");
    EXPECT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 1));
}

}  // namespace
