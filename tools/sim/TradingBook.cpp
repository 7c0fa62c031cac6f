#include "TradingBook.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "WireText.h"
#include "foundation/HP.h"

const char* StatusText(OrderStatus status) {
    switch (status) {
        case OrderStatus::Queued:
            return "Queued";
        case OrderStatus::PartFilled:
            return "PartFilled";
        case OrderStatus::Filled:
            return "Filled";
        case OrderStatus::Cancelled:
            return "Cancelled";
        case OrderStatus::Rejected:
            return "Rejected";
    }
    return "";
}

SimAccount& TradingBook::Account(const std::string& account, const std::string& userId) {
    auto it = m_accounts.find(account);
    if (it != m_accounts.end()) return it->second;
    SimAccount& a = m_accounts[account];
    a.account = account;
    a.userId = userId;
    a.capital["HKD"] = SimCapital{"HKD", 1000000.0, 0, 0, 0};
    a.capital["USD"] = SimCapital{"USD", 200000.0, 0, 0, 0};
    return a;
}

double TradingBook::LastPrice(const SimContract* c) {
    PriceFeed::Quote* q = m_feed.Find(c);
    return q != nullptr ? q->last : c->startPrice;
}

double TradingBook::Commission(const SimContract* /*contract*/, double price, int64_t quantity) const {
    if (m_bFuture) return 2.0 * static_cast<double>(quantity);
    return std::max(3.0, std::round(price * static_cast<double>(quantity) * 0.001 * 100) / 100);
}

double TradingBook::Reserve(const SimOrder& o) {
    if (!o.Open()) return 0;
    const auto rest = static_cast<double>(o.Remaining());
    if (m_bFuture) return rest * o.contract->margin;
    if (o.side != "B") return 0;
    const double price = o.type == "M" ? LastPrice(o.contract) * 1.05 : o.price;
    return rest * price + Commission(o.contract, price, o.Remaining());
}

double TradingBook::Frozen(const SimAccount& a, const std::string& currency) {
    double sum = 0;
    for (const auto& o : a.orders)
        if (o->contract->currency == currency) sum += Reserve(*o);
    return sum;
}

double TradingBook::Unrealised(const SimPosition& p) {
    if (p.net == 0) return 0;
    const double mult = m_bFuture ? p.contract->lot : 1;
    return (LastPrice(p.contract) - p.average) * static_cast<double>(p.net) * mult;
}

double TradingBook::MarketValue(const SimAccount& a, const std::string& currency) {
    double sum = 0;
    for (const auto& [c, p] : a.positions) {
        if (c->currency != currency) continue;
        sum +=
            m_bFuture ? static_cast<double>(std::llabs(p.net)) * c->margin : static_cast<double>(p.net) * LastPrice(c);
    }
    return sum;
}

double TradingBook::Unrealised(const SimAccount& a, const std::string& currency) {
    double sum = 0;
    for (const auto& [c, p] : a.positions)
        if (c->currency == currency) sum += Unrealised(p);
    return sum;
}

double TradingBook::Available(const SimAccount& a, const std::string& currency) {
    auto it = a.capital.find(currency);
    const double cash = it == a.capital.end() ? 0 : it->second.cash;
    if (m_bFuture) return cash + Unrealised(a, currency) - MarketValue(a, currency) - Frozen(a, currency);
    return cash - Frozen(a, currency);
}

double TradingBook::NetAsset(const SimAccount& a, const std::string& currency) {
    auto it = a.capital.find(currency);
    const double cash = it == a.capital.end() ? 0 : it->second.cash;
    return m_bFuture ? cash + Unrealised(a, currency) : cash + MarketValue(a, currency);
}

int64_t TradingBook::FrozenQuantity(const SimAccount& a, const SimContract* c) {
    int64_t sum = 0;
    for (const auto& o : a.orders)
        if (o->contract == c && o->side == "S") sum += o->Remaining();
    return sum;
}

