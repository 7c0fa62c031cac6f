#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "RefData.h"

// The simulator's own prices: a random walk per contract in whole ticks, with five depth levels
// around the last price, and the quote records of the market connection.
class PriceFeed {
public:
    struct Quote {
        const SimContract* contract = nullptr;
        double prevClose = 0, open = 0, last = 0, high = 0, low = 0;
        int64_t lastVolume = 0, volume = 0;
        double turnover = 0;
        int64_t sequence = 0;
    };

    explicit PriceFeed(uint32_t seed);

    // Moves every contract one step of the walk.
    void Step();
    Quote* Find(const SimContract* contract);
    const std::map<const SimContract*, Quote>& All() const { return m_quotes; }

    static double Bid(const Quote& q, int level);  // level 1..5
    static double Ask(const Quote& q, int level);
    // Record texts: full quote (item 42 "F"), 'Y' update, 'M' update.
    static std::string FullRecord(const Quote& q);
    static std::string UpdateRecord(const Quote& q);
    static std::string StatusRecord(const Quote& q);

private:
    std::map<const SimContract*, Quote> m_quotes;
    std::mt19937 m_rng;
};
