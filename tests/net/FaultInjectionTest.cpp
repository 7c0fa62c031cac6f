// A misbehaving server, seen from a stock object: every fault ends in the code and event it owes
// (or in none), the object reconnects by itself unless the server forced a logout, and a login on
// the next connection works.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "QuintaraApi.h"
#include "foundation/HP.h"
#include "net/NetTiming.h"
#include "support/MessageBuilder.h"
#include "support/StockRecorder.h"
#include "support/TestText.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using StockSession = TradingSession<CStockApi, StockRecorder>;

void ChangeTiming(const std::function<void(NetTimingValues&)>& change) {
    NetTimingValues t = NetTiming::Get();
    change(t);
    NetTiming::ForTest(t);
}

// A request with a body of about 2 KiB, to fill the send buffer quickly.
int SendBigRequest(CStockApi* api, CStockReqSetVerifyQAField& f) {
    char(*fields[])[256] = {&f.VerifyField1, &f.VerifyField2, &f.VerifyField3, &f.VerifyField4,
                            &f.VerifyField5, &f.VerifyField6, &f.VerifyField7, &f.VerifyField8};
    for (auto* field : fields) {
        std::memset(*field, 'q', 255);
        (*field)[255] = '\0';
    }
    return api->ReqSetVerifyQA(&f, 1);
}

// ---- faults that end the connection ----

struct DisconnectCase {
    const char* name;
    std::function<void(StockSession&)> before;  // before Start: timing and server settings
    std::function<void(StockSession&)> inject;
    int64_t code;         // OnDisconnect code
    const char* logText;  // the action line that names the reason
};

const DisconnectCase kDisconnects[] = {
    {"PeerClosesInsideAFrame", [](StockSession&) {},
     [](StockSession& s) {
         ASSERT_TRUE(s.server.SendRaw("{(len=40)LOGINHK1@@@@"));
         std::this_thread::sleep_for(std::chrono::milliseconds(100));
         s.server.CloseClient();
     },
     4004, "接收异常"},
    {"ConnectionReset", [](StockSession&) {},
     [](StockSession& s) {
         ASSERT_TRUE(s.server.SendRaw("{(len=40)LOGINHK1@@@@"));
         std::this_thread::sleep_for(std::chrono::milliseconds(100));
         s.server.ResetClient();
     },
     4003, "接收异常"},
    {"ServerAcceptsAndNeverSpeaks",
     [](StockSession&) { ChangeTiming([](NetTimingValues& t) { t.loginWaitMs = 400; }); }, [](StockSession&) {}, 4008,
     "服务器无响应"},
    {"HeartbeatsGoUnanswered",
     [](StockSession&) { ChangeTiming([](NetTimingValues& t) { t.heartbeatMinTrading = 1; }); },
     [](StockSession& s) {
         s.api->SetHeartBeatTimeout(0);  // the shortened floor: one second
         s.Push("LOGINHK1@@@@@@@@@@1&");
     },
     0, "心跳异常"},
    {"ServerStopsReadingUntilTheSendBufferIsFull",
     [](StockSession& s) {
         s.serverReceiveBuffer = 4096;
         ChangeTiming([](NetTimingValues& t) { t.sendCompleteMs = 300; });
     },
     [](StockSession& s) {
         // The server reads nothing: requests go out until the buffer stays full for the bounded
         // send wait; that request fails, and so does the connection.
         auto f = Zeroed<CStockReqSetVerifyQAField>();
         int result = 1;
         for (int i = 0; i < 200000 && result == 1; ++i) result = SendBigRequest(s.api, f);
         ASSERT_EQ(result, 0);
         EXPECT_STREQ(f.ErrorMsg, "发送数据失败.");
     },
     4005, "发送异常"},
};

class DisconnectFault : public ::testing::TestWithParam<DisconnectCase> {};