namespace {

// A whole number from the text, or -1 when it is not one.
int64_t ReadQuantity(const std::string& text) {
    if (text.empty() || text.size() > 12) return -1;
    for (char ch : text)
        if (ch < '0' || ch > '9') return -1;
    return std::atoll(text.c_str());
}

// A price from the text, or -1 when it is not a number.
double ReadPrice(const std::string& text) {
    if (text.empty() || text.size() > 20) return -1;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return -1;
    return v;
}

std::string Numbered(char prefix, int n) {
    char text[32];
    std::snprintf(text, sizeof text, "%c%06d", prefix, n);
    return text;
}

}  // namespace

std::string TradingBook::Insert(SimAccount& a, SimOrder order, SimOrder** placed) {
    *placed = nullptr;
    if (a.orders.size() >= kMaxOrders) return "20000";
    if (order.contract == nullptr || (order.side != "B" && order.side != "S")) return "20004";
    if (order.type.empty() || order.type == "L") {
        order.type = "L";
        if (!(order.price > 0) || order.price > 1e9) return "20010";  // also NaN and infinity
    } else if (order.type == "M") {
        order.price = 0;
    } else {
        return "20035";
    }
    const int64_t unit = m_bFuture ? 1 : static_cast<int64_t>(order.contract->lot);
    if (order.quantity <= 0 || order.quantity % unit != 0) return "20004";
    if (order.quantity > 1000000 * unit) return "20011";
    order.systemNo = Numbered(m_bFuture ? 'F' : 'S', m_iNextOrder++);
    order.status = OrderStatus::Queued;
    order.filled = 0;
    order.fillValue = 0;
    order.time = WireText::DateTimeNow();
    const std::string& cur = order.contract->currency;
    if (m_bFuture || order.side == "B") {
        if (Reserve(order) > Available(a, cur)) return "20001";
    } else {
        auto it = a.positions.find(order.contract);
        const int64_t held = it == a.positions.end() ? 0 : it->second.net;
        if (order.quantity > held - FrozenQuantity(a, order.contract)) return "20032";
    }
    a.orders.push_back(std::make_unique<SimOrder>(std::move(order)));
    *placed = a.orders.back().get();
    return "";
}

SimOrder* TradingBook::FindOrder(SimAccount& a, const std::string& systemNo) {
    for (auto& o : a.orders)
        if (o->systemNo == systemNo) return o.get();
    return nullptr;
}

std::string TradingBook::Modify(SimAccount& a, const std::string& systemNo, const std::string& price,
                                const std::string& quantity, SimOrder** order) {
    SimOrder* o = FindOrder(a, systemNo);
    *order = o;
    if (o == nullptr || !o->Open()) return "20016";
    SimOrder changed = *o;
    if (!price.empty()) {
        const double p = ReadPrice(price);
        if (p <= 0 || changed.type == "M") return "20016";
        changed.price = p;
    }
    if (!quantity.empty()) {
        const int64_t q = ReadQuantity(quantity);
        const int64_t unit = m_bFuture ? 1 : static_cast<int64_t>(o->contract->lot);
        if (q <= o->filled || q % unit != 0) return "20016";
        changed.quantity = q;
    }
    // The change must still be covered: funds for buys (and futures), shares for stock sells.
    const std::string& cur = o->contract->currency;
    if (m_bFuture || o->side == "B") {
        if (Reserve(changed) - Reserve(*o) > Available(a, cur)) return "20001";
    } else {
        auto it = a.positions.find(o->contract);
        const int64_t held = it == a.positions.end() ? 0 : it->second.net;
        if (changed.Remaining() - o->Remaining() > held - FrozenQuantity(a, o->contract)) return "20032";
    }
    o->price = changed.price;
    o->quantity = changed.quantity;
    o->time = WireText::DateTimeNow();
    return "";
}

std::string TradingBook::Cancel(SimAccount& a, const std::string& systemNo, SimOrder** order) {
    SimOrder* o = FindOrder(a, systemNo);
    *order = o;
    if (o == nullptr || !o->Open()) return "20014";
    o->status = OrderStatus::Cancelled;
    o->time = WireText::DateTimeNow();
    return "";
}

