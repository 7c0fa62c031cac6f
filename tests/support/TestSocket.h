#pragma once

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "net/CAsynSocket.h"
#include "net/FrameScanner.h"
#include "support/EventLog.h"

// A socket-layer object for the connection tests: records payloads and socket-layer events, and
// logs into a temporary folder.
class TestSocket : public CAsynSocket, private FrameScanner::IPayloadSink {
public:
    explicit TestSocket(const std::string& logDir) {
        m_bWriteLog = true;
        m_strLogDir = logDir;
        m_strLogFile = "socket.log";
    }
    ~TestSocket() override { StopReceiveThread(); }

    int OnProcessRecv() override {
        const size_t used = FrameScanner::Scan(m_bufRecv.Data(), static_cast<size_t>(m_bufRecv.Length()), *this);
        m_bufRecv.Consume(static_cast<int64_t>(used));
        return static_cast<int>(m_bufRecv.Length());
    }
    void OnResetSystem() override { m_bufRecv.SetLength(0); }
    void OnSendHeartBeat() override {
        static const char kBeat[] = "GETTTIME@@@@@@@@@@&";
        SendFrame(reinterpret_cast<const unsigned char*>(kBeat), sizeof kBeat - 1, 0);
        events.Add(Named("heartbeat-sent"));
    }
    void OnSocketConnect() override { events.Add(Named("connect")); }
    void OnSocketDisconnect() override {
        RecordedEvent e = Named("disconnect");
        e.value = m_lErrorCode.load();
        events.Add(std::move(e));
    }
    void OnSocketHeartBeat(long long seconds) override {
        RecordedEvent e = Named("heartbeat");
        e.value = seconds;
        events.Add(std::move(e));
    }
    void OnSocketCommand(unsigned char*, long) override {}

    void SetLoginReplied() { m_bLoginReplied = true; }
    void SetHeartBeat(int64_t seconds, bool check) {
        m_lHeartBeatTimeout = seconds;
        m_bHeartBeatCheck = check;
    }
    int64_t ErrorCode() const { return m_lErrorCode.load(); }
    uint64_t ServerIp() const { return m_lServerIp.load(); }
    uint16_t ServerPort() const { return m_usServerPort.load(); }
    bool Connected() const { return m_bConnected; }

    // Payloads received, in order.
    std::vector<std::string> Payloads() {
        std::lock_guard<std::mutex> lock(m_mtx);
        return m_payloads;
    }
    EventLog events;
    std::atomic<bool> throwOnPayload{false};

private:
    static RecordedEvent Named(const char* name) {
        RecordedEvent e;
        e.name = name;
        return e;
    }
    void OnFramePayload(const uint8_t* payload, size_t length) override {
        {
            std::lock_guard<std::mutex> lock(m_mtx);
            m_payloads.emplace_back(reinterpret_cast<const char*>(payload), length);
        }
        const bool fail = throwOnPayload;  // read before the event is seen by the test
        events.Add(Named("payload"));
        if (fail) throw 42;
    }
    std::mutex m_mtx;
    std::vector<std::string> m_payloads;
};
