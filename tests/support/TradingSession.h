#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "QuintaraApi.h"
#include "net/NetTiming.h"
#include "support/FakeServer.h"

// How a test creates an API object of each kind.
template <class Api>
struct ApiFactory;
// Login: the login request struct; kLoginCode: the command of the login and of its answer;
// kRecordFields: the fields of a login answer record.
template <>
struct ApiFactory<Quintara::CStockApi> {
    using Login = Quintara::CStockReqUserLoginField;
    static constexpr const char* kLoginCode = "LOGINHK1";
    static constexpr size_t kRecordFields = 46;
    static Quintara::CStockApi* Create(const std::string& dir) {
        return Quintara::CStockApi::CreateStockApi(true, "test.log", dir.c_str());
    }
};
template <>
struct ApiFactory<Quintara::CFutureApi> {
    using Login = Quintara::CFutureReqUserLoginField;
    static constexpr const char* kLoginCode = "LOGIN001";
    static constexpr size_t kRecordFields = 35;
    static Quintara::CFutureApi* Create(const std::string& dir) {
        return Quintara::CFutureApi::CreateFutureApi(true, "test.log", dir.c_str());
    }
};

// One trading API object connected to a fake server over loopback, with a recording sink, logging
// into a fresh temporary folder, and the connection timing shortened.
template <class Api, class Recorder>
class TradingSession {
public:
    TradingSession() {
        NetTimingValues t;
        t.reconnectWaitMs = 300;
        t.selectWaitMs = 50;
        t.createWaitMs = 5;
        NetTiming::ForTest(t);
        char pattern[] = "/tmp/quintara-test-XXXXXX";
        m_strDir = mkdtemp(pattern);
    }
    ~TradingSession() {
        if (api != nullptr) api->Release();
        NetTiming::Reset();
        std::string cmd = "rm -rf '" + m_strDir + "'";
        (void)std::system(cmd.c_str());
    }

    // Creates, registers and starts the object; waits for the connection and OnConnect.
    bool Start(bool withSink = true) {
        if (!server.Start(serverReceiveBuffer)) return false;
        api = ApiFactory<Api>::Create(m_strDir + logSubdir);
        if (withSink) api->RegisterSpi(&sink);
        std::string address = "tcp://127.0.0.1:" + std::to_string(server.Port());
        api->RegisterNameServer(address.c_str());
        if (!api->Init()) return false;
        if (!server.WaitForClient(5000)) return false;
        return !withSink || sink.log.WaitCount("OnConnect", 1);
    }

    void Push(const std::string& message) { server.SendFrame(message); }

    // A complete login: the request (password `password`) goes out, the server accepts it with one
    // record for account `account`; true when the object reported the accepted login and its record.
    bool LogIn(int requestId, const char* password = "pw-Login-1", const char* account = "ACC1") {
        using Traits = ApiFactory<Api>;
        typename Traits::Login f;
        std::memset(&f, 0, sizeof f);
        std::snprintf(f.UserId, sizeof f.UserId, "%s", "user1");
        std::snprintf(f.UserPwd, sizeof f.UserPwd, "%s", password);
        std::snprintf(f.ComputerName, sizeof f.ComputerName, "%s", "PC");
        std::snprintf(f.SoftwareName, sizeof f.SoftwareName, "%s", "SW");
        std::snprintf(f.SoftwareVersion, sizeof f.SoftwareVersion, "%s", "1.0");
        std::snprintf(f.AuthorCode, sizeof f.AuthorCode, "%s", "AUTH");
        if (api->ReqUserLogin(&f, requestId) != 1) return false;
        if (NextMessage().rfind(Traits::kLoginCode, 0) != 0) return false;
        const size_t logins = sink.log.Count("OnRspUserLogin");
        const size_t infos = sink.log.Count("OnRspUserLoginInfo");
        std::string record = account;
        for (size_t i = 1; i < Traits::kRecordFields; ++i) record += "@";
        Push(std::string(Traits::kLoginCode) + "@@@@@@@@@@" + std::to_string(requestId) + "&" + record);
        if (!sink.log.WaitCount("OnRspUserLoginInfo", infos + 1)) return false;
        const auto answers = sink.log.Named("OnRspUserLogin");
        return answers.size() == logins + 1 && answers.back().errorId == 0 && answers.back().requestId == requestId;
    }

    // Waits for the object's next connection (the count-th OnConnect) and makes it current.
    bool Reconnected(size_t count) { return server.WaitForClient(5000) && sink.log.WaitCount("OnConnect", count); }

    // The next message the client sent, as text ("" when none arrived in time).
    std::string NextMessage(int timeoutMs = 3000) {
        auto frame = server.ReadFrame(timeoutMs);
        return frame ? *frame : std::string();
    }

    // Waits until everything pushed so far has been handled: a logout answer with a marker id is
    // pushed and awaited.
    void Sync() {
        const size_t before = sink.log.Count("OnRspUserLogout");
        Push("UNLOGIN1@@@@@@@@@@-424242&");
        sink.log.WaitCount("OnRspUserLogout", before + 1);
    }

    // The whole log text the object wrote so far.
    std::string LogText() const {
        std::string cmd = "cat '" + m_strDir + "'/*/test.log 2>/dev/null";
        std::string out;
        if (FILE* p = popen(cmd.c_str(), "r")) {
            char buf[4096];
            size_t n;
            while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
            pclose(p);
        }
        return out;
    }

    const std::string& Dir() const { return m_strDir; }

    FakeServer server;
    int serverReceiveBuffer = 0;  // see FakeServer::Start; set before Start
    std::string logSubdir;        // the log folder below Dir() ("/a/b": folders the factory makes)
    Recorder sink;
    Api* api = nullptr;

private:
    std::string m_strDir;
};
