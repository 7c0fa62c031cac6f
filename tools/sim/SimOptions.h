#pragma once

#include <string>

// Command-line settings of the simulator.
struct SimOptions {
    int port = 17600;             // stock on port, futures on port + 1, market on port + 2; 0: any free ports
    double rate = 2.0;            // quote updates per second per contract (0: prices stand still)
    bool compress = false;        // compressed list bodies and batched frames
    bool encryptTrading = false;  // the server starts the key exchange on stock and futures connections
    double dropAfter = 0;         // close each connection this many seconds after it was accepted
    double forceLogoutAfter = 0;  // send FORCE_LOGOUT this many seconds after a connection was accepted
    std::string usersFile;        // more users, one per line
    bool help = false;

    // Parses argv; false with `error` set on a bad option.
    bool Parse(int argc, char** argv, std::string& error);
    static const char* Usage();
};
