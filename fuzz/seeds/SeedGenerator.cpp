// Writes the seed corpora of the fuzz targets: valid messages of every command of each kind's
// dispatch table, frames, batches, quotes, permissions and records. Usage: SeedGenerator DIR
// (one folder per target is made below DIR).
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/HP.h"
#include "future/CFutureApiImp.h"
#include "market/CMarketApiImp.h"
#include "stock/CStockApiImp.h"
#include "support/MessageBuilder.h"

using namespace MessageBuilder;

namespace {

std::string g_strRoot;

void Write(const std::string& target, const std::vector<std::string>& seeds) {
    const std::string dir = g_strRoot + "/" + target;
    mkdir(dir.c_str(), 0755);
    for (size_t i = 0; i < seeds.size(); ++i) {
        const std::string path = dir + "/seed-" + std::to_string(i);
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(seeds[i].data(), 1, seeds[i].size(), f);
            std::fclose(f);
        }
    }
    std::printf("%-16s %zu seeds\n", target.c_str(), seeds.size());
}

// A libFuzzer dictionary next to the target's seed folder: one quoted token per line.
void WriteDictionary(const std::string& target, const std::vector<std::string>& tokens) {
    if (FILE* f = std::fopen((g_strRoot + "/" + target + ".dict").c_str(), "w")) {
        for (const std::string& token : tokens) {
            std::fputc('"', f);
            for (unsigned char c : token) {
                if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\')
                    std::fprintf(f, "\\x%02x", c);
                else
                    std::fputc(c, f);
            }
            std::fputs("\"\n", f);
        }
        std::fclose(f);
    }
}

template <class Row, size_t K>
std::vector<std::string> CodeTokens(const Row (&table)[K]) {
    std::vector<std::string> tokens = {"@", "&", "^", "@@@@@@@@@@&", "\n"};
    for (const Row& row : table) tokens.push_back(std::string(row.code) + "@");
    return tokens;
}

// A record of `count` items with values of the kinds the answers carry (texts, integers, decimals).
std::string RecordOf(size_t count, size_t salt) {
    static const char* const kValues[] = {"ABC", "1", "2.5", "", "HKEX", "100", "-3", "0.125", "20260102", "Y"};
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        if (i != 0) out += '@';
        out += kValues[(i + salt) % (sizeof kValues / sizeof kValues[0])];
    }
    return out;
}

std::string Join(const std::vector<std::string>& messages) {
    std::string out;
    for (size_t i = 0; i < messages.size(); ++i) {
        if (i != 0) out += '\n';
        out += messages[i];
    }
    return out;
}

// Answers to every code of a dispatch table: records long enough for any record type, a short
// one, several records, an error code, a compressed body, an empty body.
template <class Row, size_t K>
std::vector<std::string> TradingSeeds(const Row (&table)[K]) {
    std::vector<std::string> seeds;
    for (const Row& row : table) {
        const std::string code = row.code;
        const std::string full = RecordOf(50, code.size());
        seeds.push_back(Join({Answer(code, 7, "0", full)}));
        seeds.push_back(Join({Answer(code, 8, "0", Records({full, RecordOf(1, 0), RecordOf(24, 3)}))}));
        seeds.push_back(Join({Answer(code, 9, "10001", full), Answer(code, 10, "0", {})}));
        seeds.push_back(Join({Answer(code, 11, "0", CompressedBody(Records({full, full})), "2")}));
    }
    // A login asking for verification, a kick-out and a heartbeat answer in one input.
    seeds.push_back(Join({Answer("LOGINHK1", 1, "0", RecordOf(12, 0) + "@1@1"), Answer("LOGIN002", 2, "0", {}),
                          Answer("TEST0001", 0, "0", {})}));
    // A key exchange with a public key of the right sizes (128-byte modulus, 3-byte exponent).
    std::string modulus(128, '\0');
    for (size_t i = 0; i < modulus.size(); ++i) modulus[i] = static_cast<char>(0x9d * (i + 7));
    modulus[0] = static_cast<char>(0xc3);
    modulus[127] = static_cast<char>(0x35);
    const std::string modulusText =
        HP::EncodeBase64(reinterpret_cast<const unsigned char*>(modulus.data()), modulus.size());
    seeds.push_back(Join({Message({"REPLY_PUBLIC_KEY", modulusText, "AQAB", "", "0", "", "", "", "", "", "12"}),
                          Answer("REPLY_SEND_KEY", 12, "0", {}), Answer("REPLY_SEND_KEY", 13, "10001", {})}));
    return seeds;
}

