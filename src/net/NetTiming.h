#pragma once

#include <atomic>
#include <cstdint>

// The connection layer's timing constants. Every application gets the defaults; only the test
// suites shorten them, through NetTiming::ForTest(), which is not part of the public header.
struct NetTimingValues {
    int64_t reconnectWaitMs = 10000;   // wait between connection attempts (50 steps of 200 ms)
    int64_t loginWaitMs = 60000;       // a login answer must arrive within this time of connecting
    int64_t selectWaitMs = 1000;       // one wait for input
    int64_t createSpacingSec = 2;      // CreateInstance calls closer than this wait...
    int64_t createWaitMs = 1000;       // ...this long
    int64_t sendCompleteMs = 5000;     // a whole frame must be on the wire within this time (else 4005)
    int64_t heartbeatMinTrading = 30;  // SetHeartBeatTimeout clamps, stock and futures
    int64_t heartbeatMinMarket = 5;    // SetHeartBeatTimeout clamp, market
};

class NetTiming {
public:
    // The values in force (a copy; cheap to read from any thread).
    static NetTimingValues Get();
    // Test hook: replaces the values for the whole process until Reset().
    static void ForTest(const NetTimingValues& values);
    static void Reset();
};
