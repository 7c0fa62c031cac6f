// The real quintara-sim binary driven by the real library objects of the three kinds, once with
// plain frames and once with compressed bodies, batches and encrypted trading connections.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "QuintaraApi.h"
#include "net/NetTiming.h"
#include "support/FutureRecorder.h"
#include "support/MarketRecorder.h"
#include "support/StockRecorder.h"

using namespace Quintara;

namespace {

constexpr int kWaitMs = 15000;

// One running simulator: started on --port 0, its three address lines read from its stdout.
class SimProcess {
public:
    bool Start(const std::vector<std::string>& extra, const std::string& usersFile) {
        int out[2];
        if (pipe(out) != 0) return false;
        std::vector<std::string> args = {QUINTARA_SIM_PATH, "--port", "0", "--rate", "20", "--users", usersFile};
        args.insert(args.end(), extra.begin(), extra.end());
        // Built before the fork: the child of a threaded process may only make async-signal-safe
        // calls (no allocation) until it has exec'd.
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        m_pid = fork();
        if (m_pid == 0) {
            // The simulator ends with this process, even when a failing test aborts it: a server
            // left running would hold the test runner's output open.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            dup2(out[1], 1);
            close(out[0]);
            close(out[1]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        FILE* f = fdopen(out[0], "r");
        char line[256];
        for (int i = 0; i < 3 && f != nullptr && fgets(line, sizeof line, f) != nullptr; ++i) {
            std::string text(line);
            const size_t space = text.find(' ');
            if (space == std::string::npos) break;
            m_address[text.substr(0, space)] = text.substr(space + 1, text.find_last_not_of("\r\n") - space);
        }
        if (f != nullptr) fclose(f);
        return m_address.size() == 3;
    }
    // SIGTERM, then the exit status (0 for a clean stop).
    int Stop() {
        if (m_pid <= 0) return -1;
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    ~SimProcess() { Stop(); }
    const std::string& Address(const std::string& kind) { return m_address[kind]; }

private:
    pid_t m_pid = -1;
    std::map<std::string, std::string> m_address;
};

// Waits until an event named `name` whose data struct satisfies `pred` was recorded.
template <class T, class Pred>
bool WaitData(EventLog& log, const std::string& name, Pred pred, int timeoutMs = kWaitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (size_t seen = 0;;) {
        const auto events = log.Named(name);
        for (; seen < events.size(); ++seen)
            if (events[seen].data.size() == sizeof(T) && pred(events[seen].As<T>(), events[seen])) return true;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0 || !log.WaitCount(name, seen + 1, static_cast<int>(left))) return false;
    }
}

template <class F>
void Fill(F& field) {
    std::memset(&field, 0, sizeof field);
}

void Copy(char* dst, const char* src) {
    std::strcpy(dst, src);
}

template <class Field>
void LoginField(Field& f, const char* user, const char* pwd) {
    Fill(f);
    Copy(f.UserId, user);
    Copy(f.UserPwd, pwd);
    Copy(f.ComputerName, "test-host");
    Copy(f.AuthorCode, "AUTH");
    Copy(f.SoftwareName, "sim-test");
    Copy(f.SoftwareVersion, "1.0");
}

struct Mode {
    const char* name;
    std::vector<std::string> options;
};

class SimEndToEnd : public ::testing::TestWithParam<Mode> {
protected:
    void SetUp() override {
        NetTimingValues t;
        t.selectWaitMs = 50;
        t.createWaitMs = 5;
        t.reconnectWaitMs = 300;
        NetTiming::ForTest(t);
        char pattern[] = "/tmp/quintara-sim-test-XXXXXX";
        m_dir = mkdtemp(pattern);
        m_users = m_dir + "/users.txt";
        FILE* f = fopen(m_users.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs(
            "# id key=value...\n"
            "vera password=pw1 account=VER001 verify=1 qa=2:Lisbon code=424242\n"
            "nostock password=pw2 account=NS001 stock=BAD_USER\n",
            f);
        fclose(f);
        ASSERT_TRUE(sim.Start(Options(), m_users));
    }
    void TearDown() override {
        for (auto* a : m_stock) a->Release();
        for (auto* a : m_future) a->Release();
        for (auto* a : m_market) a->Release();
        EXPECT_EQ(sim.Stop(), 0);
        NetTiming::Reset();
        (void)std::system(("rm -rf '" + m_dir + "'").c_str());
    }

    virtual std::vector<std::string> Options() const { return GetParam().options; }

    CStockApi* Stock(StockRecorder& sink) {
        CStockApi* api = CStockApi::CreateStockApi(true, "stock.log", m_dir.c_str());
        api->RegisterSpi(&sink);
        api->RegisterNameServer(sim.Address("stock").c_str());
        EXPECT_TRUE(api->Init());
        m_stock.push_back(api);
        EXPECT_TRUE(sink.log.WaitCount("OnConnect", 1, kWaitMs));
        return api;
    }
    CFutureApi* Future(FutureRecorder& sink) {
        CFutureApi* api = CFutureApi::CreateFutureApi(true, "future.log", m_dir.c_str());
        api->RegisterSpi(&sink);
        api->RegisterNameServer(sim.Address("future").c_str());
        EXPECT_TRUE(api->Init());
        m_future.push_back(api);
        EXPECT_TRUE(sink.log.WaitCount("OnConnect", 1, kWaitMs));
        return api;
    }
    CMarketApi* Market(MarketRecorder& sink) {
        CMarketApi* api = CMarketApi::CreateMarketApi(true, "market.log");
        api->RegisterSpi(&sink);
        api->RegisterNameServer(sim.Address("market").c_str());
        EXPECT_TRUE(api->Init());
        m_market.push_back(api);
        EXPECT_TRUE(sink.log.WaitCount("OnConnect", 1, kWaitMs));
        return api;
    }

    // Logs in and waits for the accepted answer (a server-started key exchange may answer a first
    // login attempt only after the exchange).
    template <class Api, class Recorder, class Field>
    bool Login(Api* api, Recorder& sink, const char* user, const char* pwd) {
        Field f;
        LoginField(f, user, pwd);
        if (api->ReqUserLogin(&f, 7) != 1) return false;
        return sink.log.WaitCount("OnRspUserLoginInfo", 1, kWaitMs);
    }

    // The event sinks belong to the fixture, so that they outlive the API objects, which are
    // released in TearDown: a receive thread may deliver an event until its Release returns.
    std::list<StockRecorder> m_stockSinks;
    std::list<FutureRecorder> m_futureSinks;
    std::list<MarketRecorder> m_marketSinks;
    SimProcess sim;
    std::string m_dir;
    std::string m_users;
    std::vector<CStockApi*> m_stock;
    std::vector<CFutureApi*> m_future;
    std::vector<CMarketApi*> m_market;
};

TEST_P(SimEndToEnd, StockOrderFillsWithPushesAndQueriesSeeIt) {
    StockRecorder& sink = m_stockSinks.emplace_back();
    CStockApi* api = Stock(sink);
    ASSERT_TRUE((Login<CStockApi, StockRecorder, CStockReqUserLoginField>(api, sink, "demo", "demo123")));
    EXPECT_STREQ(sink.log.DataOf<CStockUserLoginInfoField>("OnRspUserLoginInfo").AccountNo, "DEMO001");
    EXPECT_EQ(sink.log.Named("OnRspUserLogin").at(0).errorId, 0);

    // A marketable limit buy of two lots fills in two parts.
    CStockReqOrderInsertField order;
    Fill(order);
    Copy(order.UserId, "demo");
    Copy(order.AccountNo, "DEMO001");
    Copy(order.LocalNo, "L1");
    Copy(order.ExchangeNo, "HKEX");
    Copy(order.Item06, "00700");
    Copy(order.Item07, "B");
    Copy(order.Item08, "1000");
    Copy(order.Item09, "200");
    ASSERT_EQ(api->ReqOrderInsert(&order, 0), 1) << order.ErrorMsg;
    ASSERT_TRUE(sink.log.WaitCount("OnRspOrderInsert", 1, kWaitMs));
    const auto placed = sink.log.DataOf<CStockOrderField>("OnRspOrderInsert");
    EXPECT_EQ(sink.log.Named("OnRspOrderInsert").at(0).errorId, 0);
    EXPECT_STREQ(placed.LocalNo, "L1");
    EXPECT_STREQ(placed.Item08, "00700");
    ASSERT_NE(placed.SystemNo[0], '\0');
    const std::string systemNo = placed.SystemNo;

    ASSERT_TRUE(WaitData<CStockOrderStatusField>(sink.log, "OnPushOrderStatus", [&](const auto& s, const auto&) {
        return systemNo == s.Item00 && s.Item03 == 3 && s.Item06 == 200;
    })) << "the order never reported Filled";
    EXPECT_TRUE(WaitData<CStockPositionField>(sink.log, "OnPushPosition",
                                              [](const auto& p, const auto&) { return p.Item05 == 200; }));
    EXPECT_TRUE(WaitData<CStockCapitalField>(sink.log, "OnPushCapital", [](const auto& c, const auto&) {
        return std::string(c.Item01) == "HKD" && c.Item02 < 1000000.0;
    }));
    long long filled = 0;
    for (const auto& e : sink.log.Named("OnPushFilled")) {
        EXPECT_EQ(systemNo, e.As<CStockTradeField>().Item01);
        filled += std::atoll(e.As<CStockTradeField>().Item08);
    }
    EXPECT_EQ(filled, 200);
    EXPECT_EQ(sink.log.Count("OnPushFilled"), 2u);

    CStockQryPositionField qp;
    Fill(qp);
    ASSERT_EQ(api->ReqQryPosition(&qp, 11), 1);
    ASSERT_TRUE(sink.log.WaitCount("OnRspQryPosition", 1, kWaitMs));
    const auto pos = sink.log.Named("OnRspQryPosition").at(0);
    EXPECT_EQ(pos.requestId, 11);
    EXPECT_STREQ(pos.As<CStockPositionField>().Item02, "00700");
    EXPECT_EQ(pos.As<CStockPositionField>().Item05, 200);

    CStockQryInstrumentField qi;
    Fill(qi);
    Copy(qi.ExchangeNo, "HKEX");
    ASSERT_EQ(api->ReqQryInstrument(&qi, 12), 1);
    ASSERT_TRUE(sink.log.WaitCount("OnRspQryInstrument", 3, kWaitMs));
    const auto instruments = sink.log.Named("OnRspQryInstrument");
    EXPECT_EQ(instruments.size(), 3u);
    EXPECT_TRUE(instruments.back().isLast);
    EXPECT_STREQ(instruments.front().As<CStockInstrumentField>().ExchangeNo, "HKEX");

    // Selling more than is held is refused with the catalogue's text.
    Copy(order.LocalNo, "L2");
    Copy(order.Item07, "S");
    Copy(order.Item09, "300");
    ASSERT_EQ(api->ReqOrderInsert(&order, 0), 1);
    ASSERT_TRUE(sink.log.WaitCount("OnRspOrderInsert", 2, kWaitMs));
    const auto refused = sink.log.Named("OnRspOrderInsert").at(1);
    EXPECT_EQ(refused.errorId, 20032);
    EXPECT_STREQ(refused.As<CStockOrderField>().LocalNo, "L2");
}

TEST_P(SimEndToEnd, StockLoginRefusalVerificationAndKickOut) {
    StockRecorder& first = m_stockSinks.emplace_back();
    CStockApi* a = Stock(first);
    CStockReqUserLoginField f;
    LoginField(f, "demo", "wrong");
    ASSERT_EQ(a->ReqUserLogin(&f, 3), 1);
    ASSERT_TRUE(first.log.WaitCount("OnRspUserLogin", 1, kWaitMs));
    const auto refused = first.log.Named("OnRspUserLogin").at(0);
    EXPECT_EQ(refused.errorId, 10002);
    EXPECT_EQ(refused.requestId, 3);

    // A user that must verify: the login asks for it, the answer to the set question passes, and the
    // next login is accepted.
    LoginField(f, "vera", "pw1");
    ASSERT_EQ(a->ReqUserLogin(&f, 4), 1);
    ASSERT_TRUE(first.log.WaitCount("OnRspNeedVerify", 1, kWaitMs));
    EXPECT_TRUE(first.log.Named("OnRspNeedVerify").at(0).flag2);  // questions are set
    CStockReqSafeVerifyField v;
    Fill(v);
    Copy(v.VerifyField1, "2");
    Copy(v.VerifyField2, "Paris");
    ASSERT_EQ(a->ReqSafeVerify(&v, 5), 1);
    Copy(v.VerifyField2, "Lisbon");
    ASSERT_EQ(a->ReqSafeVerify(&v, 6), 1);
    ASSERT_TRUE(first.log.WaitCount("OnRspSafeVerify", 2, kWaitMs));
    EXPECT_EQ(first.log.Named("OnRspSafeVerify").at(0).errorId, 10006);
    EXPECT_EQ(first.log.Named("OnRspSafeVerify").at(1).errorId, 0);
    ASSERT_EQ(a->ReqUserLogin(&f, 8), 1);
    ASSERT_TRUE(first.log.WaitCount("OnRspUserLoginInfo", 1, kWaitMs));
    EXPECT_STREQ(first.log.DataOf<CStockUserLoginInfoField>("OnRspUserLoginInfo").AccountNo, "VER001");

    // The same user on a second connection pushes the first one out.
    StockRecorder& second = m_stockSinks.emplace_back();
    CStockApi* b = Stock(second);
    // vera must verify again on the new connection: the first session stays until she has.
    ASSERT_EQ(b->ReqUserLogin(&f, 9), 1);
    ASSERT_TRUE(second.log.WaitCount("OnRspNeedVerify", 1, kWaitMs));
    EXPECT_EQ(first.log.Count("OnRspUserLogout"), 0u);
    ASSERT_EQ(b->ReqSafeVerify(&v, 9), 1);
    ASSERT_TRUE(second.log.WaitCount("OnRspSafeVerify", 1, kWaitMs));
    ASSERT_EQ(b->ReqUserLogin(&f, 10), 1);
    ASSERT_TRUE(second.log.WaitCount("OnRspUserLoginInfo", 1, kWaitMs));
    ASSERT_TRUE(first.log.WaitCount("OnRspUserLogout", 1, kWaitMs));
    EXPECT_EQ(first.log.Named("OnRspUserLogout").at(0).errorMsg, "此账号在别处登录，当前连接强制退出！！！");

    // Password change: a wrong old password is refused; afterwards only the new one logs in.
    CStockReqPasswordUpdateField pw;
    Fill(pw);
    Copy(pw.PwsField1, "vera");
    Copy(pw.PwsField2, "nope");
    Copy(pw.PwsField3, "pw9");
    ASSERT_EQ(b->ReqPasswordUpdate(&pw, 11), 1);
    Copy(pw.PwsField2, "pw1");
    ASSERT_EQ(b->ReqPasswordUpdate(&pw, 12), 1);
    ASSERT_TRUE(second.log.WaitCount("OnRspPasswordUpdate", 2, kWaitMs));
    const auto changes = second.log.Named("OnRspPasswordUpdate");
    EXPECT_EQ(changes.at(0).errorId, 30026);
    EXPECT_EQ(changes.at(0).errorMsg, "用户旧密码错误");
    EXPECT_EQ(changes.at(1).errorId, 0);
    EXPECT_STREQ(changes.at(1).As<CStockPasswordField>().PwsField1, "vera");
    const size_t answers = second.log.Count("OnRspUserLogin");
    ASSERT_EQ(b->ReqUserLogin(&f, 13), 1);  // still the old password
    ASSERT_TRUE(second.log.WaitCount("OnRspUserLogin", answers + 1, kWaitMs));
    EXPECT_EQ(second.log.Named("OnRspUserLogin").at(answers).errorId, 10002);
}

TEST_P(SimEndToEnd, FuturesMarketOrderOpensAPosition) {
    FutureRecorder& sink = m_futureSinks.emplace_back();
    CFutureApi* api = Future(sink);
    ASSERT_TRUE((Login<CFutureApi, FutureRecorder, CFutureReqUserLoginField>(api, sink, "demo", "demo123")));
    CFutureReqOrderInsertField order;
    Fill(order);
    Copy(order.UserId, "demo");
    Copy(order.AccountNo, "DEMO001");
    Copy(order.LocalNo, "F1");
    Copy(order.Item05, "HKEX");
    Copy(order.Item06, "HSI2612");
    Copy(order.Item07, "S");
    Copy(order.Item09, "3");
    Copy(order.Item11, "M");
    ASSERT_EQ(api->ReqOrderInsert(&order, 0), 1) << order.ErrorMsg;
    ASSERT_TRUE(WaitData<CFutureOrderStatusField>(sink.log, "OnPushOrderStatus",
                                                  [](const auto& s, const auto&) { return s.Item03 == 3; }));
    EXPECT_TRUE(WaitData<CFutureOrderStatusField>(sink.log, "OnPushPosition",
                                                  [](const auto& p, const auto&) { return p.Item06 == -3; }));

    CFutureQryTotalPositionField q;
    Fill(q);
    Copy(q.AccountNo, "DEMO001");
    ASSERT_EQ(api->ReqQryTotalPosition(&q, 21), 1);
    ASSERT_TRUE(sink.log.WaitCount("OnRspQryTotalPosition", 1, kWaitMs));
    const auto total = sink.log.DataOf<CFutureOrderStatusField>("OnRspQryTotalPosition");
    EXPECT_STREQ(total.Item02, "HSI2612");
    EXPECT_EQ(total.Item04, 3);  // short

    CFutureQryCommodityField qc;
    Fill(qc);
    ASSERT_EQ(api->ReqQryCommodity(&qc, 22), 1);
    ASSERT_TRUE(sink.log.WaitCount("OnRspQryCommodity", 5, kWaitMs));
    EXPECT_TRUE(sink.log.Named("OnRspQryCommodity").back().isLast);
}

TEST_P(SimEndToEnd, MarketLoginSubscriptionQuotesAndRefusals) {
    MarketRecorder& sink = m_marketSinks.emplace_back();
    CMarketApi* api = Market(sink);
    CMarketReqUserLoginField login;
    Fill(login);
    Copy(login.UserId, "nostock");
    Copy(login.UserPwd, "pw2");
    Copy(login.BrokerIDForMarketPrice, "DEMO");
    ASSERT_EQ(api->ReqUserLogin(&login, 31), 1);
    ASSERT_TRUE(sink.log.WaitCount("OnRspUserLogin", 1, kWaitMs));
    const auto answer = sink.log.Named("OnRspUserLogin").at(0);
    ASSERT_EQ(answer.errorId, 0) << answer.errorMsg;
    EXPECT_EQ(answer.requestId, 31);
    EXPECT_TRUE(answer.isLast);
    EXPECT_TRUE(WaitData<CMarketTradeDateField>(sink.log, "OnPushTradeDate", [](const auto& d, const auto&) {
        return std::string(d.Key) == "HKEX" && std::strlen(d.Value) == 8;
    }));

    // This user may not see stock quotes: the library refuses before sending.
    CMarketReqMarketDataField sub;
    Fill(sub);
    sub.MarketType = 'S';
    sub.SubscribeAction = '1';
    sub.ContractCount = 1;
    Copy(sub.Contracts[0], "HKEX,00700");
    EXPECT_EQ(api->ReqMarketData(&sub, 0), 0);
    EXPECT_STREQ(sub.ErrorMsg, "没有订阅股票行情权限.");

    // Derivatives: a full quote with five levels, then updates.
    sub.MarketType = 'D';
    Copy(sub.Contracts[0], "HKEX,HSI2612");
    ASSERT_EQ(api->ReqMarketData(&sub, 0), 1) << sub.ErrorMsg;
    ASSERT_TRUE(WaitData<CMarketMarketDataField>(sink.log, "OnRspMarketData", [](const auto& q, const auto&) {
        return std::string(q.RecordType) == "F" && std::string(q.Item01) == "HSI2612" && q.DepthA5[0] != '\0' &&
               q.DepthD5[0] != '\0';
    }));
    EXPECT_TRUE(WaitData<CMarketMarketDataField>(sink.log, "OnRspMarketData", [](const auto& q, const auto& e) {
        return std::string(q.RecordType) == "Y" && std::string(q.Item01) == "HSI2612" && !e.isLast;
    }));

    // An unknown contract is refused by the server with its catalogue code.
    Copy(sub.Contracts[0], "HKEX,NOSUCH");
    ASSERT_EQ(api->ReqMarketData(&sub, 0), 1);
    EXPECT_TRUE(WaitData<CMarketMarketDataField>(sink.log, "OnRspMarketData", [](const auto&, const auto& e) {
        return e.errorId == 10026 && e.errorMsg == "订阅合约在交易所不存在.";
    }));

    // An action the protocol does not know reaches the server as a bare head: 10024.
    sub.SubscribeAction = '9';
    ASSERT_EQ(api->ReqMarketData(&sub, 0), 1);
    EXPECT_TRUE(WaitData<CMarketMarketDataField>(sink.log, "OnRspMarketData", [](const auto&, const auto& e) {
        return e.errorId == 10024 && e.errorMsg == "订阅格式不正确.";
    }));

    CMarketReqBrokerDataField broker;
    Fill(broker);
    Copy(broker.BrokerKey, "HKEX,00700");
    ASSERT_EQ(api->ReqBrokerData(&broker, 33), 1);
    ASSERT_TRUE(sink.log.WaitCount("OnRspBrokerData", 1, kWaitMs));
    EXPECT_EQ(
        std::string(sink.log.DataOf<CMarketBrokerDataField>("OnRspBrokerData").BrokerData).rfind("HKEX,00700|B:", 0),
        0u);
}

// The simulator closes every connection two seconds after accepting it.
class SimReconnect : public SimEndToEnd {
protected:
    std::vector<std::string> Options() const override {
        std::vector<std::string> options = GetParam().options;
        options.insert(options.end(), {"--drop-after", "2"});
        return options;
    }
};

TEST_P(SimReconnect, DroppedConnectionReconnectsAndLogsInAgain) {
    FutureRecorder& sink = m_futureSinks.emplace_back();
    CFutureApi* api = Future(sink);
    ASSERT_TRUE((Login<CFutureApi, FutureRecorder, CFutureReqUserLoginField>(api, sink, "demo", "demo123")));
    ASSERT_TRUE(sink.log.WaitCount("OnDisconnect", 1, kWaitMs));
    EXPECT_EQ(sink.log.Named("OnDisconnect").at(0).value, 4004);  // closed by the peer
    ASSERT_TRUE(sink.log.WaitCount("OnConnect", 2, kWaitMs));
    // A new connection: a new key exchange when trading is encrypted (after which the library itself
    // sends its stored login again), and the application's new login.
    CFutureReqUserLoginField f;
    LoginField(f, "demo", "demo123");
    ASSERT_EQ(api->ReqUserLogin(&f, 8), 1);
    EXPECT_TRUE(WaitData<CFutureUserLoginInfoField>(sink.log, "OnRspUserLoginInfo", [](const auto& l, const auto& e) {
        return e.requestId == 8 && std::string(l.AccountNo) == "DEMO001";
    }));
}

INSTANTIATE_TEST_SUITE_P(Modes, SimReconnect,
                         ::testing::Values(Mode{"Plain", {}},
                                           Mode{"CompressedEncrypted", {"--compress", "--encrypt-trading"}}),
                         [](const auto& p) { return std::string(p.param.name); });

INSTANTIATE_TEST_SUITE_P(Modes, SimEndToEnd,
                         ::testing::Values(Mode{"Plain", {}},
                                           Mode{"CompressedEncrypted", {"--compress", "--encrypt-trading"}}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
