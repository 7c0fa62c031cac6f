#include "net/CAsynSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "net/FrameScanner.h"
#include "net/NetTiming.h"

std::atomic<int64_t> CAsynSocket::m_iTimeCreate{0};

namespace {

bool Transient(int error) {
    return error == EINTR || error == EAGAIN || error == EINPROGRESS || error == EWOULDBLOCK;
}

void SleepMs(int64_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

constexpr char kForceLogout[] = "FORCE_LOGOUT";
constexpr size_t kForceLength = sizeof kForceLogout - 1;

}  // namespace

CAsynSocket::CAsynSocket() = default;

CAsynSocket::~CAsynSocket() {
    if (m_pThread && m_pThread->joinable()) {
        if (OnReceiveThread()) {
            m_pThread->detach();
        } else {
            m_bStop = true;
            const int fd = m_iSocket.load();
            if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
            m_pThread->join();
        }
    }
    CloseSocket();
}

int64_t CAsynSocket::NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void CAsynSocket::RegisterServer(const std::string& address) {
    RecordActionLog("RegisterServer : " + address);
    const size_t slashes = address.find("//");
    if (slashes == std::string::npos) return;
    const std::string rest = address.substr(slashes + 2);
    const size_t colon = rest.find(':');
    if (colon == std::string::npos) return;
    const std::string host = rest.substr(0, colon);
    const std::string port = rest.substr(colon + 1);
    in_addr addr{};
    if (inet_pton(AF_INET, host.c_str(), &addr) == 1)
        m_lServerIp = addr.s_addr;
    else
        m_lServerIp = 4294967295u;
    m_usServerPort = static_cast<uint16_t>(std::strtol(port.c_str(), nullptr, 10));
}

bool CAsynSocket::CreateInstance() {
    m_bStop = false;
    const NetTimingValues timing = NetTiming::Get();
    const int64_t now = static_cast<int64_t>(time(nullptr));
    if (now - m_iTimeCreate.load() < timing.createSpacingSec) {
        RecordActionLog("连续创建等待");
        SleepMs(timing.createWaitMs);
    }
    m_iTimeCreate = static_cast<int64_t>(time(nullptr));
    RecordActionLog("创建接收缓冲区");
    if (!AllocateReceiveBuffer()) return false;
    RecordActionLog("启动接收线程");
    m_pThread = std::make_unique<std::thread>([this] {
        m_idThread = std::this_thread::get_id();
        ThreadProc();
        if (m_bReleaseOnExit) {
            m_pThread->detach();
            OnDeferredRelease();  // may delete this object: nothing after it touches a member
        }
    });
    return true;
}

bool CAsynSocket::ConnectServer() {
    ++m_lReconnectCount;
    char text[128];
    std::snprintf(text, sizeof text, "ReconnectCount = %d", static_cast<int>(m_lReconnectCount.load()));
    RecordLinkLog(text);

    RecordLinkLog("CreateSocket");
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) {
        RecordLinkError("Socket errno=%d", errno);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_mtxSend);
        m_iSocket = fd;
    }
    const int size = static_cast<int>(kRecvBufferSize);
    RecordLinkLog("SetSendBuffer");
    if (::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size) != 0) {
        RecordLinkError("Sndbuf errno=%d", errno);
        return false;
    }
    RecordLinkLog("SetRecvBuffer");
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size) != 0) {
        RecordLinkError("Rcvbuf errno=%d", errno);
        return false;
    }
    m_addrServer = sockaddr_in{};
    m_addrServer.sin_family = AF_INET;
    m_addrServer.sin_port = htons(m_usServerPort.load());
    m_addrServer.sin_addr.s_addr = static_cast<uint32_t>(m_lServerIp.load() & 0xffffffffu);
    RecordLinkLog("ConnectServer");
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&m_addrServer), sizeof m_addrServer) != 0) {
        RecordLinkError("Connect errno=%d", errno);
        return false;
    }
    RecordLinkLog("NonBlocking");
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) {
        RecordLinkError("nonblocking errno=%d", errno);
        return false;
    }
    RecordLinkLog("GetSockName");
    sockaddr_in local{};
    socklen_t len = sizeof local;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len) != 0) {
        RecordLinkError("getsockname errno=%d", errno);
        return false;
    }
    const auto* b = reinterpret_cast<const unsigned char*>(&local.sin_addr.s_addr);
    std::snprintf(text, sizeof text, "LocalIP = %d.%d.%d.%d:%d", b[0], b[1], b[2], b[3], ntohs(local.sin_port));
    RecordLinkLog(text);
    m_lConnectTime = NowMs();
    return true;
}

void CAsynSocket::CloseSocket() {
    std::lock_guard<std::mutex> lock(m_mtxSend);
    const int fd = m_iSocket.exchange(-1);
    if (fd >= 0) ::close(fd);
}

