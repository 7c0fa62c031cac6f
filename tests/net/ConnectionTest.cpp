#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "net/NetTiming.h"
#include "support/FakeServer.h"
#include "support/TestSocket.h"

namespace {

std::string ReadLogs(const std::string& dir) {
    std::string cmd = "cat '" + dir + "'/*/*.log 2>/dev/null";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        NetTimingValues t;
        t.reconnectWaitMs = 300;
        t.selectWaitMs = 50;
        t.loginWaitMs = 60000;
        t.createSpacingSec = 0;
        NetTiming::ForTest(t);
        char pattern[] = "/tmp/quintara-conn-XXXXXX";
        dir = mkdtemp(pattern);
        ASSERT_TRUE(server.Start());
    }
    void TearDown() override {
        sock.reset();
        NetTiming::Reset();
        std::string cmd = "rm -rf '" + dir + "'";
        (void)std::system(cmd.c_str());
    }
    void Connect() {
        sock = std::make_unique<TestSocket>(dir);
        sock->RegisterServer(server.Address());
        ASSERT_TRUE(sock->CreateInstance());
        ASSERT_TRUE(server.WaitForClient(5000));
        ASSERT_TRUE(sock->events.WaitCount("connect", 1));
    }
    std::string dir;
    FakeServer server;
    std::unique_ptr<TestSocket> sock;
};

TEST(RegisterServer, AddressForms) {
    struct Case {
        const char* address;
        uint64_t ip;
        uint16_t port;
    } cases[] = {
        {"tcp://10.1.2.3:9000", 0x0302010Au, 9000},
        {"10.1.2.3:9000", 0, 0},                        // no "//": unchanged
        {"tcp://10.1.2.3", 0, 0},                       // no ":": unchanged
        {"tcp://example.com:9000", 4294967295u, 9000},  // host names are not resolved
        {"tcp://1.2.3.4:70000", 0x04030201u, 4464},     // the port is cut to 16 bits
    };
    for (const auto& c : cases) {
        TestSocket s("/tmp");
        s.RegisterServer(c.address);
        EXPECT_EQ(s.ServerIp(), c.ip) << c.address;
        EXPECT_EQ(s.ServerPort(), c.port) << c.address;
    }
    TestSocket twice("/tmp");
    twice.RegisterServer("tcp://1.1.1.1:1");
    twice.RegisterServer("tcp://2.2.2.2:2");
    EXPECT_EQ(twice.ServerIp(), 0x02020202u);
}

TEST_F(ConnectionTest, FramesArriveWholeWhateverTheSplit) {
    Connect();
    server.SendRaw("{(len=3)abc}{(len=2)de}");  // two frames in one write
    server.SendRaw("{(len=5)hel");              // one frame over two writes
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    server.SendRaw("lo}");
    server.SendRaw("junk{(len=0)}{(len=2)xyZ{(len=1)k}");  // garbage, zero length, wrong closing byte
    server.SendRaw("{abcdef{(len=4)last}");                // a stray "{" does not stall the stream
    const std::string frame = "{(len=6)single}";
    for (char c : frame) server.SendRaw(std::string(1, c));  // one byte at a time
    ASSERT_TRUE(sock->events.WaitCount("payload", 6));
    EXPECT_EQ(sock->Payloads(), (std::vector<std::string>{"abc", "de", "hello", "k", "last", "single"}));
}

TEST_F(ConnectionTest, AFrameThatCanNeverCompleteIsDiscardedWhenTheBufferIsFull) {
    Connect();
    // A header announcing more than the 4 MiB buffer holds, then junk until the buffer is full.
    std::string junk = "{(len=9000000)";
    junk.resize(CAsynSocket::kRecvBufferSize, 'j');
    ASSERT_TRUE(server.SendRaw(junk));
    server.SendRaw("{(len=5)after}");
    ASSERT_TRUE(sock->events.WaitCount("payload", 1, 10000));
    EXPECT_EQ(sock->Payloads().back(), "after");
    EXPECT_EQ(sock->events.Count("disconnect"), 0u);
}

TEST_F(ConnectionTest, PeerCloseDisconnectsAndTheNextAttemptCountsTwo) {
    Connect();
    server.CloseClient();
    ASSERT_TRUE(sock->events.WaitCount("disconnect", 1));
    EXPECT_EQ(sock->events.Named("disconnect")[0].value, 4004);
    ASSERT_TRUE(server.WaitForClient(5000));
    ASSERT_TRUE(sock->events.WaitCount("connect", 2));
    const std::string log = ReadLogs(dir);
    EXPECT_NE(log.find("ReconnectCount = 1"), std::string::npos);
    EXPECT_NE(log.find("ReconnectCount = 2"), std::string::npos);
    EXPECT_NE(log.find("接收异常"), std::string::npos);
    EXPECT_NE(log.find("LocalIP = 127.0.0.1:"), std::string::npos);
}

