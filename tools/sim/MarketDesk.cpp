#include "MarketDesk.h"

#include <vector>

#include "RefData.h"
#include "SimLog.h"
#include "WireText.h"
#include "foundation/HP.h"

using WireText::Answer;

MarketDesk::MarketDesk(UserBook& users, PriceFeed& feed, ConnectionMap& connections, bool compress)
    : m_users(users), m_feed(feed), m_connections(connections), m_bCompress(compress) {}

bool MarketDesk::Handle(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body) {
    if (code == "LOGINHK1")
        Login(c, head, body);
    else if (code == "MARKET01")
        Subscribe(c, head, body);
    else if (code == "BROKER")
        Broker(c, head, body);
    else
        return false;
    return true;
}

void MarketDesk::Login(SimConnection& c, const NetInfo& head, std::string_view body) {
    const int id = HP::ToInt(head.m_strField[10]);
    std::string_view items[7];
    const size_t n = HP::SplitView(body, '@', items, 7);
    const std::string user(n > 0 ? items[0] : std::string_view());
    const std::string pwd(n > 1 ? items[1] : std::string_view());
    const std::string broker(n > 6 ? items[6] : std::string_view());
    SimUser* u = m_users.Find(user);
    std::string error;
    if (u == nullptr)
        error = "10001";
    else if (u->password != pwd)
        error = "10002";
    else if (!u->market)
        error = "10012";
    else if (broker.empty() || (!u->broker.empty() && u->broker != broker))
        error = "10051";
    if (!error.empty()) {
        c.Send(Answer("LOGINHK1", id, error));
        c.SetEncrypt(false);  // the client leaves encrypted mode with any login answer
        return;
    }
    for (auto& [fd, other] : m_connections) {
        if (other.get() == &c || other->Kind() != SimKind::Market || !other->loggedIn || other->userId != u->id)
            continue;
        other->Send(Answer("LOGIN002", 0));
        other->loggedIn = false;
        other->subscriptions.clear();
        SimLog(other->Name() + " kicked out: " + u->id + " logged in on " + c.Name());
    }
    c.Send(Answer("LOGINHK1", id, "0", "stock|" + u->stockPermission + ";derivate|" + u->derivatePermission));
    c.SetEncrypt(false);
    c.loggedIn = true;
    c.userId = u->id;
    std::vector<std::string> seen;
    for (const auto& contract : RefData::Contracts()) {
        bool known = false;
        for (const auto& e : seen) known = known || e == contract.exchange;
        if (known) continue;
        seen.push_back(contract.exchange);
        c.Send(Answer("M2", 0, "0", contract.exchange + ":" + WireText::DateNow()));
    }
}

const SimContract* MarketDesk::Resolve(bool future, const std::string& entry, std::string& key) {
    const size_t comma = entry.find(',');
    if (comma == std::string::npos) return nullptr;
    const std::string a = entry.substr(0, comma);
    const std::string b = entry.substr(comma + 1);
    const SimContract* c = RefData::Find(future, a, b);
    if (c == nullptr) c = RefData::Find(future, b, a);
    if (c != nullptr) key = c->exchange + "," + c->code;
    return c;
}

void MarketDesk::Subscribe(SimConnection& c, const NetInfo& head, std::string_view body) {
    auto refuse = [&](const char* code) { c.Send(Answer("MARKET01", 0, code)); };
    if (!c.loggedIn) return refuse("10020");
    const std::string type(head.m_strField[2]);
    const std::string action(head.m_strField[3]);
    if (type.empty()) return refuse("10018");
    if (type != "S" && type != "D") return refuse("10023");
    SimUser* u = m_users.Find(c.userId);
    if (u == nullptr) return refuse("10020");
    if (type == "S" && u->stockPermission == "BAD_USER") return refuse("10014");
    if (type == "D" && u->derivatePermission == "BAD_USER") return refuse("10015");
    if (action == "--") {
        c.subscriptions.clear();
        return;
    }
    if (action != "+" && action != "+T" && action != "-") return refuse("10024");
    // Entries "EXCHANGE,CODE" joined by ';'. Every entry is checked before anything changes.
    std::vector<std::string> keys;
    std::vector<const SimContract*> contracts;
    std::string_view rest = body;
    while (!rest.empty()) {
        const size_t semi = rest.find(';');
        const std::string entry(rest.substr(0, semi));
        rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
        if (entry.empty()) continue;
        if (entry.find(',') == std::string::npos || entry.size() > 64) return refuse("10024");
        std::string key;
        const SimContract* contract = Resolve(type == "D", entry, key);
        if (contract == nullptr) return refuse("10026");
        keys.push_back(key);
        contracts.push_back(contract);
    }
    if (keys.empty() && action != "-") return refuse("10024");
    for (size_t i = 0; i < keys.size(); ++i) {
        if (action == "-") {
            c.subscriptions.erase(keys[i]);
            continue;
        }
        if (c.subscriptions.size() >= 200) return refuse("10027");
        c.subscriptions.insert(keys[i]);
        if (PriceFeed::Quote* q = m_feed.Find(contracts[i])) SendQuote(c, PriceFeed::FullRecord(*q));
    }
}

void MarketDesk::Broker(SimConnection& c, const NetInfo& head, std::string_view body) {
    const int id = HP::ToInt(head.m_strField[10]);
    if (!c.loggedIn) {
        c.Send(Answer("B", id, "10020"));
        return;
    }
    const std::string key(body.substr(0, 256));
    std::string text;
    std::string resolved;
    const SimContract* contract = Resolve(false, key, resolved);
    if (contract != nullptr) {
        text = resolved + "|B:1001,1003,1005|A:1002,1004";
    } else {
        text = "1001,Demo Securities;1002,Harbour Broking;1003,Peak Capital;1004,Kowloon Trading;1005,Lantau Brokers";
    }
    if (m_bCompress)
        c.Send(Answer("B", id, "0", WireText::CompressedBody(text), "1"));
    else
        c.Send(Answer("B", id, "0", text));
}

void MarketDesk::SendQuote(SimConnection& c, const std::string& record) {
    c.Send(Answer("MARKET01", 0, "0", record));
}

void MarketDesk::Publish() {
    ++m_lSteps;
    for (auto& [fd, c] : m_connections) {
        if (c->Kind() != SimKind::Market || !c->loggedIn) continue;
        for (const std::string& key : c->subscriptions) {
            const size_t comma = key.find(',');
            const SimContract* contract = RefData::Find(false, key.substr(0, comma), key.substr(comma + 1));
            if (contract == nullptr) contract = RefData::Find(true, key.substr(0, comma), key.substr(comma + 1));
            PriceFeed::Quote* q = contract != nullptr ? m_feed.Find(contract) : nullptr;
            if (q == nullptr) continue;
            if (m_lSteps % 10 == 0)
                SendQuote(*c, PriceFeed::FullRecord(*q));
            else
                SendQuote(*c, PriceFeed::UpdateRecord(*q));
            if (m_lSteps % 30 == 0) SendQuote(*c, PriceFeed::StatusRecord(*q));
        }
    }
}