std::string Quote(size_t count, char shape, bool depth) {
    std::vector<std::string> items;
    for (size_t i = 0; i < count; ++i) items.push_back(std::to_string(i * 3 + 1));
    if (depth && count > 12) {
        std::string d = "12";
        for (int i = 1; i <= 20; ++i) d += "," + std::to_string(i);
        items[12] = d;
    }
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) text += (i != 0 ? "@" : "") + items[i];
    return text + shape;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    g_strRoot = argv[1];
    mkdir(g_strRoot.c_str(), 0755);

    const std::string login = Answer("LOGINHK1", 3, "0", "stock|OK;derivate|BAD_USER");
    const std::string quote = Answer("MARKET01", 0, "0", Quote(42, '1', true));

    // Frame scanner: two chunking bytes, then frames with stray bytes, a zero length and a bad end.
    Write("frame_scanner", {std::string("\x01\x02", 2) + Frame(login) + Frame(quote),
                            std::string("\x07\x00", 2) + "xx{" + Frame("a") + "{(len=0)" + Frame(login),
                            std::string("\x33\x44", 2) + "{(len=3)abcX}" + Frame(quote) + "{(len=12"});

    // Inbound pipeline: the mode byte, then what the mode makes of the rest.
    const std::string entries = BatchEntries({login, quote, "GETTTIME@@@@@@@@@@&"});
    Write("inbound",
          {std::string(1, '\0') + login, std::string(1, '\1') + entries,
           std::string(1, '\1') + entries + LengthBytes(0) + login, std::string(1, '\0') + BatchPayload(entries),
           std::string(1, '\3') + login, std::string(1, '\4') + login + "\n" + quote + "\n"});

    WriteDictionary("frame_scanner", {"{(len=", ")", "}", "{(len=0)", "{(len=-1)"});
    WriteDictionary("inbound", {"\x01", "@", "&", "\n", std::string(4, '\0'), "FORCE_LOGOUT"});
    WriteDictionary("stock_dispatch", CodeTokens(CStockApiImp::kCommands));
    WriteDictionary("future_dispatch", CodeTokens(CFutureApiImp::kCommands));
    std::vector<std::string> marketTokens = CodeTokens(CMarketApiImp::kCommands);
    marketTokens.insert(marketTokens.end(), {"stock|", "derivate|", "BAD_USER", ";", ","});
    WriteDictionary("market_dispatch", marketTokens);
    WriteDictionary("quote_parser", {"@", ",", "Y", "M", "D", "@@@@@@@@@@"});
    WriteDictionary("permissions", {"stock|", "derivate|", "BAD_USER", ";", "|"});
    WriteDictionary("records", {"@", ":", "^", "@@@@@@@@@@"});

    Write("stock_dispatch", TradingSeeds(CStockApiImp::kCommands));
    Write("future_dispatch", TradingSeeds(CFutureApiImp::kCommands));

    std::vector<std::string> market = TradingSeeds(CMarketApiImp::kCommands);
    market.push_back(Join({login, quote, Answer("MARKET01", 1, "0", Quote(10, 'Y', false)),
                           Answer("MARKET01", 2, "0", Quote(5, 'M', false)),
                           Answer("MARKET01", 3, "0", CompressedBody(Quote(32, '1', false)), "2"),
                           Answer("M2", 4, "0", "20260102:20260105@x"), Answer("B", 5, "0", "1234@5678^9"),
                           Answer("LOGINHK1", 6, "10001", "stock|BAD_USER")}));
    Write("market_dispatch", market);

    Write("quote_parser", {Quote(42, '1', true), Quote(32, 'S', false), Quote(9, 'Y', false), Quote(10, 'Y', false),
                           Quote(5, 'M', false), Quote(40, 'D', false)});
    Write("permissions", {"stock|OK;derivate|BAD_USER", "derivate|BAD_USER;stock|bad_user;x|y;novalue", "stock|"});

    std::vector<std::string> records;
    for (size_t kind = 0; kind < 57; ++kind) {
        records.push_back(std::string(1, static_cast<char>(kind)) + RecordOf(kind % 50 + 1, kind));
        records.push_back(std::string(1, static_cast<char>(kind)) + "20260102:20260105@x");
    }
    Write("records", records);

    // Message grammar: the options byte (bit 0 list, bit 1 compress here, bit 2 small buffers).
    const std::string answer = Answer("AccoStLs", 5, "0", Records({RecordOf(5, 0), RecordOf(1, 0), RecordOf(3, 2)}));
    Write("message_grammar", {std::string(1, '\1') + answer, std::string(1, '\0') + answer,
                              std::string(1, '\3') + answer, std::string(1, '\5') + answer,
                              std::string(1, '\1') + Answer("AccoStLs", 6, "0", CompressedBody(RecordOf(7, 1)), "2"),
                              std::string(1, '\1') + Answer("AccoStLs", 7, "0", {}, "1")});
    WriteDictionary("message_grammar", {"@", "&", "^", "@@@@@@@@@@&", "@@@@@@@@@2@"});
    return 0;
}
