#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A loopback server for the tests: listens on 127.0.0.1 (a free port), accepts successive
// connections (the newest one is current), sends frames or raw bytes, reads the client's frames.
class FakeServer {
public:
    FakeServer() = default;
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    // receiveBuffer > 0: the accepted connections get that small a receive buffer, so that a
    // client's send buffer fills quickly while the server does not read.
    bool Start(int receiveBuffer = 0);
    uint16_t Port() const { return m_port; }
    std::string Address() const { return "tcp://127.0.0.1:" + std::to_string(m_port); }

    // Waits for the next connection and makes it current.
    bool WaitForClient(int timeoutMs);
    bool SendRaw(std::string_view bytes);
    bool SendFrame(std::string_view payload);
    // The bytes one at a time with a pause of gapMs after each.
    bool SendSlowly(std::string_view bytes, int gapMs);
    // The next complete frame payload from the client, decoded; nullopt on timeout or close.
    std::optional<std::string> ReadFrame(int timeoutMs);
    // Closes the current connection (orderly), or resets it (RST).
    void CloseClient();
    void ResetClient();
    int ClientFd() const { return m_client; }

private:
    int m_listen = -1;
    int m_client = -1;
    uint16_t m_port = 0;
    std::string m_pending;  // bytes read but not yet a whole frame
};