int CAsynSocket::ThreadProc() {
    for (;;) {
        if (m_bStop) {
            m_bLoginReplied = false;
            m_bStop = false;
            m_bConnected = false;
            m_lErrorCode = 0;
            m_lSocketErrno = 0;
            m_lReconnectCount = 0;
            m_lLastActiveTime = 0;
            return 0;
        }
        m_lErrorCode = 0;
        m_lSocketErrno = 0;
        m_lLastActiveTime = 0;
        m_bConnected = false;
        m_bLoginReplied = false;
        OnResetSystem();
        if (ConnectServer() && !m_bStop) {
            m_bConnected = true;
            OnSocketConnect();
            ReceiveData();
        }
        m_bConnected = false;
        CloseSocket();
        const int64_t wait = NetTiming::Get().reconnectWaitMs;
        for (int64_t waited = 0; waited < wait && !m_bStop;) {
            const int64_t step = wait - waited < 200 ? wait - waited : 200;
            SleepMs(step);
            waited += step;
        }
        // A stop requested while waiting ends the thread at the top of the loop.
    }
}

void CAsynSocket::ReceiveData() {
    try {
        m_lLastActiveTime = NowMs();
        m_nReadTail = 0;
        for (;;) {
            if (m_bStop) return;
            const int fd = m_iSocket.load();
            const int64_t waitMs = NetTiming::Get().selectWaitMs;
            int ready = 0;
            int waitErrno = 0;
            if (fd >= 0) {
                pollfd p{fd, POLLIN, 0};
                ready = ::poll(&p, 1, static_cast<int>(waitMs));
                if (ready < 0) waitErrno = errno;
            } else {
                SleepMs(waitMs);
            }
            if (m_bStop) return;
            if (m_lErrorCode.load() != 0) throw NetException{"发送异常"};
            if (ready < 0) {
                m_lSocketErrno = waitErrno;
                if (!Transient(waitErrno)) {
                    m_lErrorCode = 4007;
                    throw NetException{"选择异常"};
                }
            } else if (ready > 0) {
                const int64_t room = m_bufRecv.Free();
                uint8_t* at = m_bufRecv.Data() + m_bufRecv.Length();
                const ssize_t n = ::recv(fd, at, static_cast<size_t>(room), MSG_NOSIGNAL);
                const int readErrno = errno;
                if (n > 0) {
                    if (!HandleReceived(static_cast<size_t>(n))) continue;
                } else if (n < 0) {
                    m_lSocketErrno = readErrno;
                    if (Transient(readErrno)) {
                        m_lErrorCode = 0;
                        m_lLastActiveTime = NowMs();
                    } else {
                        m_lErrorCode = 4003;
                        CloseSocket();
                    }
                } else if (room > 0) {
                    m_lErrorCode = 4004;
                    m_lSocketErrno = readErrno;
                    CloseSocket();
                }
                if (m_lErrorCode.load() != 0) throw NetException{"接收异常"};
            }
            const int64_t now = NowMs();
            if (m_bLoginReplied) {
                const int64_t idle = (now - m_lLastActiveTime) / 1000;
                if (idle >= m_lHeartBeatTimeout.load()) {
                    m_lLastActiveTime = now;
                    if (m_bHeartBeatCheck.load()) {
                        if (m_lHeartBeatLeft == 0) throw NetException{"心跳异常"};
                        OnSendHeartBeat();
                        OnSocketHeartBeat(idle);
                        m_lHeartBeatLeft.Decrement();
                    } else {
                        OnSendHeartBeat();
                    }
                }
            } else if (now - m_lConnectTime > NetTiming::Get().loginWaitMs) {
                m_lSocketErrno = 0;
                m_lErrorCode = 4008;
                throw NetException{"服务器无响应"};
            }
        }
    } catch (const NetException& e) {
        RecordActionLog(e.m_pText);
        if (!m_bStop && m_bConnected) OnSocketDisconnect();
    } catch (...) {
        RecordActionLog("未知异常");
    }
}

bool CAsynSocket::SeesForcedLogout(const uint8_t* data, size_t n) {
    static_assert(sizeof m_szReadTail == kForceLength - 1, "the tail holds all but one byte of the text");
    bool found = FrameScanner::Contains(data, n, kForceLogout);
    if (!found && m_nReadTail > 0) {
        char joined[2 * kForceLength];
        const size_t head = n < kForceLength - 1 ? n : kForceLength - 1;
        std::memcpy(joined, m_szReadTail, m_nReadTail);
        std::memcpy(joined + m_nReadTail, data, head);
        found = memmem(joined, m_nReadTail + head, kForceLogout, kForceLength) != nullptr;
    }
    constexpr size_t room = sizeof m_szReadTail;
    if (n >= room) {
        std::memcpy(m_szReadTail, data + n - room, room);
        m_nReadTail = room;
    } else {
        const size_t keep = m_nReadTail < room - n ? m_nReadTail : room - n;
        std::memmove(m_szReadTail, m_szReadTail + m_nReadTail - keep, keep);
        std::memcpy(m_szReadTail + keep, data, n);
        m_nReadTail = keep + n;
    }
    return found;
}