TEST_P(DisconnectFault, GivesItsCodeThenReconnectsAndLogsIn) {
    const DisconnectCase& c = GetParam();
    StockSession s;
    c.before(s);
    ASSERT_TRUE(s.Start());
    c.inject(s);
    ASSERT_TRUE(s.sink.log.WaitCount("OnDisconnect", 1, 15000));
    EXPECT_EQ(s.sink.log.Named("OnDisconnect")[0].value, c.code);
    ChangeTiming([](NetTimingValues& t) { t.loginWaitMs = 60000; });

    ASSERT_TRUE(s.Reconnected(2));
    EXPECT_TRUE(s.LogIn(7));
    EXPECT_EQ(s.sink.log.Count("OnDisconnect"), 1u);
    EXPECT_NE(s.LogText().find(c.logText), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Faults, DisconnectFault, ::testing::ValuesIn(kDisconnects),
                         [](const ::testing::TestParamInfo<DisconnectCase>& p) { return p.param.name; });

// ---- faults the connection survives ----

struct SurvivedCase {
    const char* name;
    std::function<void(StockSession&)> injectAndCheck;
};

std::string LoginAnswer(int requestId) {
    return "LOGINHK1@@@@@@@@@@" + std::to_string(requestId) + "&ACC9" + std::string(45, '@');
}

// Fixed pseudo-random bytes (the same on every run).
std::string Junk(size_t size) {
    std::string out(size, '\0');
    uint32_t x = 12345;
    for (char& c : out) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    return out;
}

const SurvivedCase kSurvived[] = {
    {"OneByteEveryTenMilliseconds",
     [](StockSession& s) {
         ASSERT_TRUE(s.server.SendSlowly(MessageBuilder::Frame(LoginAnswer(3)), 10));
         ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLoginInfo", 1));
         EXPECT_STREQ(s.sink.log.DataOf<CStockUserLoginInfoField>("OnRspUserLoginInfo").AccountNo, "ACC9");
     }},
    {"EightMebibytesOfJunk",
     [](StockSession& s) {
         ASSERT_TRUE(s.server.SendRaw(Junk(8u << 20)));
         s.Push(LoginAnswer(4));
         ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLoginInfo", 1, 15000));
         EXPECT_EQ(s.sink.log.Named("OnRspUserLogin")[0].requestId, 4);
     }},
    {"KickOutInTheMiddleOfPushes",
     [](StockSession& s) {
         std::string stream;
         for (int i = 0; i < 40; ++i) {
             if (i == 20) stream += MessageBuilder::Frame("LOGIN002@@@@10001@@@@@@77&");
             stream += MessageBuilder::Frame("StatStHK@L@@@@@@@@@@&a@b@c");
         }
         ASSERT_TRUE(s.server.SendRaw(stream));
         ASSERT_TRUE(s.sink.log.WaitCount("OnPushOrderStatus", 40));
         const auto all = s.sink.log.All();
         size_t pushesBefore = 0;
         for (const auto& e : all) {
             if (e.name == "OnRspUserLogout") break;
             if (e.name == "OnPushOrderStatus") ++pushesBefore;
         }
         EXPECT_EQ(pushesBefore, 20u);  // delivered in stream order
         const auto kick = s.sink.log.Named("OnRspUserLogout");
         ASSERT_EQ(kick.size(), 1u);
         EXPECT_EQ(kick[0].errorId, 10001);
         EXPECT_EQ(kick[0].errorMsg, "此账号在别处登录，当前连接强制退出！！！");
         EXPECT_EQ(kick[0].requestId, 77);
         EXPECT_TRUE(kick[0].isLast);
     }},
};

class SurvivedFault : public ::testing::TestWithParam<SurvivedCase> {};

TEST_P(SurvivedFault, KeepsTheConnectionAndLogsIn) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    GetParam().injectAndCheck(s);
    EXPECT_TRUE(s.LogIn(8));
    EXPECT_EQ(s.sink.log.Count("OnDisconnect"), 0u);
    EXPECT_EQ(s.sink.log.Count("OnConnect"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Faults, SurvivedFault, ::testing::ValuesIn(kSurvived),
                         [](const ::testing::TestParamInfo<SurvivedCase>& p) { return p.param.name; });

// ---- forced logout: the one fault after which the object stays away ----

struct ForcedLogoutCase {
    const char* name;
    std::function<void(StockSession&)> send;
    size_t pushesHandled;  // the bytes of the read that holds the text are not handled
};

const ForcedLogoutCase kForcedLogouts[] = {
    {"InTheMiddleOfAStream",
     [](StockSession& s) {
         ASSERT_TRUE(s.server.SendRaw(MessageBuilder::Frame("StatStHK@L@@@@@@@@@@&a@b@c") + "FORCE_LOGOUT" +
                                      MessageBuilder::Frame("StatStHK@L@@@@@@@@@@&d@e@f")));
     },
     0},
    {"SplitBetweenTwoReads",
     [](StockSession& s) {
         ASSERT_TRUE(s.server.SendRaw(MessageBuilder::Frame("StatStHK@L@@@@@@@@@@&a@b@c") + "FORCE_LOG"));
         ASSERT_TRUE(s.sink.log.WaitCount("OnPushOrderStatus", 1));  // that read was handled
         ASSERT_TRUE(s.server.SendRaw("OUT" + MessageBuilder::Frame("StatStHK@L@@@@@@@@@@&d@e@f")));
     },
     1},
};

class ForcedLogout : public ::testing::TestWithParam<ForcedLogoutCase> {};

TEST_P(ForcedLogout, EndsTheObjectsConnectionsForGood) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(s.LogIn(1));
    GetParam().send(s);
    // No event and no further connection attempt (several reconnection waits pass).
    EXPECT_FALSE(s.server.WaitForClient(1500));
    EXPECT_EQ(s.sink.log.Count("OnDisconnect"), 0u);
    EXPECT_EQ(s.sink.log.Count("OnPushOrderStatus"), GetParam().pushesHandled);
    auto f = Zeroed<CStockReqUserLogoutField>();
    EXPECT_EQ(s.api->ReqUserLogout(&f, 2), 0);
    EXPECT_STREQ(f.ErrorMsg, "发送数据失败.");
    // Release (in the session's destructor) joins the ended thread.
}

INSTANTIATE_TEST_SUITE_P(Faults, ForcedLogout, ::testing::ValuesIn(kForcedLogouts),
                         [](const ::testing::TestParamInfo<ForcedLogoutCase>& p) { return p.param.name; });

// ---- key-exchange answers the session key cannot be made from ----

TEST(InvalidKeyExchange, EachAnswerFailsThe90005WayAndTheConnectionStaysPlain) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    const auto b64 = [](const std::string& bytes) {
        return HP::EncodeBase64(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    };
    const std::string modulus = b64(std::string(127, '\x5a') + "\x01");  // 128 bytes
    const struct {
        std::string modulus;
        std::string exponent;
    } cases[] = {
        {"", ""},                                         // nothing
        {"%%%not*base64%%%", "AQAB"},                     // not Base64
        {modulus, b64("\x01\x00\x01\x00")},               // exponent of 4 bytes
        {b64(std::string(128, '\0')), "AQAB"},            // a zero modulus
        {modulus, b64(std::string(3, '\0'))},             // a zero exponent
        {modulus, b64(std::string("\0\0\x01", 3))},       // exponent 1: would send the key in clear
        {modulus.substr(0, modulus.size() - 4), "AQAB"},  // modulus cut short
    };
    int id = 0;
    for (const auto& c : cases) {
        ++id;
        s.Push("REPLY_PUBLIC_KEY@" + c.modulus + "@" + c.exponent + "@@0@@@@@@" + std::to_string(id) + "&");
        ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", static_cast<size_t>(id))) << id;
        const auto e = s.sink.log.Named("OnRspUserLogin").back();
        EXPECT_EQ(e.errorId, 90005) << id;
        EXPECT_FALSE(e.errorMsg.empty()) << id;
        EXPECT_EQ(e.requestId, id);
        EXPECT_FALSE(e.isLast);
    }
    EXPECT_FALSE(s.server.ReadFrame(200).has_value());  // no session key went out
    EXPECT_TRUE(s.LogIn(50));                           // plain both ways
    EXPECT_EQ(s.sink.log.Count("OnDisconnect"), 0u);
}

}  // namespace
