// A futures trader: logs in, buys one Hang Seng index future at market, prints the order-status,
// fill, capital and position pushes, queries capital and total positions, and logs out.
//
// usage: futures_trader ADDRESS [USER PASSWORD]
//   ADDRESS   the futures server, e.g. tcp://127.0.0.1:17601 (quintara-sim prints it at start)
//   USER      default "demo", PASSWORD default "demo123" (the simulator's demo user)
// Exits 0 when every step was seen within 30 seconds, 1 otherwise.
//
// The meaning of the ItemNN members is fixed by the server; the positions used here are those of
// quintara-sim (tools/sim/README.md, "Field map").
#include <QuintaraApi.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

using namespace Quintara;

namespace {

template <size_t N>
void Copy(char (&to)[N], const std::string& from) {
    std::snprintf(to, N, "%s", from.c_str());
}

class FuturesTrader : public IFutureEvent {
public:
    FuturesTrader(CFutureApi* api, std::string user, std::string password)
        : m_api(api), m_user(std::move(user)), m_password(std::move(password)) {}

    // Waits until the session is over (logged out, or a step failed) or the time is up.
    bool Wait(std::chrono::seconds limit) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait_for(lock, limit, [this] { return m_finished; });
        return m_finished && m_ok;
    }

    // Called on the library's receive thread after every (re)connection: log in again.
    void OnConnect() override {
        std::printf("[futures] connected\n");
        CFutureReqUserLoginField f;
        std::memset(&f, 0, sizeof f);
        Copy(f.UserId, m_user);
        Copy(f.UserPwd, m_password);
        Copy(f.ComputerName, "example-desk");
        Copy(f.SoftwareName, "futures_trader");
        Copy(f.SoftwareVersion, "1.0");
        Copy(f.AuthorCode, "EXAMPLE");
        if (m_api->ReqUserLogin(&f, NextId()) == 0) Fail("login refused: " + std::string(f.ErrorMsg));
    }
    void OnDisconnect(int code) override { std::printf("[futures] disconnected (%d)\n", code); }

    // The login result comes first, then one record per account: trade once the account is known.
    void OnRspUserLogin(CFutureRspInfoField* info, int, bool) override {
        if (info->ErrorID != 0) Fail("login failed: " + Describe(info));
    }
    void OnRspUserLoginInfo(CFutureUserLoginInfoField* data, CFutureRspInfoField*, int, bool isLast) override {
        m_account = data->AccountNo;
        if (!isLast) return;
        std::printf("[futures] logged in as %s, account %s\n", m_user.c_str(), m_account.c_str());
        PlaceOrder();
    }

    void OnRspOrderInsert(CFutureOrderField* data, CFutureRspInfoField* info, int, bool) override {
        if (info->ErrorID != 0) return Fail("order rejected: " + Describe(info));
        std::printf("[futures] order placed: %s %s %s %s, local no %s, system no %s\n", Side(data->Item09),
                    data->Item11, data->Item04, data->Item08, data->LocalNo, data->SystemNo);
    }
    void OnPushOrderStatus(CFutureOrderStatusField* data, CFutureRspInfoField*, int, bool) override {
        std::printf("[futures] order status: %s %s, filled %d of %d, remaining %d\n", data->Item00, data->Item16,
                    data->Item06, data->Item04, data->Item14);
    }
    void OnPushFilled(CFutureTradeField* data, CFutureRspInfoField*, int, bool) override {
        std::printf("[futures] filled: %s %s %s %s @ %s %s, fill no %s\n", Side(data->Item06), data->Item08,
                    data->Item04, data->Item05, data->Item07, data->Item10, data->Item00);
        m_filled = true;
    }
    void OnPushCapital(CFutureCapitalField* data, CFutureRspInfoField*, int, bool) override {
        std::printf("[futures] capital %s: cash %.2f, available %.2f, margin %.2f, net assets %.2f\n", data->Item01,
                    data->Item02, data->Item03, data->Item05, data->Item06);
    }
    // Futures positions arrive in the order-status layout, one record per contract.
    void OnPushPosition(CFutureOrderStatusField* data, CFutureRspInfoField*, int, bool) override {
        std::printf("[futures] position %s %s: long %d, short %d, net %d, average long price %.2f\n", data->Item01,
                    data->Item02, data->Item03, data->Item04, data->Item06, data->Item05);
        // The position push follows the fill: now ask the account for its totals.
        if (m_filled && !m_queried) {
            m_queried = true;
            CFutureQryCapitalField q;
            std::memset(&q, 0, sizeof q);
            if (m_api->ReqQryCapital(&q, NextId()) == 0) Fail("capital query refused: " + std::string(q.ErrorMsg));
        }
    }