void TradingBook::ApplyFill(SimAccount& a, SimOrder& o, double price, int64_t quantity) {
    const SimContract* c = o.contract;
    SimFill f;
    f.fillNo = Numbered('T', m_iNextFill++);
    f.systemNo = o.systemNo;
    f.localNo = o.localNo;
    f.account = a.account;
    f.userId = o.userId;
    f.side = o.side;
    f.time = WireText::DateTimeNow();
    f.contract = c;
    f.price = price;
    f.quantity = quantity;
    f.commission = Commission(c, price, quantity);

    o.filled += quantity;
    o.fillValue += price * static_cast<double>(quantity);
    o.status = o.filled >= o.quantity ? OrderStatus::Filled : OrderStatus::PartFilled;
    o.time = f.time;

    SimCapital& cap = a.capital[c->currency];
    cap.currency = c->currency;
    cap.commission += f.commission;
    cap.fills += 1;
    cap.cash -= f.commission;

    SimPosition& p = a.positions[c];
    p.contract = c;
    if (p.openDate.empty()) p.openDate = WireText::DateNow();
    const int64_t signedQty = o.side == "B" ? quantity : -quantity;
    (o.side == "B" ? p.boughtToday : p.soldToday) += quantity;
    const double mult = m_bFuture ? c->lot : 1;
    if (!m_bFuture) cap.cash -= static_cast<double>(signedQty) * price;
    if (p.net == 0 || (p.net > 0) == (signedQty > 0)) {
        const double total = static_cast<double>(std::llabs(p.net) + quantity);
        p.average =
            (p.average * static_cast<double>(std::llabs(p.net)) + price * static_cast<double>(quantity)) / total;
        p.net += signedQty;
    } else {
        const int64_t closing = std::min<int64_t>(quantity, std::llabs(p.net));
        const double pnl = (price - p.average) * static_cast<double>(closing) * (p.net > 0 ? 1 : -1) * mult;
        cap.realised += pnl;
        if (m_bFuture) cap.cash += pnl;
        p.net += signedQty;
        if (p.net != 0 && (p.net > 0) == (signedQty > 0)) p.average = price;  // turned over
        if (p.net == 0) p.average = 0;
    }
    a.fills.push_back(f);
}

std::vector<TradingBook::Event> TradingBook::Match() {
    std::vector<Event> events;
    // Fills are recorded first and pointed to afterwards (the vectors may grow meanwhile).
    std::vector<std::pair<SimAccount*, SimOrder*>> filled;
    for (auto& [id, a] : m_accounts) {
        for (auto& op : a.orders) {
            SimOrder& o = *op;
            if (!o.Open()) continue;
            const double last = LastPrice(o.contract);
            const bool marketable = o.type == "M" || (o.side == "B" ? last <= o.price : last >= o.price);
            if (!marketable) continue;
            const int64_t unit = m_bFuture ? 1 : static_cast<int64_t>(o.contract->lot);
            const int64_t rest = o.Remaining();
            // The first fill of an order of two units or more takes half of it; the rest follows.
            int64_t qty = rest;
            if (o.filled == 0 && rest >= 2 * unit) qty = (rest / unit / 2) * unit;
            // Limit orders fill at the better of the limit and the last price.
            const double price =
                o.type == "M" ? last : (o.side == "B" ? std::min(last, o.price) : std::max(last, o.price));
            // Stock sells are bounded by what is held (a position may have been sold meanwhile).
            if (!m_bFuture && o.side == "S") {
                const int64_t held = a.positions.count(o.contract) ? a.positions[o.contract].net : 0;
                qty = std::min(qty, held);
                if (qty <= 0) continue;
            }
            ApplyFill(a, o, price, qty);
            filled.emplace_back(&a, &o);
        }
    }
    for (auto& [a, o] : filled) {
        const SimFill* f = nullptr;
        for (auto it = a->fills.rbegin(); it != a->fills.rend(); ++it)
            if (it->systemNo == o->systemNo) {
                f = &*it;
                break;
            }
        events.push_back(Event{a, o, f});
    }
    return events;
}
