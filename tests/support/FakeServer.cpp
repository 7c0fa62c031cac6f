#include "support/FakeServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

FakeServer::~FakeServer() {
    if (m_client >= 0) ::close(m_client);
    if (m_listen >= 0) ::close(m_listen);
}

bool FakeServer::Start(int receiveBuffer) {
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listen < 0) return false;
    int one = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    // Set before listen: accepted sockets inherit it (and the window it implies).
    if (receiveBuffer > 0) ::setsockopt(m_listen, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return false;
    if (::listen(m_listen, 16) != 0) return false;
    socklen_t len = sizeof addr;
    ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    return true;
}

bool FakeServer::WaitForClient(int timeoutMs) {
    pollfd p{m_listen, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return false;
    const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return false;
    if (m_client >= 0) ::close(m_client);
    m_client = fd;
    m_pending.clear();
    return true;
}

bool FakeServer::SendRaw(std::string_view bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(m_client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool FakeServer::SendSlowly(std::string_view bytes, int gapMs) {
    for (char c : bytes) {
        if (!SendRaw(std::string_view(&c, 1))) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
    }
    return true;
}

bool FakeServer::SendFrame(std::string_view payload) {
    std::string frame = "{(len=" + std::to_string(payload.size()) + ")";
    frame.append(payload.data(), payload.size());
    frame += "}";
    return SendRaw(frame);
}

std::optional<std::string> FakeServer::ReadFrame(int timeoutMs) {
    const int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        // A whole frame in what has arrived?
        const size_t open = m_pending.find("{(len=");
        if (open != std::string::npos) {
            const size_t close = m_pending.find(')', open);
            if (close != std::string::npos) {
                const long length = std::strtol(m_pending.c_str() + open + 6, nullptr, 10);
                if (length >= 0 && m_pending.size() >= close + 1 + static_cast<size_t>(length) + 1) {
                    std::string payload = m_pending.substr(close + 1, static_cast<size_t>(length));
                    m_pending.erase(0, close + 1 + static_cast<size_t>(length) + 1);
                    return payload;
                }
            }
        }
        const int64_t left = deadline - NowMs();
        if (left <= 0 || m_client < 0) return std::nullopt;
        pollfd p{m_client, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) return std::nullopt;
        char buf[65536];
        const ssize_t n = ::recv(m_client, buf, sizeof buf, 0);
        if (n <= 0) return std::nullopt;
        m_pending.append(buf, static_cast<size_t>(n));
    }
}

void FakeServer::CloseClient() {
    if (m_client >= 0) ::close(m_client);
    m_client = -1;
}

void FakeServer::ResetClient() {
    if (m_client < 0) return;
    linger l{1, 0};
    ::setsockopt(m_client, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    ::close(m_client);
    m_client = -1;
}
