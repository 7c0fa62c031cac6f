#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "QuintaraApi.h"
#include "net/NetTiming.h"
#include "support/FakeServer.h"
#include "support/MarketRecorder.h"

// One market object connected to a fake server over loopback, with a recording sink. The market
// object always logs into ./CoreLog/<day>/, so each session uses a log file name of its own.
class MarketSession {
public:
    explicit MarketSession(int64_t heartbeatMin = 5) {
        NetTimingValues t;
        t.reconnectWaitMs = 300;
        t.selectWaitMs = 50;
        t.heartbeatMinMarket = heartbeatMin;
        t.createSpacingSec = 0;
        t.createWaitMs = 0;
        NetTiming::ForTest(t);
        m_strLogName = "market-test-" + std::to_string(getpid()) + "-" + std::to_string(++s_iCounter) + ".log";
    }
    ~MarketSession() {
        if (api != nullptr) api->Release();
        NetTiming::Reset();
        for (const auto& path : LogPaths()) std::remove(path.c_str());
    }

    bool Start(int heartbeatSeconds = 86400, bool check = true) {
        if (!server.Start()) return false;
        api = Quintara::CMarketApi::CreateMarketApi(true, m_strLogName.c_str());
        api->RegisterSpi(&sink);
        api->SetHeartBeatTimeout(heartbeatSeconds, check);
        const std::string address = "tcp://127.0.0.1:" + std::to_string(server.Port());
        api->RegisterNameServer(address.c_str());
        if (!api->Init()) return false;
        return server.WaitForClient(5000) && sink.log.WaitCount("OnConnect", 1);
    }

    void Push(const std::string& message) { server.SendFrame(message); }
    std::string NextMessage(int timeoutMs = 3000) {
        auto frame = server.ReadFrame(timeoutMs);
        return frame ? *frame : std::string();
    }
    bool NothingSent(int waitMs = 150) { return !server.ReadFrame(waitMs).has_value(); }

    // Waits until everything pushed so far has been handled (a kick-out with a marker id).
    void Sync() {
        const size_t before = sink.log.Count("OnKickOut");
        Push("LOGIN002@@@@@@@@@@-424242&");
        sink.log.WaitCount("OnKickOut", before + 1);
    }

    // A plain login answer (no key exchange): logs the object in with the given permissions.
    void LoginPlain(const std::string& body = "stock|OK;derivate|OK", const char* error = "") {
        const size_t before = sink.log.Count("OnRspUserLogin");
        Push(std::string("LOGINHK1@@@@") + error + "@@@@@@1&" + body);
        sink.log.WaitCount("OnRspUserLogin", before + 1);
    }

    std::vector<std::string> LogPaths() const {
        std::vector<std::string> out;
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd) == nullptr) return out;
        const time_t now = time(nullptr);
        struct tm local;
        localtime_r(&now, &local);
        char day[16];
        std::strftime(day, sizeof day, "%Y%m%d", &local);
        out.push_back(std::string(cwd) + "/CoreLog/" + day + "/" + m_strLogName);
        return out;
    }

    std::string LogText() const {
        std::string text;
        for (const auto& path : LogPaths()) {
            if (FILE* file = std::fopen(path.c_str(), "rb")) {
                char buf[4096];
                size_t n;
                while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) text.append(buf, n);
                std::fclose(file);
            }
        }
        return text;
    }

    FakeServer server;
    MarketRecorder sink;
    Quintara::CMarketApi* api = nullptr;

private:
    static inline int s_iCounter = 0;
    std::string m_strLogName;
};
