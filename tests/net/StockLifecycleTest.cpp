#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "QuintaraApi.h"
#include "support/StockRecorder.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

using StockSession = TradingSession<CStockApi, StockRecorder>;

TEST(StockLifecycle, ReleaseDuringTrafficReturnsAndStopsEvents) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    std::atomic<bool> stop{false};
    std::thread pusher([&] {
        while (!stop) s.server.SendFrame("StatStHK@L@@@@@@@@@@&a@b@c^d@e@f");
    });
    ASSERT_TRUE(s.sink.log.WaitCount("OnPushOrderStatus", 50));
    s.api->Release();
    s.api = nullptr;
    const size_t after = s.sink.log.Count();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(s.sink.log.Count(), after);  // no callback once Release has returned
    stop = true;
    pusher.join();
}

// A sink that releases the API object from inside a callback.
class ReleasingRecorder : public StockRecorder {
public:
    CStockApi* api = nullptr;
    void OnRspUserLogout(CStockRspInfoField* info, int requestId, bool isLast) override {
        StockRecorder::OnRspUserLogout(info, requestId, isLast);
        api->Release();
    }
};

TEST(StockLifecycle, ReleaseFromInsideACallbackIsSafe) {
    TradingSession<CStockApi, ReleasingRecorder> s;
    ASSERT_TRUE(s.Start());
    s.sink.api = s.api;
    // Two answers in one read: the second must not reach the released object's sink.
    const std::string a = "UNLOGIN1@@@@@@@@@@1&";
    const std::string b = "UNLOGIN1@@@@@@@@@@2&";
    s.server.SendRaw("{(len=" + std::to_string(a.size()) + ")" + a + "}{(len=" + std::to_string(b.size()) + ")" + b +
                     "}");
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogout", 1));
    s.api = nullptr;  // destroyed by the library once the callback returned
    // The connection goes away with the object.
    EXPECT_FALSE(s.server.ReadFrame(1500).has_value());
    EXPECT_EQ(s.sink.log.Count("OnRspUserLogout"), 1u);
}

TEST(StockLifecycle, EventsWithoutASinkAreDropped) {
    StockSession s;
    ASSERT_TRUE(s.Start(false));
    s.Push("LOGINHK1@@@@@@@@@@1&A1@" + std::string(20, '@'));
    s.Push("StatStHK@@@@@@@@@@@&a");
    s.Push("LOGIN002@@@@@@@@@@&");
    s.server.CloseClient();
    ASSERT_TRUE(s.server.WaitForClient(5000));  // reconnected: still alive
    auto f = CStockReqUserLogoutField();
    std::memset(&f, 0, sizeof f);
    int sent = 0;
    for (int i = 0; i < 40 && sent == 0; ++i) {  // the new connection is usable once the client saw it
        sent = s.api->ReqUserLogout(&f, 1);
        if (sent == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(sent, 1);
}

TEST(StockLifecycle, HeartbeatsStartAfterTheLoginAnswerAtTheClampedTimeout) {
    StockSession s;
    ASSERT_TRUE(s.Start());
    NetTimingValues t = NetTiming::Get();
    t.heartbeatMinTrading = 1;  // the 30-second floor, shortened for the test
    NetTiming::ForTest(t);
    s.api->SetHeartBeatTimeout(0);       // below the floor: clamped up to it
    EXPECT_EQ(s.NextMessage(1500), "");  // no heartbeat before the login answer
    s.Push("LOGINHK1@@@@@@@@@@1&");
    EXPECT_EQ(s.NextMessage(4000), "GETTTIME@@@@@@@@@@&");
    ASSERT_TRUE(s.sink.log.WaitCount("OnHeartBeat", 1));
    EXPECT_GE(s.sink.log.Named("OnHeartBeat")[0].value, 1);
}

}  // namespace