bool CAsynSocket::HandleReceived(size_t n) {
    const uint8_t* at = m_bufRecv.Data() + m_bufRecv.Length();
    if (SeesForcedLogout(at, n)) {
        m_bStop = true;
        return false;
    }
    m_lSocketErrno = 0;
    m_lErrorCode = 0;
    m_lHeartBeatLeft = 2;
    m_lLastActiveTime = NowMs();
    m_bufRecv.SetLength(m_bufRecv.Length() + static_cast<int64_t>(n));
    try {
        OnProcessRecv();
    } catch (...) {
        RecordActionLog("客户代码异常");
        m_bufRecv.SetLength(0);
    }
    // What is left fills the whole buffer and can never complete: discard it.
    if (m_bufRecv.Length() >= m_bufRecv.Capacity()) m_bufRecv.SetLength(0);
    return true;
}

bool CAsynSocket::ReceiveForTest(const uint8_t* data, size_t length) {
    while (length > 0) {
        const size_t room = static_cast<size_t>(m_bufRecv.Free());
        if (room == 0) return true;  // no buffer
        const size_t n = length < room ? length : room;
        std::memcpy(m_bufRecv.Data() + m_bufRecv.Length(), data, n);
        if (!HandleReceived(n)) return false;
        data += n;
        length -= n;
    }
    return true;
}

bool CAsynSocket::AllocateReceiveBuffer() {
    m_bufRecv.Destroy();
    return m_bufRecv.Allocate(kRecvBufferSize);
}

int CAsynSocket::SendFrame(const unsigned char* data, long length, long delayMs) {
    if (!m_bConnected || length < 0 || static_cast<size_t>(length) > FrameScanner::kMaxSendPayload) return -1;
    char header[32];
    const size_t headerLength = FrameScanner::WriteHeader(header, static_cast<size_t>(length));
    const size_t total = headerLength + static_cast<size_t>(length) + 1;
    int result;
    {
        // One lock: a frame is one unit on the wire, whichever threads send.
        std::lock_guard<std::mutex> lock(m_mtxSend);
        const int fd = m_iSocket.load();
        iovec parts[3] = {{header, headerLength},
                          {const_cast<unsigned char*>(data), static_cast<size_t>(length)},
                          {const_cast<char*>("}"), 1}};
        size_t sent = 0;
        int64_t deadline = 0;  // set when a short write first needs one: most frames go in one call
        int failure = 0;       // 0 none, 1 error, 2 zero bytes
        int sendErrno = 0;
        while (sent < total) {
            // Skip what is already on the wire.
            iovec rest[3];
            int count = 0;
            size_t skip = sent;
            for (const iovec& part : parts) {
                if (skip >= part.iov_len) {
                    skip -= part.iov_len;
                    continue;
                }
                rest[count].iov_base = static_cast<char*>(part.iov_base) + skip;
                rest[count].iov_len = part.iov_len - skip;
                skip = 0;
                ++count;
            }
            msghdr msg{};
            msg.msg_iov = rest;
            msg.msg_iovlen = static_cast<size_t>(count);
            const ssize_t n = fd >= 0 ? ::sendmsg(fd, &msg, MSG_NOSIGNAL) : -1;
            sendErrno = fd >= 0 ? errno : EBADF;
            if (n > 0) {
                sent += static_cast<size_t>(n);
                continue;
            }
            if (n == 0) {
                failure = 2;
                break;
            }
            if (!Transient(sendErrno)) {
                failure = 1;
                break;
            }
            // The send buffer is full. Wait for room, but only for a bounded time: a peer that
            // stopped reading must not hold this caller (and every other sender) for ever. When the
            // time is up the connection is given up (4005) and the connection cycle reconnects.
            // A stop request (Release) ends the wait at once.
            if (deadline == 0) deadline = NowMs() + NetTiming::Get().sendCompleteMs;
            const int64_t left = deadline - NowMs();
            if (left <= 0 || m_bStop) {
                failure = 1;
                sendErrno = ETIMEDOUT;
                break;
            }
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, static_cast<int>(left < 100 ? left : 100));
        }
        if (failure == 0) {
            m_lErrorCode = 0;
            m_lSocketErrno = 0;
            m_lLastActiveTime = NowMs();
            result = static_cast<int>(total);
        } else {
            m_lSocketErrno = sendErrno;
            m_lErrorCode = failure == 2 ? 4006 : 4005;
            // The receive thread may be waiting on this descriptor: shut it down and let that thread
            // close it, so the number is never reused under it.
            if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
            result = failure == 2 ? 0 : -1;
        }
    }
    if (result != 0 && !(result < 0 && m_lErrorCode.load() != 0)) SleepMs(delayMs);
    return result;
}

bool CAsynSocket::OnReceiveThread() const {
    return m_pThread != nullptr && m_idThread.load() == std::this_thread::get_id();
}

bool CAsynSocket::StopReceiveThread() {
    m_bStop = true;
    {
        std::lock_guard<std::mutex> lock(m_mtxSend);
        const int fd = m_iSocket.load();
        if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
    }
    if (OnReceiveThread()) {
        m_bReleaseOnExit = true;
        return false;
    }
    if (m_pThread && m_pThread->joinable()) m_pThread->join();
    m_pThread.reset();
    CloseSocket();
    return true;
}
