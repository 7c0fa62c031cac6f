// quintara-sim: a local server for the stock, futures and market protocols (tools/sim/README.md).
#include <csignal>
#include <cstdio>
#include <string>

#include "SimLog.h"
#include "SimOptions.h"
#include "SimServer.h"
#include "UserBook.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!options.Parse(argc, argv, error)) {
        std::fprintf(stderr, "quintara-sim: %s\n%s", error.c_str(), SimOptions::Usage());
        return 2;
    }
    if (options.help) {
        std::fputs(SimOptions::Usage(), stdout);
        return 0;
    }
    UserBook users;
    if (!options.usersFile.empty() && !users.Load(options.usersFile, error)) {
        std::fprintf(stderr, "quintara-sim: %s\n", error.c_str());
        return 2;
    }
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SimServer server(options, users);
    if (!server.Start(error)) {
        std::fprintf(stderr, "quintara-sim: %s\n", error.c_str());
        return 1;
    }
    std::fputs(server.AddressLines().c_str(), stdout);
    std::fflush(stdout);
    SimLog("ready");
    server.Run(g_stop);
    return 0;
}
