// Application threads and the receive thread at work on one object at the same time. Written to
// be run under ThreadSanitizer: what they share must be locked or atomic.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "QuintaraApi.h"
#include "support/FutureRecorder.h"
#include "support/MarketSession.h"
#include "support/MessageBuilder.h"
#include "support/StockRecorder.h"
#include "support/TestText.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using StockSession = TradingSession<CStockApi, StockRecorder>;
using FutureSession = TradingSession<CFutureApi, FutureRecorder>;

// Every stock request once, with filled-in structs; returns how many were handed to the connection.
int EveryStockRequest(CStockApi* api, int id) {
    int sent = 0;
    auto login = Zeroed<CStockReqUserLoginField>();
    for (char* f :
         {login.UserId, login.UserPwd, login.ComputerName, login.SoftwareName, login.SoftwareVersion, login.AuthorCode})
        std::strcpy(f, "x");
    sent += api->ReqUserLogin(&login, id);
    auto logout = Zeroed<CStockReqUserLogoutField>();
    sent += api->ReqUserLogout(&logout, id);
    auto safe = Zeroed<CStockReqSafeVerifyField>();
    std::strcpy(safe.VerifyField1, "a");
    sent += api->ReqSafeVerify(&safe, id);
    auto code = Zeroed<CStockReqVerifyCodeField>();
    sent += api->ReqVerifyCode(&code, id);
    auto qa = Zeroed<CStockReqSetVerifyQAField>();
    sent += api->ReqSetVerifyQA(&qa, id);
    auto question = Zeroed<CStockReqGetQuestionField>();
    sent += api->ReqGetQuestion(&question, id);
    auto insert = Zeroed<CStockReqOrderInsertField>();
    sent += api->ReqOrderInsert(&insert, id);
    auto modify = Zeroed<CStockReqOrderModifyField>();
    sent += api->ReqOrderModify(&modify, id);
    auto cancel = Zeroed<CStockReqOrderCancelField>();
    sent += api->ReqOrderCancel(&cancel, id);
    auto password = Zeroed<CStockReqPasswordUpdateField>();
    sent += api->ReqPasswordUpdate(&password, id);
    auto tick = Zeroed<CStockQryTickField>();
    sent += api->ReqQryTick(&tick, id);
    auto order = Zeroed<CStockQryOrderField>();
    sent += api->ReqQryOrder(&order, id);
    auto trade = Zeroed<CStockQryTradeField>();
    sent += api->ReqQryTrade(&trade, id);
    auto capital = Zeroed<CStockQryCapitalField>();
    sent += api->ReqQryCapital(&capital, id);
    auto version = Zeroed<CStockQryVersionField>();
    sent += api->ReqQryVersion(&version, id);
    auto position = Zeroed<CStockQryPositionField>();
    sent += api->ReqQryPosition(&position, id);
    auto currency = Zeroed<CStockQryCurrencyField>();
    sent += api->ReqQryCurrency(&currency, id);
    auto exchange = Zeroed<CStockQryExchangeField>();
    sent += api->ReqQryExchange(&exchange, id);
    auto instrument = Zeroed<CStockQryInstrumentField>();
    std::strcpy(instrument.ExchangeNo, "HK");
    sent += api->ReqQryInstrument(&instrument, id);
    return sent;
}

