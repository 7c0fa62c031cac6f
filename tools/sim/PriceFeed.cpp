#include "PriceFeed.h"

#include <cmath>

#include "WireText.h"

using WireText::Fixed;

PriceFeed::PriceFeed(uint32_t seed) : m_rng(seed) {
    for (const auto& c : RefData::Contracts()) {
        Quote q;
        q.contract = &c;
        q.prevClose = q.open = q.last = q.high = q.low = c.startPrice;
        m_quotes[&c] = q;
    }
}

void PriceFeed::Step() {
    std::uniform_int_distribution<int> move(-2, 2);
    std::uniform_int_distribution<int> size(1, 10);
    for (auto& [contract, q] : m_quotes) {
        const double tick = contract->tick;
        double next = q.last + move(m_rng) * tick;
        // Stay within 20% of the previous close and above ten ticks.
        const double low = std::max(q.prevClose * 0.8, tick * 10);
        const double high = q.prevClose * 1.2;
        if (next < low) next = low;
        if (next > high) next = high;
        q.last = std::round(next / tick) * tick;
        q.high = std::max(q.high, q.last);
        q.low = std::min(q.low, q.last);
        q.lastVolume = static_cast<int64_t>(size(m_rng) * (contract->future ? 1 : contract->lot));
        q.volume += q.lastVolume;
        q.turnover += q.last * static_cast<double>(q.lastVolume) * (contract->future ? contract->lot : 1);
        ++q.sequence;
    }
}

PriceFeed::Quote* PriceFeed::Find(const SimContract* contract) {
    auto it = m_quotes.find(contract);
    return it == m_quotes.end() ? nullptr : &it->second;
}

double PriceFeed::Bid(const Quote& q, int level) {
    return q.last - level * q.contract->tick;
}

double PriceFeed::Ask(const Quote& q, int level) {
    return q.last + level * q.contract->tick;
}

namespace {

std::string Volume(const PriceFeed::Quote& q, int level) {
    // Deterministic depth sizes that grow away from the touch.
    const int64_t unit = q.contract->future ? 1 : static_cast<int64_t>(q.contract->lot);
    return std::to_string(unit * (level * 3 + (q.sequence % 5)));
}

}  // namespace

std::string PriceFeed::FullRecord(const Quote& q) {
    const SimContract& c = *q.contract;
    const int d = c.decimals;
    std::vector<std::string> f(43);
    f[0] = c.exchange;
    f[1] = c.code;
    f[2] = c.name;
    f[3] = c.currency;
    f[4] = Fixed(q.prevClose, d);
    f[5] = Fixed(q.open, d);
    f[6] = Fixed(q.last, d);
    f[7] = std::to_string(q.lastVolume);
    f[8] = Fixed(q.high, d);
    f[9] = Fixed(q.low, d);
    f[10] = std::to_string(q.volume);
    f[11] = Fixed(q.turnover, 2);
    std::string depth = "5";
    for (int level = 1; level <= 5; ++level)
        depth += "," + Fixed(Bid(q, level), d) + "," + Volume(q, level) + "," + Fixed(Ask(q, level), d) + "," +
                 Volume(q, level + 1);
    f[12] = depth;
    f[13] = Fixed(Bid(q, 1), d);
    f[14] = Fixed(Ask(q, 1), d);
    f[15] = Fixed(q.last - q.prevClose, d);
    f[16] = Fixed(q.prevClose != 0 ? (q.last - q.prevClose) * 100 / q.prevClose : 0, 2);
    f[17] = WireText::Dec(c.tick);
    f[18] = WireText::Dec(c.lot);
    f[19] = WireText::TimeNow();
    f[20] = WireText::DateNow();
    f[21] = std::to_string(q.sequence);
    for (size_t i = 22; i < 32; ++i) f[i] = "0";
    f[42] = "F";
    return WireText::Record(f);
}

std::string PriceFeed::UpdateRecord(const Quote& q) {
    const int d = q.contract->decimals;
    return WireText::Record({q.contract->exchange, q.contract->code, Fixed(q.last, d), std::to_string(q.lastVolume),
                             Fixed(Ask(q, 1), d), Fixed(Bid(q, 1), d), std::to_string(q.volume), Fixed(q.turnover, 2),
                             Fixed(q.high, d), Fixed(q.low, d), "Y"});
}

std::string PriceFeed::StatusRecord(const Quote& q) {
    return WireText::Record({q.contract->exchange, q.contract->code, "T", WireText::TimeNow(), "M"});
}
