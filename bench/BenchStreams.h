#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the benchmarks feed: server messages built once, framed into byte streams.
namespace BenchStreams {

// A "MARKET01" full quote (42 items, five depth levels in item 12), about 350 bytes of message.
std::string FullQuote(size_t index);
// A "MARKET01" 'Y' update (10 items).
std::string UpdateY(size_t index);

// `count` messages made by `make`, each in its own frame, one after the other.
std::string Framed(size_t count, std::string (*make)(size_t));
// `count` batches, each a frame holding a compressed batch of `perBatch` messages made by `make`.
std::string Batches(size_t count, size_t perBatch, std::string (*make)(size_t));

// A "HoldStLs" answer with `records` position records, and an "OrdeStLs" answer with `records`
// order records.
std::string PositionList(size_t records);
std::string OrderList(size_t records);

// The four stock pushes, in turn: "StatStHK", "FillStHK", "HoldStHK", "AccoStHK".
std::string StockPush(size_t index);
// A "StatStHK" order-status push of exactly `length` bytes.
std::string OrderStatusOfLength(size_t index, size_t length);

// Total bytes of messages in a stream of `count` messages made by `make` (frames excluded).
size_t MessageBytes(size_t count, std::string (*make)(size_t));

}  // namespace BenchStreams
