#pragma once

#include <string>
#include <vector>

// One tradable contract of the built-in data set.
struct SimContract {
    bool future = false;
    std::string exchange;
    std::string code;
    std::string name;
    std::string currency;
    double lot = 1;  // stock: board lot; futures: contract multiplier
    double tick = 0.01;
    double startPrice = 0;
    int decimals = 2;
    std::string commodity;  // futures only
    std::string month;      // futures only, YYMM
    double margin = 0;      // futures: initial margin per contract
};

// The built-in reference data (contracts, exchanges, currencies, trading times, tick table) and the
// record texts of the reference-data answers.
namespace RefData {

const std::vector<SimContract>& Contracts();
// The contract of `exchange` and `code`, of the kind asked for; null when unknown.
const SimContract* Find(bool future, const std::string& exchange, const std::string& code);
// By code alone (first match of the kind).
const SimContract* FindCode(bool future, const std::string& code);

// Stock answers.
std::vector<std::string> StockTicks();                                   // "UptiStLs"
std::vector<std::string> StockExchanges();                               // "ExchStLs"
std::vector<std::string> Currencies();                                   // "CRNYLIST" (both kinds)
std::string Version();                                                   // "GETVER01" (both kinds)
std::vector<std::string> StockInstruments(const std::string& exchange);  // "ContStLs"

// Futures answers.
std::vector<std::string> FutureExchanges();                                                          // "EXCHANGE"
std::vector<std::string> Commodities(const std::string& exchange, const std::string& commodity);     // "GetComdy"
std::vector<std::string> ExchangeTimes();                                                            // "GETETIME"
std::vector<std::string> CommodityTimes(const std::string& exchange, const std::string& commodity);  // "GETCTIME"
// "CONTRACT": filtered by exchange (empty: all) and the optional commodity, month and type items.
std::vector<std::string> FutureInstruments(const std::string& exchange, const std::string& commodity,
                                           const std::string& month, const std::string& type);
std::vector<std::string> Strategies(const std::string& exchange);  // "GETSTRLS"
// "GETSTRDL" (a single-record answer): the strategy with its legs; empty when unknown.
std::string StrategyDetail(const std::string& strategy);

}  // namespace RefData