// Every futures request once, with filled-in structs; returns how many were handed to the connection.
int EveryFutureRequest(CFutureApi* api, int id) {
    int sent = 0;
    auto login = Zeroed<CFutureReqUserLoginField>();
    for (char* f :
         {login.UserId, login.UserPwd, login.ComputerName, login.SoftwareName, login.SoftwareVersion, login.AuthorCode})
        std::strcpy(f, "x");
    sent += api->ReqUserLogin(&login, id);
#define QUINTARA_SEND(Req, Field) \
    {                             \
        auto f = Zeroed<Field>(); \
        sent += api->Req(&f, id); \
    }
    QUINTARA_SEND(ReqUserLogout, CFutureReqUserLogoutField)
    QUINTARA_SEND(ReqSafeVerify, CFutureReqSafeVerifyField)
    QUINTARA_SEND(ReqVerifyCode, CFutureReqVerifyCodeField)
    QUINTARA_SEND(ReqSetVerifyQA, CFutureReqSetVerifyQAField)
    QUINTARA_SEND(ReqGetQuestion, CFutureReqGetQuestionField)
    QUINTARA_SEND(ReqOrderInsert, CFutureReqOrderInsertField)
    QUINTARA_SEND(ReqOrderModify, CFutureReqOrderModifyField)
    QUINTARA_SEND(ReqOrderCancel, CFutureReqOrderCancelField)
    QUINTARA_SEND(ReqPasswordUpdate, CFutureReqPasswordUpdateField)
    QUINTARA_SEND(ReqQryOrder, CFutureQryOrderField)
    QUINTARA_SEND(ReqQryTrade, CFutureQryTradeField)
    QUINTARA_SEND(ReqQryCapital, CFutureQryCapitalField)
    QUINTARA_SEND(ReqQryVersion, CFutureQryVersionField)
    QUINTARA_SEND(ReqQryCurrency, CFutureQryCurrencyField)
    QUINTARA_SEND(ReqQryExchange, CFutureQryExchangeField)
    QUINTARA_SEND(ReqQryPosition, CFutureQryPositionField)
    QUINTARA_SEND(ReqQryStrategy, CFutureQryStrategyField)
    QUINTARA_SEND(ReqQryCommodity, CFutureQryCommodityField)
    QUINTARA_SEND(ReqQryInstrument, CFutureQryInstrumentField)
    QUINTARA_SEND(ReqQryExchangeTime, CFutureQryExchangeTimeField)
    QUINTARA_SEND(ReqQryCommodityTime, CFutureQryCommodityTimeField)
    QUINTARA_SEND(ReqQryTotalPosition, CFutureQryTotalPositionField)
    QUINTARA_SEND(ReqQryStrategyDetail, CFutureQryStrategyDetailField)
#undef QUINTARA_SEND
    return sent;
}

// Four threads send every request of the kind 20 times while the server pushes notices, login
// answers (which replace the account the queries read) and kick-outs. Every accepted request must
// reach the server as one whole message, and the pushes keep arriving.
template <class Session, class Api>
void SendEverythingWhileThePushesStream(Session& s, int (*everyRequest)(Api*, int),
                                        const std::vector<std::string>& pushes, const char* pushCallback) {
    std::atomic<bool> stop{false};
    std::thread pusher([&] {
        for (int i = 0; !stop; ++i) {
            for (const auto& push : pushes) s.server.SendFrame(push);
            if (i % 10 == 0)
                s.server.SendFrame(std::string(ApiFactory<Api>::kLoginCode) + "@@@@@@@@@@1&ACC" + std::to_string(i) +
                                   std::string(ApiFactory<Api>::kRecordFields - 1, '@'));
            if (i % 25 == 0) s.server.SendFrame("LOGIN002@@@@@@@@@@2&");
        }
    });
    std::atomic<int> accepted{0};
    std::atomic<int> running{4};
    std::vector<std::thread> senders;
    for (int t = 0; t < 4; ++t) {
        senders.emplace_back([&, t] {
            for (int round = 0; round < 20; ++round) accepted += everyRequest(s.api, t * 100 + round);
            --running;
        });
    }
    int received = 0;
    for (;;) {
        auto frame = s.server.ReadFrame(running > 0 ? 5000 : 1000);
        if (!frame) break;
        ++received;
        EXPECT_NE(frame->find('&'), std::string::npos) << *frame;
    }
    for (auto& th : senders) th.join();
    stop = true;
    pusher.join();
    EXPECT_EQ(received, accepted.load());
    EXPECT_GT(accepted.load(), 4 * 20 * 10);
    EXPECT_GT(s.sink.log.Count(pushCallback), 0u);
    EXPECT_GT(s.sink.log.Count("OnRspUserLoginInfo"), 0u);
    EXPECT_EQ(s.sink.log.Count("OnDisconnect"), 0u);
}

