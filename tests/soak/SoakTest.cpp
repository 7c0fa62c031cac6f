// Long runs that would show a slow leak: many connections on one object, many objects one after
// the other. Open descriptors and heap in use must come back to where they were.

#include <dirent.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "QuintaraApi.h"
#include "net/NetTiming.h"
#include "support/FakeServer.h"
#include "support/StockRecorder.h"
#include "support/TradingSession.h"

using namespace Quintara;

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QUINTARA_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUINTARA_SANITIZED 1
#endif

#ifdef QUINTARA_SANITIZED
// The sanitizers keep their own heap, which mallinfo2 does not see; there LeakSanitizer and the
// descriptor count do the checking.
constexpr bool kHeapMeasurable = false;
#else
constexpr bool kHeapMeasurable = true;
#endif

// Heap in use: the growth allowed over a whole run. glibc keeps freed small blocks in per-thread
// caches (tcache) and fast bins, which mallinfo2 still counts as in use, and each receive thread
// uses an arena of its own; what those caches hold at the moment of measuring can differ a little
// between two equal points of a run, but it does not grow with the number of cycles. The smallest
// block glibc hands out takes 32 bytes, so the limits sit just below one leaked block per cycle:
// 500 x 32 bytes over the connections, 100 x 32 bytes over the objects.
constexpr int64_t kConnectionHeapTolerance = 15 * 1024;
constexpr int64_t kObjectHeapTolerance = 3 * 1024;

int OpenDescriptors() {
    int count = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d) != nullptr) ++count;
        closedir(d);
    }
    return count - 3;  // ".", ".." and the descriptor of the listing itself
}

int64_t HeapInUse() {
    return static_cast<int64_t>(mallinfo2().uordblks);
}

// Counts connection events without storing them (a recording sink would grow the heap itself).
class CountingRecorder : public StockRecorder {
public:
    void OnConnect() override { ++connects; }
    void OnDisconnect(int) override { ++disconnects; }
    std::atomic<int> connects{0};
    std::atomic<int> disconnects{0};
};

bool WaitUntil(const std::atomic<int>& value, int target) {
    for (int i = 0; i < 10000; ++i) {
        if (value >= target) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

void Shorten() {
    NetTimingValues t = NetTiming::Get();
    t.reconnectWaitMs = 1;
    t.selectWaitMs = 20;
    t.createSpacingSec = 0;
    t.createWaitMs = 0;
    NetTiming::ForTest(t);
}

TEST(Soak, FiveHundredConnectionsOnOneObjectLeaveNothingBehind) {
    TradingSession<CStockApi, CountingRecorder> s;
    Shorten();
    ASSERT_TRUE(s.server.Start());
    s.api = CStockApi::CreateStockApi(true, "soak.log", s.Dir().c_str());
    s.api->RegisterSpi(&s.sink);
    s.api->RegisterNameServer(s.server.Address().c_str());
    ASSERT_TRUE(s.api->Init());

    // One cycle: the server accepts, the object reports the connection, the server closes it, the
    // object reports the loss (4004) and connects again.
    int cycles = 0;
    const auto cycle = [&] {
        ASSERT_TRUE(s.server.WaitForClient(5000));
        ASSERT_TRUE(WaitUntil(s.sink.connects, cycles + 1));
        s.server.CloseClient();
        ASSERT_TRUE(WaitUntil(s.sink.disconnects, cycles + 1));
        ++cycles;
    };
    for (int i = 0; i < 20 && !HasFatalFailure(); ++i) cycle();  // warm-up: caches, the log file, first-use allocations
    // Measured at the same point of a cycle: connected, before the server closes.
    ASSERT_TRUE(s.server.WaitForClient(5000));
    ASSERT_TRUE(WaitUntil(s.sink.connects, cycles + 1));
    const int fdsBefore = OpenDescriptors();
    const int64_t heapBefore = HeapInUse();
    s.server.CloseClient();
    ASSERT_TRUE(WaitUntil(s.sink.disconnects, ++cycles));

    for (int i = 0; i < 500 && !HasFatalFailure(); ++i) cycle();
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_TRUE(s.server.WaitForClient(5000));
    ASSERT_TRUE(WaitUntil(s.sink.connects, cycles + 1));
    EXPECT_EQ(OpenDescriptors(), fdsBefore);
    if (kHeapMeasurable) {
        const int64_t growth = HeapInUse() - heapBefore;
        std::cout << "heap growth over 500 connections: " << growth << " bytes\n";
        EXPECT_LT(growth, kConnectionHeapTolerance);
    }
    EXPECT_EQ(s.sink.disconnects, cycles);
    EXPECT_TRUE(s.LogIn(9));  // the object still works
}

TEST(Soak, AHundredObjectsCreatedAndReleasedLeaveNothingBehind) {
    char pattern[] = "/tmp/quintara-soak-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    Shorten();
    FakeServer server;
    ASSERT_TRUE(server.Start());
    CountingRecorder sink;
    int made = 0;
    const auto lifetime = [&] {
        CStockApi* api = CStockApi::CreateStockApi(true, "soak.log", dir.c_str());
        api->RegisterSpi(&sink);
        api->RegisterNameServer(server.Address().c_str());
        ASSERT_TRUE(api->Init());
        ASSERT_TRUE(server.WaitForClient(5000));
        ASSERT_TRUE(WaitUntil(sink.connects, ++made));
        api->Release();
        server.CloseClient();
    };
    for (int i = 0; i < 10 && !HasFatalFailure(); ++i) lifetime();  // warm-up
    const int fdsBefore = OpenDescriptors();
    const int64_t heapBefore = HeapInUse();
    for (int i = 0; i < 100 && !HasFatalFailure(); ++i) lifetime();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(OpenDescriptors(), fdsBefore);
    if (kHeapMeasurable) {
        const int64_t growth = HeapInUse() - heapBefore;
        std::cout << "heap growth over 100 objects: " << growth << " bytes\n";
        EXPECT_LT(growth, kObjectHeapTolerance);
    }
    EXPECT_EQ(sink.disconnects, 0);  // Release ends a connection without an event
    NetTiming::Reset();
    (void)std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
