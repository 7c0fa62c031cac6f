#pragma once

#include <cstdlib>
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
template <>
struct ApiFactory<Quintara::CStockApi> {
    static Quintara::CStockApi* Create(const std::string& dir) {
        return Quintara::CStockApi::CreateStockApi(true, "test.log", dir.c_str());
    }
};
template <>
struct ApiFactory<Quintara::CFutureApi> {
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
        if (!server.Start()) return false;
        api = ApiFactory<Api>::Create(m_strDir);
        if (withSink) api->RegisterSpi(&sink);
        std::string address = "tcp://127.0.0.1:" + std::to_string(server.Port());
        api->RegisterNameServer(address.c_str());
        if (!api->Init()) return false;
        if (!server.WaitForClient(5000)) return false;
        return !withSink || sink.log.WaitCount("OnConnect", 1);
    }

    void Push(const std::string& message) { server.SendFrame(message); }

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
    Recorder sink;
    Api* api = nullptr;

private:
    std::string m_strDir;
};