TEST(Concurrency, FourThreadsSendEveryStockRequestWhileTheServerPushes) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    SendEverythingWhileThePushesStream(
        s, &EveryStockRequest, {"StatStHK@L@@@@@@@@@@&a@b@c", "FillStHK@@@@@@@@@@&" + Fields(20)}, "OnPushOrderStatus");
}

TEST(Concurrency, FourThreadsSendEveryFutureRequestWhileTheServerPushes) {
    FutureSession s;
    ASSERT_TRUE(s.Start());
    SendEverythingWhileThePushesStream(s, &EveryFutureRequest,
                                       {"ORDERSTA@@@@@@@@@@&" + Fields(40), "FILCST01@@@@@@@@@@&" + Fields(40)},
                                       "OnPushOrderStatus");
}

// Two threads issue the same throttled query at the same instant: exactly one is accepted.
TEST(Concurrency, RacingThrottledQueriesLetOneThroughPerKind) {
    StockSession stock;
    FutureSession future;
    ASSERT_TRUE(stock.Start());
    ASSERT_TRUE(future.Start());
    CStockApi* sa = stock.api;
    CFutureApi* fa = future.api;
    const struct {
        const char* name;
        std::function<int()> query;
    } kinds[] = {
        {"stock order",
         [sa] {
             auto q = Zeroed<CStockQryOrderField>();
             return sa->ReqQryOrder(&q, 1);
         }},
        {"stock trade",
         [sa] {
             auto q = Zeroed<CStockQryTradeField>();
             return sa->ReqQryTrade(&q, 1);
         }},
        {"stock capital",
         [sa] {
             auto q = Zeroed<CStockQryCapitalField>();
             return sa->ReqQryCapital(&q, 1);
         }},
        {"stock position",
         [sa] {
             auto q = Zeroed<CStockQryPositionField>();
             return sa->ReqQryPosition(&q, 1);
         }},
        {"future order",
         [fa] {
             auto q = Zeroed<CFutureQryOrderField>();
             return fa->ReqQryOrder(&q, 1);
         }},
        {"future trade",
         [fa] {
             auto q = Zeroed<CFutureQryTradeField>();
             return fa->ReqQryTrade(&q, 1);
         }},
        {"future capital",
         [fa] {
             auto q = Zeroed<CFutureQryCapitalField>();
             return fa->ReqQryCapital(&q, 1);
         }},
        {"future position",
         [fa] {
             auto q = Zeroed<CFutureQryPositionField>();
             return fa->ReqQryPosition(&q, 1);
         }},
        {"future total position",
         [fa] {
             auto q = Zeroed<CFutureQryTotalPositionField>();
             return fa->ReqQryTotalPosition(&q, 1);
         }},
    };
    for (const auto& kind : kinds) {
        std::atomic<int> ready{0};
        std::atomic<int> passed{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < 2; ++i) {
            threads.emplace_back([&] {
                ++ready;
                while (ready < 2) {
                }
                // A few tries each, all within the same second.
                for (int k = 0; k < 5; ++k) passed += kind.query();
            });
        }
        for (auto& th : threads) th.join();
        EXPECT_EQ(passed, 1) << kind.name;
    }
}

// ---- the market object: requests while quotes stream, and Release in both places ----

CMarketReqMarketDataField StockQuotes() {
    auto f = Zeroed<CMarketReqMarketDataField>();
    f.MarketType = 'S';
    f.SubscribeAction = '1';
    f.ContractCount = 1;
    std::strcpy(f.Contracts[0], "00700,HK");
    return f;
}

