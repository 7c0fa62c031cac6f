#pragma once

#include <csignal>
#include <memory>
#include <string>

#include "MarketDesk.h"
#include "PriceFeed.h"
#include "RsaKeyPair.h"
#include "SimOptions.h"
#include "TradingBook.h"
#include "TradingDesk.h"
#include "UserBook.h"

// The simulator: three listening sockets on 127.0.0.1 (stock, futures, market), one poll loop over
// them and every connection, the key exchange, heartbeat answers and the timers (prices, matching,
// dropped connections, forced logouts).
class SimServer {
public:
    SimServer(const SimOptions& options, UserBook& users);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Makes the key and opens the listening sockets; false with `error` set.
    bool Start(std::string& error);
    // The three "kind tcp://127.0.0.1:port" lines.
    std::string AddressLines() const;
    // Runs until `stop` becomes non-zero.
    void Run(volatile std::sig_atomic_t& stop);

private:
    static constexpr size_t kMaxConnections = 512;

    void Accept(int listenFd, SimKind kind, double now);
    void OnPayload(SimConnection& c, const std::string& payload);
    void OnMessage(SimConnection& c, const std::string& text);
    void Timers(double now);
    void Close(int fd, const char* why);

    SimOptions m_options;
    UserBook& m_users;
    std::unique_ptr<RsaKeyPair> m_rsa;
    PriceFeed m_feed;
    TradingBook m_stockBook;
    TradingBook m_futureBook;
    ConnectionMap m_connections;
    TradingDesk m_stockDesk;
    TradingDesk m_futureDesk;
    MarketDesk m_marketDesk;
    int m_listen[3] = {-1, -1, -1};
    int m_port[3] = {0, 0, 0};
    int m_iNextId = 1;
    double m_dNextPrice = 0;
    double m_dNextMatch = 0;
};
