// Paths over a loopback TCP connection: order requests sent to a reading server, and quotes
// written by a server into a logged-in market object, next to a plain receive loop over the same
// stream for the raw rate.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "AllocCounter.h"
#include "BenchStreams.h"
#include "CountWaiter.h"
#include "MarketCounter.h"
#include "QuintaraApi.h"
#include "StockCounter.h"
#include "net/FrameScanner.h"
#include "net/NetTiming.h"
#include "support/FakeServer.h"

using namespace Quintara;
using Clock = std::chrono::steady_clock;

namespace {

// Objects created one after the other need not wait for each other.
void QuickCreation() {
    NetTimingValues t;
    t.createSpacingSec = 0;
    t.createWaitMs = 0;
    NetTiming::ForTest(t);
}

// CPU time of the whole process (every thread) in nanoseconds.
double ProcessCpuNs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e9 +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e3);
}

template <class F>
bool WaitFor(F&& done, int timeoutMs = 5000) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    return true;
}

// Reads and drops everything the client sends until stopped.
class Drain {
public:
    explicit Drain(int fd) : m_thread([this, fd] { Run(fd); }) {}
    ~Drain() {
        m_bStop = true;
        m_thread.join();
    }

private:
    void Run(int fd) {
        std::vector<char> buffer(1 << 20);
        while (!m_bStop) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            if (::recv(fd, buffer.data(), buffer.size(), 0) <= 0) return;
        }
    }
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

void FillOrder(CStockReqOrderInsertField& f) {
    std::memset(&f, 0, sizeof f);
    std::strcpy(f.UserId, "USER01");
    std::strcpy(f.AccountNo, "ACC0001");
    std::strcpy(f.LocalNo, "100001");
    std::strcpy(f.ExchangeNo, "HKEX");
    std::strcpy(f.Item06, "00700");
    std::strcpy(f.Item07, "B");
    std::strcpy(f.Item16, "0");
    std::strcpy(f.Item08, "1000");
    std::strcpy(f.Item09, "388.200");
    std::strcpy(f.Item11, "1");
    std::strcpy(f.Item14, "0");
    std::strcpy(f.Item15, "0");
    std::strcpy(f.Item17, "");
    std::strcpy(f.Item18, "");
    std::strcpy(f.Item19, "");
}

// 4: ReqOrderInsert on a connected stock object; the server end reads everything.
void BM_ReqOrderInsert(benchmark::State& state) {
    QuickCreation();
    FakeServer server;
    StockCounter sink;
    if (!server.Start()) return state.SkipWithError("no loopback server");
    CStockApi* api = CStockApi::CreateStockApi(false, "bench-stock.log", "CoreLog");
    api->RegisterSpi(&sink);
    api->RegisterNameServer(server.Address().c_str());
    api->Init();
    if (!server.WaitForClient(5000) || !WaitFor([&] { return sink.Connects() >= 1; })) {
        api->Release();
        return state.SkipWithError("no connection");
    }
    server.SendFrame("LOGINHK1@@@@0@@@@@@1&");  // the login answer: no login timeout from here on
    if (!WaitFor([&] { return sink.Logins() >= 1; })) {
        api->Release();
        return state.SkipWithError("no login answer");
    }
    {
        Drain drain(server.ClientFd());
        CStockReqOrderInsertField order;
        FillOrder(order);
        std::vector<uint32_t> samples;
        samples.reserve(1 << 21);
        const uint64_t allocations = AllocCounter::Count();
        for (auto _ : state) {
            const auto t0 = Clock::now();
            const int sent = api->ReqOrderInsert(&order, 1);
            const auto t1 = Clock::now();
            if (sent != 1) {
                state.SkipWithError("ReqOrderInsert returned 0");
                break;
            }
            if (samples.size() < samples.capacity())
                samples.push_back(static_cast<uint32_t>(std::chrono::nanoseconds(t1 - t0).count()));
        }
        const uint64_t allocated = AllocCounter::Count() - allocations;
        state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
        if (!samples.empty()) {
            std::nth_element(samples.begin(), samples.begin() + static_cast<long>(samples.size() / 2), samples.end());
            state.counters["median_ns"] = samples[samples.size() / 2];
        }
        state.counters["allocs_per_msg"] =
            static_cast<double>(allocated) / static_cast<double>(std::max<uint64_t>(1, state.iterations()));
    }
    api->Release();
    NetTiming::Reset();
}
BENCHMARK(BM_ReqOrderInsert)->UseRealTime();

