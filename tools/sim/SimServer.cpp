#include "SimServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

#include "SimLog.h"
#include "WireText.h"
#include "foundation/HP.h"

namespace {

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

const SimKind kKinds[3] = {SimKind::Stock, SimKind::Future, SimKind::Market};

}  // namespace

SimServer::SimServer(const SimOptions& options, UserBook& users)
    : m_options(options),
      m_users(users),
      m_feed(static_cast<uint32_t>(std::time(nullptr))),
      m_stockBook(false, m_feed),
      m_futureBook(true, m_feed),
      m_stockDesk(TradeProtocol::Stock(), users, m_stockBook, m_connections, options.compress),
      m_futureDesk(TradeProtocol::Futures(), users, m_futureBook, m_connections, options.compress),
      m_marketDesk(users, m_feed, m_connections, options.compress) {}

SimServer::~SimServer() {
    m_connections.clear();
    for (int fd : m_listen)
        if (fd >= 0) ::close(fd);
}

bool SimServer::Start(std::string& error) {
    m_rsa = std::make_unique<RsaKeyPair>();
    if (!m_rsa->Valid()) {
        error = "cannot make the RSA-1024 key";
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) {
            error = std::string("socket: ") + std::strerror(errno);
            return false;
        }
        m_listen[i] = fd;
        int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(static_cast<uint16_t>(m_options.port == 0 ? 0 : m_options.port + i));
        if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
            error = "cannot listen on 127.0.0.1:" + std::to_string(m_options.port == 0 ? 0 : m_options.port + i) +
                    ": " + std::strerror(errno);
            return false;
        }
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port[i] = ntohs(addr.sin_port);
    }
    return true;
}

std::string SimServer::AddressLines() const {
    std::string out;
    for (int i = 0; i < 3; ++i)
        out += std::string(KindName(kKinds[i])) + " tcp://127.0.0.1:" + std::to_string(m_port[i]) + "\n";
    return out;
}

void SimServer::Accept(int listenFd, SimKind kind, double now) {
    for (;;) {
        const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return;
        if (m_connections.size() >= kMaxConnections) {
            SimLog(std::string(KindName(kind)) + " connection refused: too many connections");
            ::close(fd);
            continue;
        }
        auto c = std::make_unique<SimConnection>(fd, kind, m_iNextId++, m_options.compress, now);
        SimLog(c->Name() + " connected");
        if (kind != SimKind::Market && m_options.encryptTrading) {
            // The server starts the key exchange; the client answers with SEND_KEY.
            c->Send(WireText::Message(
                {"REPLY_PUBLIC_KEY", m_rsa->ModulusB64(), m_rsa->ExponentB64(), "", "0", "", "", "", "", "", "0"}));
            c->keyPending = true;
        }
        m_connections[fd] = std::move(c);
    }
}

void SimServer::Close(int fd, const char* why) {
    auto it = m_connections.find(fd);
    if (it == m_connections.end()) return;
    SimLog(it->second->Name() + " closed: " + why);
    m_connections.erase(it);
}

void SimServer::OnPayload(SimConnection& c, const std::string& payload) {
    if (c.keyPending && payload.size() == 128) {
        const auto text = m_rsa->Decrypt(payload);
        NetInfo info;
        const size_t amp = text ? text->find('&') : std::string::npos;
        if (text && amp != std::string::npos && text->compare(0, 9, "SEND_KEY@") == 0 &&
            info.ReadString(std::string_view(*text).substr(0, amp))) {
            std::string key;
            std::string iv;
            HP::DecodeBase64(reinterpret_cast<const unsigned char*>(info.m_strField[1].data()),
                             static_cast<int>(info.m_strField[1].size()), key);
            HP::DecodeBase64(reinterpret_cast<const unsigned char*>(info.m_strField[2].data()),
                             static_cast<int>(info.m_strField[2].size()), iv);
            if (key.size() == 32 && iv.size() == 16) {
                const int id = HP::ToInt(info.m_strField[10]);
                SimLog(c.Name() + " recv SEND_KEY id=" + std::to_string(id));
                c.SetSession(key, iv);
                c.SetEncrypt(true);
                c.keyPending = false;
                c.Send(WireText::Answer("REPLY_SEND_KEY", id));
                return;
            }
        }
        SimLog(c.Name() + " unreadable SEND_KEY ignored");
        return;
    }
    const auto text = c.Open(payload);
    if (!text) {
        SimLog(c.Name() + " payload of " + std::to_string(payload.size()) + " bytes that does not decrypt ignored");
        return;
    }
    OnMessage(c, *text);
}