    void OnRspQryCapital(CFutureAccountField* data, CFutureRspInfoField* info, int, bool isLast) override {
        if (info->ErrorID != 0) return Fail("capital query failed: " + Describe(info));
        std::printf("[futures] capital query %s: cash %s, available %s, margin %s, net assets %s\n", data->Item01,
                    data->Item02, data->Item03, data->Item05, data->Item06);
        if (!isLast) return;
        CFutureQryTotalPositionField q;
        std::memset(&q, 0, sizeof q);
        Copy(q.AccountNo, m_account);
        if (m_api->ReqQryTotalPosition(&q, NextId()) == 0) {
            Fail("position query refused: " + std::string(q.ErrorMsg));
        }
    }
    void OnRspQryTotalPosition(CFutureOrderStatusField* data, CFutureRspInfoField* info, int, bool isLast) override {
        if (info->ErrorID != 0) return Fail("position query failed: " + Describe(info));
        std::printf("[futures] position query %s %s: net %d, last %.2f, unrealised %.2f, margin %.2f\n", data->Item01,
                    data->Item02, data->Item06, data->Item08, data->Item10, data->Item11);
        if (!isLast) return;
        CFutureReqUserLogoutField q;
        std::memset(&q, 0, sizeof q);
        if (m_api->ReqUserLogout(&q, NextId()) == 0) Fail("logout refused: " + std::string(q.ErrorMsg));
    }
    void OnRspUserLogout(CFutureRspInfoField* info, int, bool) override {
        std::printf("[futures] logged out (%d)\n", info->ErrorID);
        Finish(true);
    }

private:
    void PlaceOrder() {
        CFutureReqOrderInsertField f;
        std::memset(&f, 0, sizeof f);
        Copy(f.UserId, m_user);
        Copy(f.AccountNo, m_account);
        Copy(f.LocalNo, "L" + std::to_string(NextId()));
        Copy(f.Item05, "HKEX");     // exchange
        Copy(f.Item06, "HSI2612");  // contract
        Copy(f.Item07, "B");        // side
        Copy(f.Item08, "0");        // price (a market order takes none)
        Copy(f.Item09, "1");        // quantity: one contract
        Copy(f.Item11, "M");        // order type: market
        f.IsProgram = 0;            // placed by a person
        if (m_api->ReqOrderInsert(&f, NextId()) == 0) Fail("order refused: " + std::string(f.ErrorMsg));
    }

    static const char* Side(const char* code) { return std::strcmp(code, "S") == 0 ? "sell" : "buy"; }
    static std::string Describe(const CFutureRspInfoField* info) {
        return std::to_string(info->ErrorID) + " " + info->ErrorMsg;
    }
    int NextId() { return ++m_requestId; }

    void Fail(const std::string& why) {
        std::printf("[futures] error: %s\n", why.c_str());
        Finish(false);
    }
    void Finish(bool ok) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ok = ok;
        m_finished = true;
        m_cv.notify_all();
    }

    CFutureApi* m_api;
    std::string m_user;
    std::string m_password;
    // Touched on the receive thread only.
    std::string m_account;
    int m_requestId = 0;
    bool m_filled = false;
    bool m_queried = false;
    // Shared with main().
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_finished = false;
    bool m_ok = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ADDRESS [USER PASSWORD]\n", argv[0]);
        return 2;
    }
    CFutureApi* api = CFutureApi::CreateFutureApi(true, "futures_trader.log", "");
    if (api == nullptr) return 1;
    FuturesTrader trader(api, argc > 3 ? argv[2] : "demo", argc > 3 ? argv[3] : "demo123");
    api->RegisterSpi(&trader);
    api->RegisterNameServer(argv[1]);
    api->Init();
    const bool ok = trader.Wait(std::chrono::seconds(30));
    api->Release();
    std::printf("[futures] %s\n", ok ? "done" : "FAILED");
    return ok ? 0 : 1;
}
