#include "RefData.h"

#include "WireText.h"

using WireText::Dec;
using WireText::Fixed;
using WireText::Record;

namespace RefData {

const std::vector<SimContract>& Contracts() {
    static const std::vector<SimContract> kContracts = {
        {false, "HKEX", "00700", "TENCENT", "HKD", 100, 0.2, 380.0, 1, "", "", 0},
        {false, "HKEX", "00005", "HSBC HOLDINGS", "HKD", 400, 0.05, 62.5, 2, "", "", 0},
        {false, "HKEX", "09988", "ALIBABA", "HKD", 100, 0.05, 85.0, 2, "", "", 0},
        {false, "NASD", "AAPL", "APPLE", "USD", 1, 0.01, 190.0, 2, "", "", 0},
        {false, "NASD", "MSFT", "MICROSOFT", "USD", 1, 0.01, 410.0, 2, "", "", 0},
        {false, "NYSE", "KO", "COCA-COLA", "USD", 1, 0.01, 60.0, 2, "", "", 0},
        {true, "HKEX", "HSI2612", "Hang Seng Index Dec 26", "HKD", 50, 1, 18000, 0, "HSI", "2612", 120000},
        {true, "HKEX", "MHI2612", "Mini Hang Seng Dec 26", "HKD", 10, 1, 18000, 0, "MHI", "2612", 24000},
        {true, "CME", "ES2612", "E-mini S&P 500 Dec 26", "USD", 50, 0.25, 5000.0, 2, "ES", "2612", 12000},
        {true, "NYMEX", "CL2701", "Crude Oil Jan 27", "USD", 1000, 0.01, 72.5, 2, "CL", "2701", 6000},
        {true, "COMEX", "GC2702", "Gold Feb 27", "USD", 100, 0.1, 2050.0, 1, "GC", "2702", 9000},
    };
    return kContracts;
}

const SimContract* Find(bool future, const std::string& exchange, const std::string& code) {
    for (const auto& c : Contracts())
        if (c.future == future && c.exchange == exchange && c.code == code) return &c;
    return nullptr;
}

const SimContract* FindCode(bool future, const std::string& code) {
    for (const auto& c : Contracts())
        if (c.future == future && c.code == code) return &c;
    return nullptr;
}

std::vector<std::string> StockTicks() {
    // Tick table "HK": from price, to price, tick.
    const double rows[][3] = {{0.01, 0.25, 0.001}, {0.25, 0.5, 0.005}, {0.5, 10, 0.01}, {10, 20, 0.02},
                              {20, 100, 0.05},     {100, 200, 0.1},    {200, 500, 0.2}, {500, 1000, 0.5},
                              {1000, 2000, 1},     {2000, 5000, 2},    {5000, 9995, 5}};
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(Record({"HK", Dec(r[0]), Dec(r[1]), Dec(r[2]), "HKEX", "HKD"}));
    out.push_back(Record({"US", "0", "99999", "0.01", "NASD", "USD"}));
    out.push_back(Record({"US", "0", "99999", "0.01", "NYSE", "USD"}));
    return out;
}

std::vector<std::string> StockExchanges() {
    return {Record({"HKEX", "Hong Kong Stock Exchange", "HKD", "Asia/Hong_Kong"}),
            Record({"NASD", "NASDAQ", "USD", "America/New_York"}),
            Record({"NYSE", "New York Stock Exchange", "USD", "America/New_York"})};
}

std::vector<std::string> Currencies() {
    // Code, decimals, rate to HKD, name, symbol.
    return {Record({"HKD", "2", "1.0", "Hong Kong Dollar", "HK$"}), Record({"USD", "2", "7.8", "US Dollar", "$"}),
            Record({"CNY", "2", "1.08", "Renminbi", "¥"})};
}

std::string Version() {
    return Record({"1.18.2.0", "20261201", "quintara-sim", "simulator", "no update"});
}

std::vector<std::string> StockInstruments(const std::string& exchange) {
    std::vector<std::string> out;
    for (const auto& c : Contracts()) {
        if (c.future || (!exchange.empty() && c.exchange != exchange)) continue;
        std::vector<std::string> f(49);
        f[0] = c.exchange;
        f[1] = c.code;
        f[2] = c.name;
        f[3] = c.name;
        f[4] = c.currency;
        f[5] = "STK";
        f[6] = "T";  // trading
        f[7] = Dec(c.lot);
        f[8] = Dec(c.tick);
        f[9] = Dec(c.startPrice);
        f[10] = c.exchange == "HKEX" ? "HK" : "US";  // tick table
        f[11] = std::to_string(c.decimals);
        f[12] = "0";
        f[13] = "0";
        for (int i : {14, 16, 17, 18, 19, 20, 21, 22, 25, 26}) f[static_cast<size_t>(i)] = Dec(0);
        f[30] = "1";  // shortable flag
        for (int i : {39, 40, 41, 42, 43, 45}) f[static_cast<size_t>(i)] = Dec(0);
        out.push_back(Record(f));
    }
    return out;
}

std::vector<std::string> FutureExchanges() {
    return {Record({"HKEX", "Hong Kong Futures Exchange", "HKD", "Asia/Hong_Kong"}),
            Record({"CME", "Chicago Mercantile Exchange", "USD", "America/Chicago"}),
            Record({"NYMEX", "New York Mercantile Exchange", "USD", "America/New_York"}),
            Record({"COMEX", "Commodity Exchange", "USD", "America/New_York"})};
}

std::vector<std::string> Commodities(const std::string& exchange, const std::string& commodity) {
    std::vector<std::string> out;
    for (const auto& c : Contracts()) {
        if (!c.future || (!exchange.empty() && c.exchange != exchange) ||
            (!commodity.empty() && c.commodity != commodity))
            continue;
        // Exchange, commodity, name, currency, type, status, month list; multiplier, tick, tick
        // value; decimals, lot; margin text, first notice, note.
        out.push_back(Record({c.exchange, c.commodity, c.name.substr(0, c.name.rfind(' ', c.name.size() - 4)),
                              c.currency, "F", "T", c.month, Dec(c.lot), Dec(c.tick), Dec(c.tick * c.lot),
                              std::to_string(c.decimals), "1", Fixed(c.margin, 0), "", ""}));
    }
    return out;
}

std::vector<std::string> ExchangeTimes() {
    // Exchange, season (S summer, W winter), open, close, time zone.
    return {Record({"HKEX", "S", "09:15", "16:30", "Asia/Hong_Kong"}),
            Record({"HKEX", "W", "09:15", "16:30", "Asia/Hong_Kong"}),
            Record({"CME", "S", "17:00", "16:00", "America/Chicago"}),
            Record({"CME", "W", "17:00", "16:00", "America/Chicago"}),
            Record({"NYMEX", "S", "18:00", "17:00", "America/New_York"}),
            Record({"COMEX", "S", "18:00", "17:00", "America/New_York"})};
}

std::vector<std::string> CommodityTimes(const std::string& exchange, const std::string& commodity) {
    std::vector<std::string> out;
    for (const auto& c : Contracts()) {
        if (!c.future || (!exchange.empty() && c.exchange != exchange) ||
            (!commodity.empty() && c.commodity != commodity))
            continue;
        // Exchange, commodity, season, then three sessions open/close (unused ones empty).
        if (c.exchange == "HKEX")
            out.push_back(Record({c.exchange, c.commodity, "S", "09:15", "12:00", "13:00", "16:30", "17:15", "03:00"}));
        else
            out.push_back(Record({c.exchange, c.commodity, "S", "18:00", "17:00", "", "", "", ""}));
    }
    return out;
}

namespace {

// A UseContractInfo record of 39 items.
std::string Instrument(const std::string& code, const SimContract& c, const std::string& type,
                       const std::string& name) {
    std::vector<std::string> f(39);
    f[0] = code;
    f[1] = c.exchange;
    f[2] = c.commodity;
    f[3] = name;
    f[4] = c.month;
    f[5] = c.currency;
    f[6] = type;  // F futures, S strategy
    f[7] = "20" + c.month + "28";
    f[8] = "T";
    f[9] = Dec(c.lot);
    f[10] = Dec(c.tick);
    f[11] = Fixed(c.tick * c.lot, 2);
    f[12] = Fixed(c.margin, 0);
    f[13] = "";
    f[14] = std::to_string(c.decimals);
    f[15] = "1";
    f[16] = "0";
    for (int i : {17, 19, 20, 21, 22, 23, 24, 25, 28, 29}) f[static_cast<size_t>(i)] = Dec(0);
    f[33] = Fixed(c.startPrice, c.decimals);
    return Record(f);
}

}  // namespace

std::vector<std::string> FutureInstruments(const std::string& exchange, const std::string& commodity,
                                           const std::string& month, const std::string& type) {
    std::vector<std::string> out;
    for (const auto& c : Contracts()) {
        if (!c.future || (!exchange.empty() && c.exchange != exchange) ||
            (!commodity.empty() && c.commodity != commodity) || (!month.empty() && c.month != month) ||
            (!type.empty() && type != "F"))
            continue;
        out.push_back(Instrument(c.code, c, "F", c.name));
    }
    return out;
}

std::vector<std::string> Strategies(const std::string& exchange) {
    std::vector<std::string> out;
    const SimContract* hsi = Find(true, "HKEX", "HSI2612");
    if (hsi != nullptr && (exchange.empty() || exchange == "HKEX"))
        out.push_back(Instrument("HSI2612-2703", *hsi, "S", "HSI calendar spread Dec26/Mar27"));
    const SimContract* cl = Find(true, "NYMEX", "CL2701");
    if (cl != nullptr && (exchange.empty() || exchange == "NYMEX"))
        out.push_back(Instrument("CL2701-2702", *cl, "S", "CL calendar spread Jan27/Feb27"));
    return out;
}

std::string StrategyDetail(const std::string& strategy) {
    // Strategy, exchange, legs (contract:ratio:side, ';'-separated), leg count, side of the spread,
    // number of legs, commodity, strategy, month, price decimals, note.
    if (strategy == "HSI2612-2703")
        return Record({strategy, "HKEX", "HSI2612:1:B;HSI2703:1:S", "2", "B", "2", "HSI", strategy, "2612", "0",
                       "calendar spread"});
    if (strategy == "CL2701-2702")
        return Record({strategy, "NYMEX", "CL2701:1:B;CL2702:1:S", "2", "B", "2", "CL", strategy, "2701", "2",
                       "calendar spread"});
    return std::string();
}

}  // namespace RefData
