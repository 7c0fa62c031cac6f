// A market watcher: logs in to the market server, subscribes to two stocks and one future, and
// shows their quotes as a table that refreshes in place (on a terminal) or as one line per quote
// (when the output is a file or a pipe). Also prints the trade dates and the broker queue of one
// stock.
//
// usage: market_watcher ADDRESS [QUOTES [USER PASSWORD]]
//   ADDRESS   the market server, e.g. tcp://127.0.0.1:17602 (quintara-sim prints it at start)
//   QUOTES    stop after this many quotes (default 0: run until Ctrl-C)
//   USER      default "demo", PASSWORD default "demo123" (the simulator's demo user)
// Exits 0 when QUOTES quotes arrived within 30 seconds (or after Ctrl-C), 1 otherwise.
//
// The meaning of the ItemNN members is fixed by the server; the positions used here are those of
// quintara-sim (tools/sim/README.md, "Field map").
#include <QuintaraApi.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

using namespace Quintara;

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
void OnSignal(int) {
    g_interrupted = 1;
}

template <size_t N>
void Copy(char (&to)[N], const std::string& from) {
    std::snprintf(to, N, "%s", from.c_str());
}

// What the table shows of one contract, kept from its full quote and updated by 'Y' and 'M' records.
struct Row {
    std::string name, currency, last, bid, ask, high, low, volume, status = "T";
};

class MarketWatcher : public IMarketEvent {
public:
    MarketWatcher(CMarketApi* api, std::string user, std::string password, long quotes)
        : m_api(api), m_user(std::move(user)), m_password(std::move(password)), m_wanted(quotes) {}

    // Waits until the wanted number of quotes arrived, a step failed, Ctrl-C or the time is up.
    bool Wait(std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_finished && !g_interrupted) {
            if (m_wanted > 0 && std::chrono::steady_clock::now() >= until) break;
            m_cv.wait_for(lock, std::chrono::milliseconds(200));
        }
        return m_finished ? m_ok : g_interrupted != 0;
    }

    void OnConnect() override {
        std::printf("[market] connected\n");
        CMarketReqUserLoginField f;
        std::memset(&f, 0, sizeof f);
        Copy(f.UserId, m_user);
        Copy(f.UserPwd, m_password);
        Copy(f.BrokerIDForMarketPrice, "DEMO");
        if (m_api->ReqUserLogin(&f, 1) == 0) Fail("login refused: " + std::string(f.ErrorMsg));
    }
    void OnDisconnect(int code) override { std::printf("[market] disconnected (%d)\n", code); }

    void OnRspUserLogin(CMarketRspInfoField* info, int, bool) override {
        if (info->ErrorID != 0) return Fail("login failed: " + std::to_string(info->ErrorID) + " " + info->ErrorMsg);
        std::printf("[market] logged in as %s\n", m_user.c_str());
        Subscribe('S', {"00700,HKEX", "AAPL,NASD"});
        Subscribe('D', {"HSI2612,HKEX"});
        CMarketReqBrokerDataField b;
        std::memset(&b, 0, sizeof b);
        Copy(b.BrokerKey, "HKEX,00700");
        if (m_api->ReqBrokerData(&b, 2) == 0) Fail("broker request refused: " + std::string(b.ErrorMsg));
    }
    void OnPushTradeDate(CMarketTradeDateField* data, CMarketRspInfoField*, int, bool) override {
        std::printf("[market] trade date %s: %s\n", data->Key, data->Value);
    }
    void OnRspBrokerData(CMarketBrokerDataField* data, CMarketRspInfoField*, int, bool) override {
        std::printf("[market] brokers %s\n", data->BrokerData);
    }

    void OnRspMarketData(CMarketMarketDataField* q, CMarketRspInfoField* info, int, bool) override {
        if (info->ErrorID != 0)
            return Fail("subscription failed: " + std::to_string(info->ErrorID) + " " + info->ErrorMsg);
        const std::string key = std::string(q->Item00) + " " + q->Item01;
        Row& row = m_rows[key];
        switch (q->RecordType[0]) {
            case 'Y':  // trade update
                row.last = q->Item06;
                row.bid = q->Item13;
                row.ask = q->Item14;
                row.volume = q->Item59;
                row.high = q->Item61;
                row.low = q->Item62;
                break;
            case 'M':  // trading status
                row.status = q->Item37;
                break;
            default:  // full quote
                row.name = q->Item02;
                row.currency = q->Item03;
                row.last = q->Item06;
                row.bid = q->DepthA1;
                row.ask = q->DepthC1;
                row.high = q->Item08;
                row.low = q->Item09;
                row.volume = q->Item10;
                break;
        }
        ++m_received;
        if (m_table) {
            Draw();
        } else {
            std::printf("[market] quote %c %-12s %-22s last %-10s bid %-10s ask %-10s volume %s\n",
                        q->RecordType[0] != '\0' ? q->RecordType[0] : '?', key.c_str(), row.name.c_str(),
                        row.last.c_str(), row.bid.c_str(), row.ask.c_str(), row.volume.c_str());
        }
        if (m_wanted > 0 && m_received >= m_wanted) Finish(true);
    }