void SimServer::OnMessage(SimConnection& c, const std::string& text) {
    // Code before the first '@', head from that '@' to the first '&' after it, body after it.
    const size_t at = text.find('@');
    if (text.empty() || at == 0 || at == std::string::npos) {
        SimLog(c.Name() + " malformed message of " + std::to_string(text.size()) + " bytes ignored");
        return;
    }
    const std::string code = text.substr(0, std::min<size_t>(at, 32));
    const size_t amp = text.find('&', at);
    NetInfo head;
    const std::string_view whole(text);
    const std::string_view headText = amp == std::string::npos ? std::string_view() : whole.substr(at, amp - at);
    const std::string_view body = amp == std::string::npos ? std::string_view() : whole.substr(amp + 1);
    if (amp == std::string::npos || !head.ReadString(headText)) {
        SimLog(c.Name() + " recv " + code + " with an unreadable head");
        if (code == "MARKET01" && c.Kind() == SimKind::Market) c.Send(WireText::Answer("MARKET01", 0, "10024"));
        return;
    }
    std::string line = c.Name() + " recv " + code + " id=" + std::string(head.m_strField[10].substr(0, 16)) +
                       " body=" + std::to_string(body.size());
    if ((code == "LOGINHK1" || code == "LOGIN001") && !body.empty())
        line += " user=" + std::string(body.substr(0, std::min<size_t>(body.find('@'), 64)));
    SimLog(line);

    if (code == "GETTTIME" || code == "TEST001") {
        c.Send("TEST0001@@@@@@@@@@&");
        return;
    }
    if (c.keyPending) {
        // Plain messages that crossed the server's key offer: the library sends its login again
        // once the exchange is done.
        SimLog(c.Name() + " " + code + " ignored until the key exchange is done");
        if (code == "LOGINHK1" || code == "LOGIN001") c.deferredLoginId = HP::ToInt(head.m_strField[10]);
        return;
    }
    if (code == "REQ_PUBLIC_KEY") {
        c.SetEncrypt(false);
        c.Send(WireText::Message({"REPLY_PUBLIC_KEY", m_rsa->ModulusB64(), m_rsa->ExponentB64(), "", "0", "", "", "",
                                  "", "", std::string(head.m_strField[10])}));
        c.keyPending = true;
        return;
    }
    bool handled = false;
    switch (c.Kind()) {
        case SimKind::Stock:
            handled = m_stockDesk.Handle(c, code, head, body);
            break;
        case SimKind::Future:
            handled = m_futureDesk.Handle(c, code, head, body);
            break;
        case SimKind::Market:
            handled = m_marketDesk.Handle(c, code, head, body);
            break;
    }
    if (!handled) SimLog(c.Name() + " unknown command " + code + " ignored");
}

void SimServer::Timers(double now) {
    if (m_options.rate > 0 && now >= m_dNextPrice) {
        m_dNextPrice = now + 1.0 / m_options.rate;
        m_feed.Step();
        m_marketDesk.Publish();
    }
    if (now >= m_dNextMatch) {
        m_dNextMatch = now + 0.25;
        m_stockDesk.Match();
        m_futureDesk.Match();
    }
    std::vector<int> drop;
    for (auto& [fd, c] : m_connections) {
        const double age = now - c->AcceptedAt();
        if (m_options.forceLogoutAfter > 0 && age >= m_options.forceLogoutAfter && !c->closeAfterFlush) {
            SimLog(c->Name() + " forced logout");
            // Sent as it is, never encrypted: the client looks for the text in the raw bytes.
            c->SendRaw(WireText::Frame("FORCE_LOGOUT@@@@@@@@@@&"));
            c->closeAfterFlush = true;
        } else if (m_options.dropAfter > 0 && age >= m_options.dropAfter) {
            drop.push_back(fd);
        }
    }
    for (int fd : drop) Close(fd, "--drop-after");
}

void SimServer::Run(volatile std::sig_atomic_t& stop) {
    std::vector<pollfd> fds;
    std::vector<std::string> payloads;
    while (stop == 0) {
        fds.clear();
        for (int fd : m_listen) fds.push_back(pollfd{fd, POLLIN, 0});
        for (auto& [fd, c] : m_connections)
            fds.push_back(pollfd{fd, static_cast<short>(POLLIN | (c->WantsWrite() ? POLLOUT : 0)), 0});
        const int n = ::poll(fds.data(), fds.size(), 20);
        if (n < 0 && errno != EINTR) {
            SimLog(std::string("poll: ") + std::strerror(errno));
            break;
        }
        const double now = Now();
        if (n > 0) {
            for (size_t i = 0; i < 3; ++i)
                if (fds[i].revents & POLLIN) Accept(fds[i].fd, kKinds[i], now);
            for (size_t i = 3; i < fds.size(); ++i) {
                if (fds[i].revents == 0) continue;
                auto it = m_connections.find(fds[i].fd);
                if (it == m_connections.end()) continue;
                SimConnection& c = *it->second;
                if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                    payloads.clear();
                    const bool open = c.ReadInput(payloads);
                    for (const auto& p : payloads) OnPayload(c, p);
                    if (!open) {
                        c.Flush();
                        c.WriteOutput();
                        Close(fds[i].fd, "by the client");
                        continue;
                    }
                }
            }
        }
        Timers(now);
        std::vector<int> broken;
        for (auto& [fd, c] : m_connections) {
            c->Flush();
            // A failed write, or everything written of a connection to be closed.
            if (!c->WriteOutput() || (c->closeAfterFlush && !c->WantsWrite())) broken.push_back(fd);
        }
        for (int fd : broken) Close(fd, "closed by the server");
    }
    SimLog("stopping");
}