TEST_F(ConnectionTest, NoLoginAnswerEndsTheConnectionWith4008) {
    NetTimingValues t = NetTiming::Get();
    t.loginWaitMs = 400;
    NetTiming::ForTest(t);
    Connect();
    ASSERT_TRUE(sock->events.WaitCount("disconnect", 1));
    EXPECT_EQ(sock->events.Named("disconnect")[0].value, 4008);
    EXPECT_NE(ReadLogs(dir).find("服务器无响应"), std::string::npos);
}

TEST_F(ConnectionTest, UnansweredHeartbeatsEndTheConnectionAtTheThird) {
    Connect();
    sock->SetHeartBeat(1, true);
    sock->SetLoginReplied();
    ASSERT_TRUE(sock->events.WaitCount("disconnect", 1, 8000));
    EXPECT_EQ(sock->events.Count("heartbeat"), 2u);
    EXPECT_EQ(sock->events.Named("disconnect")[0].value, 0);
    EXPECT_GE(sock->events.Named("heartbeat")[0].value, 1);
    EXPECT_NE(ReadLogs(dir).find("心跳异常"), std::string::npos);
    // Both heartbeats reached the server.
    EXPECT_EQ(server.ReadFrame(1000).value_or(""), "GETTTIME@@@@@@@@@@&");
    EXPECT_EQ(server.ReadFrame(1000).value_or(""), "GETTTIME@@@@@@@@@@&");
}

TEST_F(ConnectionTest, ReceivedDataRefillsTheHeartbeatAllowance) {
    Connect();
    sock->SetHeartBeat(1, true);
    sock->SetLoginReplied();
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(sock->events.WaitCount("heartbeat", static_cast<size_t>(i + 1), 4000));
        server.SendFrame("TEST0001@@@@@@@@@@&");
    }
    EXPECT_EQ(sock->events.Count("disconnect"), 0u);
}

TEST_F(ConnectionTest, ForcedLogoutEndsTheThreadWithoutAnEvent) {
    Connect();
    server.SendRaw("xxFORCE_LOGOUTxx");
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_EQ(sock->events.Count("disconnect"), 0u);
    EXPECT_FALSE(server.WaitForClient(700));  // no further attempt
}

TEST_F(ConnectionTest, FrameSizeLimitAndSendingWhileDisconnected) {
    Connect();
    std::string payload(32748, 'p');
    EXPECT_EQ(sock->SendFrame(reinterpret_cast<const unsigned char*>(payload.data()), 32748, 0),
              static_cast<int>(32748 + 13));
    EXPECT_EQ(server.ReadFrame(3000).value_or("").size(), 32748u);
    payload.push_back('p');
    EXPECT_EQ(sock->SendFrame(reinterpret_cast<const unsigned char*>(payload.data()), 32749, 0), -1);
    server.CloseClient();
    ASSERT_TRUE(sock->events.WaitCount("disconnect", 1));
    EXPECT_EQ(sock->SendFrame(reinterpret_cast<const unsigned char*>("x"), 1, 0), -1);
}

TEST_F(ConnectionTest, FramesFromManyThreadsNeverInterleave) {
    Connect();
    sock->SetHeartBeat(1, false);
    sock->SetLoginReplied();
    constexpr int kThreads = 4;
    constexpr int kFrames = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const std::string body(1000 + t * 3000, static_cast<char>('a' + t));
            for (int i = 0; i < kFrames; ++i)
                sock->SendFrame(reinterpret_cast<const unsigned char*>(body.data()), static_cast<long>(body.size()), 0);
        });
    }
    int seen = 0;
    while (seen < kThreads * kFrames) {
        auto frame = server.ReadFrame(5000);
        ASSERT_TRUE(frame.has_value());
        if (frame->rfind("GETTTIME", 0) == 0) continue;
        ASSERT_FALSE(frame->empty());
        EXPECT_EQ(frame->find_first_not_of((*frame)[0]), std::string::npos);
        ++seen;
    }
    for (auto& th : threads) th.join();
}

TEST_F(ConnectionTest, CreatingTwoObjectsWithinTwoSecondsWaits) {
    NetTimingValues t = NetTiming::Get();
    t.createSpacingSec = 2;
    t.createWaitMs = 50;
    NetTiming::ForTest(t);
    TestSocket a(dir);
    TestSocket b(dir);
    a.RegisterServer(server.Address());
    b.RegisterServer(server.Address());
    ASSERT_TRUE(a.CreateInstance());
    ASSERT_TRUE(b.CreateInstance());
    a.StopReceiveThread();
    b.StopReceiveThread();
    EXPECT_NE(ReadLogs(dir).find("连续创建等待"), std::string::npos);
}

TEST_F(ConnectionTest, AnExceptionOutOfAHandlerEmptiesTheBufferAndTheLoopGoesOn) {
    Connect();
    sock->throwOnPayload = true;
    server.SendRaw("{(len=1)a}");
    ASSERT_TRUE(sock->events.WaitCount("payload", 1));
    sock->throwOnPayload = false;
    server.SendRaw("{(len=1)b}");
    ASSERT_TRUE(sock->events.WaitCount("payload", 2));
    EXPECT_EQ(sock->Payloads().back(), "b");
    EXPECT_NE(ReadLogs(dir).find("客户代码异常"), std::string::npos);
}

}  // namespace
