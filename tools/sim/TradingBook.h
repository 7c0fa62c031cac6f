#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PriceFeed.h"
#include "RefData.h"

// Order status codes of the simulator (record field 12 of an order, push item 3).
enum class OrderStatus { Queued = 1, PartFilled = 2, Filled = 3, Cancelled = 4, Rejected = 5 };
const char* StatusText(OrderStatus status);

struct SimOrder {
    std::string systemNo, localNo, userId, account, side, type;  // side "B"/"S", type "L"/"M"
    const SimContract* contract = nullptr;
    double price = 0;  // 0 for a market order
    int64_t quantity = 0;
    int64_t filled = 0;
    double fillValue = 0;  // sum of price x quantity of the fills
    OrderStatus status = OrderStatus::Queued;
    std::string time;

    int64_t Remaining() const { return Open() ? quantity - filled : 0; }
    bool Open() const { return status == OrderStatus::Queued || status == OrderStatus::PartFilled; }
    double AveragePrice() const { return filled > 0 ? fillValue / static_cast<double>(filled) : 0; }
};

struct SimFill {
    std::string fillNo, systemNo, localNo, account, userId, side, time;
    const SimContract* contract = nullptr;
    double price = 0;
    int64_t quantity = 0;
    double commission = 0;
};

struct SimPosition {
    const SimContract* contract = nullptr;
    int64_t net = 0;     // stock: shares held; futures: long minus short contracts
    double average = 0;  // average price of the open quantity
    int64_t boughtToday = 0, soldToday = 0;
    std::string openDate;
};

struct SimCapital {
    std::string currency;
    double cash = 0, realised = 0, commission = 0;
    int fills = 0;
};

struct SimAccount {
    std::string account, userId;
    std::vector<std::unique_ptr<SimOrder>> orders;  // in insertion order
    std::vector<SimFill> fills;
    std::map<const SimContract*, SimPosition> positions;
    std::map<std::string, SimCapital> capital;  // by currency
};

// The accounts of one trading kind (stock or futures) and a small matching simulation against the
// feed's prices: marketable orders fill at the last price, orders of two units or more in two parts.
class TradingBook {
public:
    // A change to report: the order (always) and the fill that caused it (if any).
    struct Event {
        SimAccount* account = nullptr;
        SimOrder* order = nullptr;
        const SimFill* fill = nullptr;
    };

    static constexpr size_t kMaxOrders = 100000;  // per account; more are refused with 20000

    TradingBook(bool future, PriceFeed& feed) : m_bFuture(future), m_feed(feed) {}
    bool Future() const { return m_bFuture; }

    SimAccount& Account(const std::string& account, const std::string& userId);

    // Each returns "" on success or the catalogue code of the refusal.
    std::string Insert(SimAccount& a, SimOrder order, SimOrder** placed);
    std::string Modify(SimAccount& a, const std::string& systemNo, const std::string& price,
                       const std::string& quantity, SimOrder** order);
    std::string Cancel(SimAccount& a, const std::string& systemNo, SimOrder** order);
    SimOrder* FindOrder(SimAccount& a, const std::string& systemNo);

    // Fills what can trade now.
    std::vector<Event> Match();

    // Derived values per account and currency.
    double LastPrice(const SimContract* c);
    double Frozen(const SimAccount& a, const std::string& currency);
    double MarketValue(const SimAccount& a, const std::string& currency);  // futures: margin in use
    double Unrealised(const SimAccount& a, const std::string& currency);
    double Available(const SimAccount& a, const std::string& currency);
    double NetAsset(const SimAccount& a, const std::string& currency);
    double Unrealised(const SimPosition& p);
    int64_t FrozenQuantity(const SimAccount& a, const SimContract* c);  // stock: open sell orders

private:
    double Commission(const SimContract* c, double price, int64_t quantity) const;
    double Reserve(const SimOrder& o);  // funds an open order holds back
    void ApplyFill(SimAccount& a, SimOrder& o, double price, int64_t quantity);

    bool m_bFuture;
    PriceFeed& m_feed;
    std::map<std::string, SimAccount> m_accounts;
    int m_iNextOrder = 1;
    int m_iNextFill = 1;
};
