#pragma once

#include <netinet/in.h>

#include <atomic>
#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "foundation/CDynBuffer.h"
#include "foundation/CLockBool.h"
#include "foundation/CLockLong.h"
#include "foundation/CLogFile.h"

struct NetTimingValues;

// Thrown inside the receive loop to end a connection; never leaves ReceiveData.
struct NetException {
    const char* m_pText;
};

// The socket layer of every API object: server address, TCP connection, receive thread with its
// connection cycle (reconnecting every 10 seconds), frame sending and liveness.
//
// Threads: the receive thread runs ThreadProc, ReceiveData and every virtual On... below. SendFrame
// may be called from any thread; one send lock makes each frame one unit on the wire. Only the
// receive thread (or a stopper after joining it) closes the descriptor; a failing sender on another
// thread shuts it down and leaves the close to the connection cycle.
//
// Error code: the first failure of a connection is kept (later clears do not hide it) until the
// next connection attempt resets it.
//
// A derived class must stop the receive thread (StopReceiveThread) in its own destructor: the
// thread calls its overrides, which are gone once this destructor runs.
class CAsynSocket : public CLogFile {
public:
    static constexpr int64_t kRecvBufferSize = 4194304;

    CAsynSocket();
    ~CAsynSocket() override;

    // "scheme://a.b.c.d:port"; anything else leaves the address unchanged (see the .cpp).
    void RegisterServer(const std::string& address);
    // Allocates the receive buffer and starts the receive thread.
    bool CreateInstance();
    // One connection attempt (receive thread).
    bool ConnectServer();
    // The connection cycle; returns 0 when the thread ends.
    int ThreadProc();
    // The receive loop of one connection.
    void ReceiveData();

    // Frames `data` and sends it whole (completing short writes within a bounded time), then sleeps
    // delayMs when the send was not a hard failure. Returns the payload... see the .cpp for the
    // exact result values (-1, 0 or the byte count reported).
    int SendFrame(const unsigned char* data, long length, long delayMs);

    // Stops the receive thread. From an application thread: sets the stop flag, shuts the socket
    // down, joins the thread, closes the socket; returns true. From the receive thread itself (an
    // event handler): sets the stop flag, shuts the socket down and arranges for OnDeferredRelease
    // to run on that thread once it has left the connection cycle; returns false.
    bool StopReceiveThread();
    bool OnReceiveThread() const;

    // Internal, for harnesses that drive an object without a connection (never while its receive
    // thread runs): hands `length` bytes to the receive path as if one read had returned them, at
    // most what the receive buffer has room for (it is allocated on first use). Returns the count
    // taken.
    int64_t InjectReceived(const uint8_t* data, size_t length);

    // Socket-layer operations implemented above this layer.
    virtual int OnProcessRecv() = 0;
    virtual void OnResetSystem() = 0;
    virtual void OnSendHeartBeat() = 0;
    virtual void OnSocketConnect() = 0;
    virtual void OnSocketDisconnect() = 0;
    virtual void OnSocketHeartBeat(long long seconds) = 0;
    virtual void OnSocketCommand(unsigned char* message, long length) = 0;
    // Runs on the receive thread after it left the cycle, when StopReceiveThread was called from
    // that thread; the override finishes the release (and may delete the object).
    virtual void OnDeferredRelease() {}

    static int64_t NowMs();

protected:
    void CloseSocket();  // shuts m_iSocket down, closes it under the send lock, sets it to -1

    CLockBool m_bConnected;
    CLockBool m_bStop;
    // m_bWriteLog lives in CLogFile.
    CLockBool m_bLoginReplied;
    CLockLong m_lHeartBeatLeft{2};
    CLockLong m_lLastActiveTime;
    CLockLong m_lConnectTime;
    // m_ofsLog lives in CLogFile.
    CDynBuffer m_bufRecv;
    timespec m_tsNow{};
    sockaddr_in m_addrServer{};
    std::atomic<int> m_iSocket{-1};
    std::unique_ptr<std::thread> m_pThread;
    std::atomic<int64_t> m_lHeartBeatTimeout{86400};
    std::atomic<bool> m_bHeartBeatCheck{true};
    std::atomic<int64_t> m_lErrorCode{0};
    std::atomic<int64_t> m_lSocketErrno{0};
    std::atomic<int64_t> m_lReconnectCount{0};
    std::atomic<uint64_t> m_lServerIp{0};
    std::atomic<uint16_t> m_usServerPort{0};

    static std::atomic<int64_t> m_iTimeCreate;

private:
    void RunReceiveThread();
    // Sets m_lErrorCode to `code` unless a failure is already recorded; returns whether it did.
    bool SetFailure(int64_t code);
    // Connects `fd` to m_addrServer, waiting in slices so that a stop request ends the wait.
    bool ConnectSocket(int fd);
    // The `count` bytes just read into the free end of the receive buffer: they join the buffer and
    // the complete frames go up (an exception from above empties the buffer). Returns false, the
    // bytes unprocessed and the stop flag set, when they contain "FORCE_LOGOUT".
    bool TakeReceived(int64_t count);
    void CheckLiveness(const NetTimingValues& timing);
    void NotifyDisconnect();
    void ShutdownSocket();
    void WaitBeforeReconnect();

    std::mutex m_mtxSend;    // one frame at a time; held while a descriptor is in use for sending
    std::mutex m_mtxSocket;  // guards shutdown and close of the descriptor (taken after m_mtxSend)
    std::mutex m_mtxThread;  // guards m_pThread
    std::atomic<bool> m_bReleaseOnExit{false};
    std::atomic<bool> m_bThreadRunning{false};
    std::atomic<std::thread::id> m_idThread{};
};