private:
    void Subscribe(char marketType, std::initializer_list<const char*> contracts) {
        CMarketReqMarketDataField f;
        std::memset(&f, 0, sizeof f);
        f.MarketType = marketType;
        f.SubscribeAction = '1';  // add
        for (const char* c : contracts) Copy(f.Contracts[f.ContractCount++], c);
        if (m_api->ReqMarketData(&f, 3) == 0) Fail("subscription refused: " + std::string(f.ErrorMsg));
    }

    // Redraws the whole table from the top left corner of the terminal.
    void Draw() {
        std::printf("\x1b[H\x1b[2J%-14s %-24s %-4s %10s %10s %10s %10s %10s %12s %s\n", "contract", "name", "ccy",
                    "last", "bid", "ask", "high", "low", "volume", "status");
        for (const auto& [key, r] : m_rows) {
            std::printf("%-14s %-24s %-4s %10s %10s %10s %10s %10s %12s %s\n", key.c_str(), r.name.c_str(),
                        r.currency.c_str(), r.last.c_str(), r.bid.c_str(), r.ask.c_str(), r.high.c_str(), r.low.c_str(),
                        r.volume.c_str(), r.status.c_str());
        }
        std::printf("\n%ld quotes received (Ctrl-C to stop)\n", m_received);
        std::fflush(stdout);
    }

    void Fail(const std::string& why) {
        std::printf("[market] error: %s\n", why.c_str());
        Finish(false);
    }
    void Finish(bool ok) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_finished) return;
        m_ok = ok;
        m_finished = true;
        m_cv.notify_all();
    }

    CMarketApi* m_api;
    std::string m_user;
    std::string m_password;
    const long m_wanted;
    const bool m_table = isatty(STDOUT_FILENO) != 0;
    // Touched on the receive thread only.
    std::map<std::string, Row> m_rows;
    long m_received = 0;
    // Shared with main().
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_finished = false;
    bool m_ok = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ADDRESS [QUOTES [USER PASSWORD]]\n", argv[0]);
        return 2;
    }
    const long quotes = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 0;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    CMarketApi* api = CMarketApi::CreateMarketApi(true, "market_watcher.log");
    if (api == nullptr) return 1;
    MarketWatcher watcher(api, argc > 4 ? argv[3] : "demo", argc > 4 ? argv[4] : "demo123", quotes);
    api->RegisterSpi(&watcher);
    api->RegisterNameServer(argv[1]);
    api->Init();
    const bool ok = watcher.Wait(std::chrono::seconds(30));
    api->Release();
    std::printf("[market] %s\n", ok ? "done" : "FAILED");
    return ok ? 0 : 1;
}
