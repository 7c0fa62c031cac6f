#include "net/NetTiming.h"

#include <mutex>

namespace {

// One process-wide set of values; a mutex keeps every copy whole while a test replaces them.
std::mutex& TimingMutex() {
    static std::mutex mtx;
    return mtx;
}

NetTimingValues& TimingValues() {
    static NetTimingValues values;
    return values;
}

}  // namespace

NetTimingValues NetTiming::Get() {
    std::lock_guard<std::mutex> lock(TimingMutex());
    return TimingValues();
}

void NetTiming::ForTest(const NetTimingValues& values) {
    std::lock_guard<std::mutex> lock(TimingMutex());
    TimingValues() = values;
}

void NetTiming::Reset() {
    std::lock_guard<std::mutex> lock(TimingMutex());
    TimingValues() = NetTimingValues();
}
