// Receive paths without a socket: byte streams pushed through an API object's receive pipeline
// (frame scanner, batches, decryption, dispatcher, parsers, delivery) on the benchmark's thread,
// as the receive thread does after each read.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "AllocCounter.h"
#include "BenchStreams.h"
#include "MarketCounter.h"
#include "QuintaraApi.h"
#include "StockCounter.h"
#include "market/CMarketApiImp.h"
#include "secure/AesCodec.h"
#include "stock/CStockApiImp.h"
#include "support/MessageBuilder.h"

using namespace Quintara;

namespace {

// The size of one read: what the kernel typically hands over per recv under load.
constexpr size_t kReadSize = 65536;

void Feed(CAsynSocket& api, const std::string& stream) {
    const auto* data = reinterpret_cast<const uint8_t*>(stream.data());
    for (size_t at = 0; at < stream.size(); at += kReadSize) {
        const size_t n = stream.size() - at < kReadSize ? stream.size() - at : kReadSize;
        api.ReceiveForTest(data + at, n);
    }
}

// Feeds `stream` once to warm up, then once per iteration; `messages` messages of `bytes` bytes
// (frames included) per stream, `delivered` callbacks expected per stream. Reports messages/s,
// bytes/s and the heap allocations per message after the warm-up.
template <class Counter>
void Run(benchmark::State& state, CAsynSocket& api, const Counter& count, const std::string& stream, size_t messages,
         size_t delivered) {
    const uint64_t start = count();
    Feed(api, stream);
    if (count() - start != delivered) {
        state.SkipWithError("the warm-up stream did not deliver every record");
        return;
    }
    const uint64_t allocations = AllocCounter::Count();
    for (auto _ : state) Feed(api, stream);
    const uint64_t allocated = AllocCounter::Count() - allocations;
    const auto iterations = static_cast<int64_t>(state.iterations());
    if (count() - start != delivered * static_cast<uint64_t>(iterations + 1)) {
        state.SkipWithError("a stream did not deliver every record");
        return;
    }
    state.SetItemsProcessed(iterations * static_cast<int64_t>(messages));
    state.SetBytesProcessed(iterations * static_cast<int64_t>(stream.size()));
    state.counters["records"] = benchmark::Counter(static_cast<double>(delivered) * static_cast<double>(iterations),
                                                   benchmark::Counter::kIsRate);
    state.counters["allocs_per_msg"] =
        static_cast<double>(allocated) / (static_cast<double>(messages) * static_cast<double>(iterations));
}

CMarketApiImp* NewMarket(bool writeLog, MarketCounter& sink) {
    auto* api = static_cast<CMarketApiImp*>(CMarketApi::CreateMarketApi(writeLog, "bench-market.log"));
    api->RegisterSpi(&sink);
    api->InitForTest();
    return api;
}

CStockApiImp* NewStock(StockCounter& sink) {
    auto* api = static_cast<CStockApiImp*>(CStockApi::CreateStockApi(false, "bench-stock.log", "CoreLog"));
    api->RegisterSpi(&sink);
    api->InitForTest();
    return api;
}

constexpr size_t kQuotes = 2000;

void QuoteStream(benchmark::State& state, const std::string& stream, size_t messages) {
    MarketCounter sink;
    CMarketApiImp* api = NewMarket(state.range(0) != 0, sink);
    Run(
        state, *api, [&] { return sink.Quotes(); }, stream, messages, messages);
    api->Release();
}

// 1 and 7: full quotes, logging off (0) and on (1).
void BM_QuoteFull(benchmark::State& state) {
    static const std::string stream = BenchStreams::Framed(kQuotes, BenchStreams::FullQuote);
    QuoteStream(state, stream, kQuotes);
}
BENCHMARK(BM_QuoteFull)->ArgName("log")->Arg(0)->Arg(1);

void BM_QuoteUpdateY(benchmark::State& state) {
    static const std::string stream = BenchStreams::Framed(kQuotes, BenchStreams::UpdateY);
    QuoteStream(state, stream, kQuotes);
}
BENCHMARK(BM_QuoteUpdateY)->ArgName("log")->Arg(0);

// Full quotes in compressed batches of 100.
void BM_QuoteBatch100(benchmark::State& state) {
    static const std::string stream = BenchStreams::Batches(kQuotes / 100, 100, BenchStreams::FullQuote);
    QuoteStream(state, stream, kQuotes);
}
BENCHMARK(BM_QuoteBatch100)->ArgName("log")->Arg(0);

// 2: list answers of 1,000 records.
void ListStream(benchmark::State& state, const std::string& message) {
    const std::string stream = MessageBuilder::Frame(message);
    StockCounter sink;
    CStockApiImp* api = NewStock(sink);
    Run(
        state, *api, [&] { return sink.Records(); }, stream, 1, 1000);
    api->Release();
}

void BM_ListHoldStLs(benchmark::State& state) {
    ListStream(state, BenchStreams::PositionList(1000));
}
BENCHMARK(BM_ListHoldStLs);

void BM_ListOrdeStLs(benchmark::State& state) {
    ListStream(state, BenchStreams::OrderList(1000));
}
BENCHMARK(BM_ListOrdeStLs);

// Stock pushes (order status, fill, position, capital in turn), plain.
void BM_StockPushes(benchmark::State& state) {
    static const std::string stream = BenchStreams::Framed(kQuotes, BenchStreams::StockPush);
    StockCounter sink;
    CStockApiImp* api = NewStock(sink);
    Run(
        state, *api, [&] { return sink.Records(); }, stream, kQuotes, kQuotes);
    api->Release();
}
BENCHMARK(BM_StockPushes);

// 3: 256-byte cipher texts decrypted and dispatched (order-status pushes) with encryption on.
void BM_EncryptedPush256(benchmark::State& state) {
    const uint8_t key[32] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                             17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
    const uint8_t iv[16] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};
    std::string stream;
    for (size_t i = 0; i < kQuotes; ++i) {
        const std::string plain = BenchStreams::OrderStatusOfLength(i, 250);
        uint8_t cipher[512];
        const long n = AesCodec::EncryptPadded(key, iv, reinterpret_cast<const uint8_t*>(plain.data()), plain.size(),
                                               cipher, sizeof cipher);
        if (n != 256) {
            state.SkipWithError("cipher text is not 256 bytes");
            return;
        }
        stream += MessageBuilder::Frame(std::string(reinterpret_cast<const char*>(cipher), 256));
    }
    StockCounter sink;
    CStockApiImp* api = NewStock(sink);
    api->UseSessionKeyForTest(key, iv);
    Run(
        state, *api, [&] { return sink.Records(); }, stream, kQuotes, kQuotes);
    api->Release();
}
BENCHMARK(BM_EncryptedPush256);

}  // namespace
