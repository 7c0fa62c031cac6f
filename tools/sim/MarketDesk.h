#pragma once

#include <string>
#include <string_view>

#include "PriceFeed.h"
#include "TradingDesk.h"
#include "UserBook.h"

// Answers the market connections: the login (after the key exchange), subscriptions, broker data,
// and sends trade dates and quotes of the subscribed contracts.
class MarketDesk {
public:
    MarketDesk(UserBook& users, PriceFeed& feed, ConnectionMap& connections, bool compress);

    // False when the code is not a market request.
    bool Handle(SimConnection& c, std::string_view code, const NetInfo& head, std::string_view body);
    // One step of the quote stream: a 'Y' update per subscribed contract, a full quote every tenth
    // step, an 'M' update every thirtieth.
    void Publish();

private:
    void Login(SimConnection& c, const NetInfo& head, std::string_view body);
    void Subscribe(SimConnection& c, const NetInfo& head, std::string_view body);
    void Broker(SimConnection& c, const NetInfo& head, std::string_view body);
    void SendQuote(SimConnection& c, const std::string& record);
    // The contract an entry "EXCHANGE,CODE" (or "CODE,EXCHANGE") names; null when unknown.
    static const SimContract* Resolve(bool future, const std::string& entry, std::string& key);

    UserBook& m_users;
    PriceFeed& m_feed;
    ConnectionMap& m_connections;
    bool m_bCompress;
    int64_t m_lSteps = 0;
};