TEST(Concurrency, MarketRequestsFromFourThreadsWhileQuotesStream) {
    MarketSession s;
    ASSERT_TRUE(s.Start());
    s.LoginPlain();
    std::atomic<bool> stop{false};
    std::thread quotes([&] {
        for (int i = 0; !stop; ++i) {
            s.server.SendFrame("MARKET01@@@@@@@@@@31&" + Fields(42));
            // Login answers change the permissions that subscriptions read.
            if (i % 20 == 0) s.server.SendFrame("LOGINHK1@@@@@@@@@@1&stock|OK;derivate|OK");
        }
    });
    std::atomic<int> accepted{0};
    std::vector<std::thread> senders;
    for (int t = 0; t < 4; ++t) {
        senders.emplace_back([&] {
            for (int i = 0; i < 5; ++i) {
                auto login = Zeroed<CMarketReqUserLoginField>();
                std::strcpy(login.UserId, "u");
                std::strcpy(login.UserPwd, "p");
                std::strcpy(login.BrokerIDForMarketPrice, "B");
                accepted += s.api->ReqUserLogin(&login, i);  // a key request the server leaves unanswered
                auto sub = StockQuotes();
                accepted += s.api->ReqMarketData(&sub, i);
                auto broker = Zeroed<CMarketReqBrokerDataField>();
                std::strcpy(broker.BrokerKey, "K");
                accepted += s.api->ReqBrokerData(&broker, i);
            }
        });
    }
    int received = 0;
    while (received < 60) {
        auto frame = s.server.ReadFrame(5000);
        if (!frame) break;
        ++received;
    }
    for (auto& th : senders) th.join();
    stop = true;
    quotes.join();
    EXPECT_EQ(accepted, 60);
    EXPECT_EQ(received, 60);
    EXPECT_GT(s.sink.log.Count("OnRspMarketData"), 0u);
}

TEST(Concurrency, MarketReleaseWhileQuotesStream) {
    MarketSession s;
    ASSERT_TRUE(s.Start());
    std::atomic<bool> stop{false};
    std::thread quotes([&] {
        while (!stop && s.server.SendFrame("MARKET01@@@@@@@@@@31&" + Fields(42))) {
        }
    });
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspMarketData", 100));
    s.api->Release();
    s.api = nullptr;
    const size_t after = s.sink.log.Count();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(s.sink.log.Count(), after);  // no callback once Release has returned
    stop = true;
    quotes.join();
}

// A market sink that releases the object from inside the first quote callback.
class ReleasingMarketRecorder : public MarketRecorder {
public:
    std::atomic<CMarketApi*> api{nullptr};
    void OnRspMarketData(CMarketMarketDataField* data, CMarketRspInfoField* info, int requestId, bool isLast) override {
        if (CMarketApi* a = api.exchange(nullptr)) a->Release();
        // Recorded last: once the test sees the call, this sink is no longer touched.
        MarketRecorder::OnRspMarketData(data, info, requestId, isLast);
    }
};

TEST(Concurrency, MarketReleaseFromInsideAQuoteCallback) {
    MarketSession s;
    ASSERT_TRUE(s.Start());
    ReleasingMarketRecorder sink;
    // The releasing sink takes over (events are recorded there from now on).
    s.api->RegisterSpi(&sink);
    sink.api = s.api;
    std::string burst;
    for (int i = 0; i < 20; ++i) burst += MessageBuilder::Frame("MARKET01@@@@@@@@@@31&" + Fields(42));
    ASSERT_TRUE(s.server.SendRaw(burst));
    ASSERT_TRUE(sink.log.WaitCount("OnRspMarketData", 1));
    s.api = nullptr;                                     // the library destroys it once the callback has returned
    EXPECT_FALSE(s.server.ReadFrame(1500).has_value());  // the connection went with the object
    EXPECT_EQ(sink.log.Count("OnRspMarketData"), 1u);    // nothing after the releasing call
}

}  // namespace