constexpr size_t kStreamQuotes = 20000;

const std::string& QuoteStream() {
    static const std::string stream = BenchStreams::Framed(kStreamQuotes, BenchStreams::FullQuote);
    return stream;
}

// 5a: a server thread (the benchmark's) writes the quote stream into the socket; a logged-in
// market object delivers every quote to its sink.
void BM_EndToEndSdk(benchmark::State& state) {
    QuickCreation();
    const std::string& stream = QuoteStream();
    FakeServer server;
    MarketCounter sink;
    if (!server.Start()) return state.SkipWithError("no loopback server");
    CMarketApi* api = CMarketApi::CreateMarketApi(false, "bench-market.log");
    api->RegisterSpi(&sink);
    api->RegisterNameServer(server.Address().c_str());
    api->Init();
    if (!server.WaitForClient(5000) || !WaitFor([&] { return sink.Connects() >= 1; })) {
        api->Release();
        return state.SkipWithError("no connection");
    }
    server.SendFrame("LOGINHK1@@@@@@@@@@1&stock|OK;derivate|OK");
    if (!WaitFor([&] { return sink.Logins() >= 1; })) {
        api->Release();
        return state.SkipWithError("no login answer");
    }
    const uint64_t allocations = AllocCounter::Count();
    const double cpu = ProcessCpuNs();
    for (auto _ : state) {
        const uint64_t target = sink.Quotes() + kStreamQuotes;
        if (!server.SendRaw(stream) || !sink.WaitForQuotes(target, 60000)) {
            state.SkipWithError("the stream was not delivered");
            break;
        }
    }
    const uint64_t allocated = AllocCounter::Count() - allocations;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kStreamQuotes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
    state.counters["process_cpu_ns_per_msg"] =
        (ProcessCpuNs() - cpu) / static_cast<double>(std::max<uint64_t>(1, state.iterations() * kStreamQuotes));
    state.counters["allocs_per_msg"] =
        static_cast<double>(allocated) / static_cast<double>(std::max<uint64_t>(1, state.iterations() * kStreamQuotes));
    api->Release();
    NetTiming::Reset();
}
BENCHMARK(BM_EndToEndSdk)->UseRealTime();

// Counts complete frames.
class FrameCount : public FrameScanner::IPayloadSink {
public:
    void OnFramePayload(const uint8_t*, size_t) override { frames.Add(); }
    CountWaiter frames;
};

// 5b: the same stream into a plain receive loop (blocking reads into a 4 MiB buffer, frame
// scanning, nothing else): the raw rate of this machine's loopback.
void BM_EndToEndRaw(benchmark::State& state) {
    const std::string& stream = QuoteStream();
    FakeServer server;
    if (!server.Start()) return state.SkipWithError("no loopback server");
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int size = 4194304;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(server.Port());
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 || !server.WaitForClient(5000)) {
        ::close(fd);
        return state.SkipWithError("no connection");
    }
    FrameCount frames;
    std::thread reader([&] {
        std::vector<uint8_t> buffer(static_cast<size_t>(size));
        size_t length = 0;
        for (;;) {
            const ssize_t n = ::recv(fd, buffer.data() + length, buffer.size() - length, 0);
            if (n <= 0) return;
            length += static_cast<size_t>(n);
            const size_t used = FrameScanner::Scan(buffer.data(), length, frames);
            std::memmove(buffer.data(), buffer.data() + used, length - used);
            length -= used;
        }
    });
    const double cpu = ProcessCpuNs();
    for (auto _ : state) {
        const uint64_t target = frames.frames.Count() + kStreamQuotes;
        if (!server.SendRaw(stream) || !frames.frames.WaitFor(target, 60000)) {
            state.SkipWithError("the stream was not delivered");
            break;
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kStreamQuotes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
    state.counters["process_cpu_ns_per_msg"] =
        (ProcessCpuNs() - cpu) / static_cast<double>(std::max<uint64_t>(1, state.iterations() * kStreamQuotes));
    ::shutdown(fd, SHUT_RDWR);
    reader.join();
    ::close(fd);
}
BENCHMARK(BM_EndToEndRaw)->UseRealTime();

}  // namespace
