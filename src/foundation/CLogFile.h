#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>

#include "foundation/CLockBool.h"

// One text log per API object, one folder per day. Each line is written whole under one lock:
// time stamp, tag, text, line break, flush.
class CLogFile {
public:
    CLogFile() = default;
    virtual ~CLogFile();
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    // Opens the file of today's day folder when the date changed (or on the first call).
    void SwitchLogFolder();

    void RecordActionLog(std::string_view text);                                          // " [动] "
    void RecordLinkLog(std::string_view text);                                            // " [连] "
    void RecordLinkError(const char* format, ...) __attribute__((format(printf, 2, 3)));  // " [连] "
    void RecordError(const char* format, ...) __attribute__((format(printf, 2, 3)));      // "[错误 ] "
    void RecordSendLog(std::string_view text, int result);                                // " [发] " "(%d)" text
    void RecordRecvLog(std::string_view text);  // " [收] ", first 8 bytes of messages with credentials
    void RecordApiVersion(const char* kind);    // "Quintara %s Api Version : %s"

    bool LogEnabled() const { return m_bWriteLog; }

    // Creates the missing folders of `folder` (0755); 0 on success, -1 on failure. Prints
    // "Log dir is:<folder>\n" on success and "error dir\n" when mkdir fails.
    static int CreatLogDir(const std::string& folder);
    // "【yyyy-mm-dd hh:mm:ss.mmm】" of the given clock values.
    static std::string GetDateTime(time_t seconds, long microseconds);

    // Wall clock used for time stamps and the day folder; tests replace it to cross midnight.
    using ClockFn = void (*)(time_t* seconds, long* microseconds);
    void SetClockForTest(ClockFn clock) { m_pfnClock = clock; }

protected:
    CLockBool m_bWriteLog;
    std::ofstream m_ofsLog;
    int64_t m_lLogDate = 0;  // yyyymmdd of the open folder, 0 before the first line (under m_mtxLog)
    std::string m_strLogFile = "Any.log";
    std::string m_strLogDir;

private:
    void WriteLine(std::string_view tag, std::string_view prefix, std::string_view text);
    void SwitchLocked(time_t now);

    std::mutex m_mtxLog;
    std::atomic<ClockFn> m_pfnClock{nullptr};
};
