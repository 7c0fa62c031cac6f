#include "SimOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool ReadNumber(const char* text, double low, double high, double& out) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !std::isfinite(v) || v < low || v > high) return false;
    out = v;
    return true;
}

}  // namespace

const char* SimOptions::Usage() {
    return "usage: quintara-sim [options]\n"
           "  --port P                  stock on P, futures on P+1, market on P+2 (default 17600;\n"
           "                            0 picks three free ports)\n"
           "  --rate N                  quote updates per second per contract (default 2; 0 = none)\n"
           "  --compress                compressed list bodies and batched frames\n"
           "  --encrypt-trading         start the RSA/AES key exchange on stock and futures connections\n"
           "  --drop-after SECONDS      close each connection SECONDS after it was accepted\n"
           "  --force-logout-after S    send FORCE_LOGOUT S seconds after a connection was accepted\n"
           "  --users FILE              more users (see tools/sim/README.md)\n"
           "  --help                    this text\n"
           "Prints one line per kind to stdout: 'stock tcp://127.0.0.1:P', 'future ...', 'market ...'.\n";
}

bool SimOptions::Parse(int argc, char** argv, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        double number = 0;
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--compress") {
            compress = true;
        } else if (arg == "--encrypt-trading") {
            encryptTrading = true;
        } else if (arg == "--port") {
            if (!ReadNumber(value, 0, 65533, number) || number != std::floor(number)) {
                error = "--port needs a port number from 0 to 65533";
                return false;
            }
            port = static_cast<int>(number);
            ++i;
        } else if (arg == "--rate") {
            if (!ReadNumber(value, 0, 1000, number)) {
                error = "--rate needs a number from 0 to 1000";
                return false;
            }
            rate = number;
            ++i;
        } else if (arg == "--drop-after" || arg == "--force-logout-after") {
            if (!ReadNumber(value, 0.001, 86400.0 * 365, number)) {
                error = arg + " needs a positive number of seconds";
                return false;
            }
            (arg == "--drop-after" ? dropAfter : forceLogoutAfter) = number;
            ++i;
        } else if (arg == "--users") {
            if (value == nullptr || *value == '\0') {
                error = "--users needs a file name";
                return false;
            }
            usersFile = value;
            ++i;
        } else {
            error = "unknown option: " + arg;
            return false;
        }
    }
    return true;
}
