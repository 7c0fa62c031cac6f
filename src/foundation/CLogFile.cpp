#include "foundation/CLogFile.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::string_view kTagAction = " [动] ";
constexpr std::string_view kTagLink = " [连] ";
constexpr std::string_view kTagSend = " [发] ";
constexpr std::string_view kTagRecv = " [收] ";
constexpr std::string_view kTagError = "[错误 ] ";

// Received messages with these command codes carry credentials; only their first 8 bytes are logged.
constexpr std::string_view kLoginCodes[] = {"LOGIN001", "LOGIN002", "LOGIN003", "LOGINHK1", "LogHisLs"};
constexpr size_t kLoginLogBytes = 8;

// Formatted texts are cut to this size minus one.
constexpr size_t kFormatBuffer = 4096;

constexpr size_t kStampBuffer = 96;

void SystemClock(time_t* seconds, long* microseconds) {
    timeval now{};
    gettimeofday(&now, nullptr);
    *seconds = now.tv_sec;
    *microseconds = static_cast<long>(now.tv_usec);
}

tm LocalTime(time_t seconds) {
    tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        std::memset(&local, 0, sizeof local);
    }
    return local;
}

int64_t DateOf(const tm& local) {
    return static_cast<int64_t>(local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

size_t FormatStamp(const tm& local, long microseconds, char (&stamp)[kStampBuffer]) {
    int written = std::snprintf(stamp, sizeof stamp, "【%04d-%02d-%02d %02d:%02d:%02d.%03d】", local.tm_year + 1900,
                                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                                static_cast<int>(microseconds / 1000));
    if (written < 0) {
        return 0;
    }
    return static_cast<size_t>(written) < sizeof stamp ? static_cast<size_t>(written) : sizeof stamp - 1;
}

// The format comes from the printf-checked callers (RecordError, RecordLinkError).
__attribute__((format(printf, 2, 0))) std::string_view FormatInto(char (&buffer)[kFormatBuffer], const char* format,
                                                                  va_list args) {
    if (format == nullptr) {
        return std::string_view();
    }
    int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (written < 0) {
        return std::string_view();
    }
    size_t length = static_cast<size_t>(written) < sizeof buffer ? static_cast<size_t>(written) : sizeof buffer - 1;
    return std::string_view(buffer, length);
}

}  // namespace

CLogFile::~CLogFile() {
    std::lock_guard<std::mutex> lock(m_mtxLog);
    if (m_ofsLog.is_open()) {
        m_ofsLog.close();
    }
}

void CLogFile::SwitchLogFolder() {
    if (!m_bWriteLog) {
        return;
    }
    time_t seconds = 0;
    long microseconds = 0;
    ClockFn clock = m_pfnClock.load();
    (clock != nullptr ? clock : SystemClock)(&seconds, &microseconds);
    std::lock_guard<std::mutex> lock(m_mtxLog);
    if (DateOf(LocalTime(seconds)) != m_lLogDate) {
        SwitchLocked(seconds);
    }
}

// Called with m_mtxLog held when the local date of `now` differs from the open folder's date.
void CLogFile::SwitchLocked(time_t now) {
    m_lLogDate = DateOf(LocalTime(now));

    std::string base;
    if (!m_strLogDir.empty()) {
        base = m_strLogDir;
    } else {
        char cwd[260];
        // A working folder too long for the buffer falls back to the relative form of the same place.
        base = getcwd(cwd, sizeof cwd) != nullptr ? cwd : ".";
        base += "/CoreLog";
    }
    mkdir(base.c_str(), 0700);
    std::string day = base + "/" + std::to_string(m_lLogDate);
    mkdir(day.c_str(), 0700);

    if (m_ofsLog.is_open()) {
        m_ofsLog.close();
    }
    m_ofsLog.clear();
    // On failure the stream stays failed and lines are dropped until the date changes.
    m_ofsLog.open(day + "/" + m_strLogFile, std::ios::out | std::ios::app);
}

void CLogFile::WriteLine(std::string_view tag, std::string_view prefix, std::string_view text) {
    if (!m_bWriteLog) {
        return;
    }
    time_t seconds = 0;
    long microseconds = 0;
    ClockFn clock = m_pfnClock.load();
    (clock != nullptr ? clock : SystemClock)(&seconds, &microseconds);
    tm local = LocalTime(seconds);
    char stamp[kStampBuffer];
    size_t stampLength = FormatStamp(local, microseconds, stamp);
    int64_t date = DateOf(local);

    std::lock_guard<std::mutex> lock(m_mtxLog);
    if (date != m_lLogDate) {
        SwitchLocked(seconds);
    }
    if (!m_ofsLog.is_open()) {
        return;
    }
    // An earlier write error does not silence the rest of the day.
    m_ofsLog.clear();
    m_ofsLog.write(stamp, static_cast<std::streamsize>(stampLength));
    m_ofsLog.write(tag.data(), static_cast<std::streamsize>(tag.size()));
    m_ofsLog.write(prefix.data(), static_cast<std::streamsize>(prefix.size()));
    m_ofsLog.write(text.data(), static_cast<std::streamsize>(text.size()));
    m_ofsLog.put('\n');
    m_ofsLog.flush();
}

void CLogFile::RecordActionLog(std::string_view text) {
    WriteLine(kTagAction, std::string_view(), text);
}

void CLogFile::RecordLinkLog(std::string_view text) {
    WriteLine(kTagLink, std::string_view(), text);
}

void CLogFile::RecordLinkError(const char* format, ...) {
    if (!m_bWriteLog) {
        return;
    }
    char buffer[kFormatBuffer];
    va_list args;
    va_start(args, format);
    std::string_view text = FormatInto(buffer, format, args);
    va_end(args);
    WriteLine(kTagLink, std::string_view(), text);
}

void CLogFile::RecordError(const char* format, ...) {
    if (!m_bWriteLog) {
        return;
    }
    char buffer[kFormatBuffer];
    va_list args;
    va_start(args, format);
    std::string_view text = FormatInto(buffer, format, args);
    va_end(args);
    WriteLine(kTagError, std::string_view(), text);
}

void CLogFile::RecordSendLog(std::string_view text, int result) {
    if (!m_bWriteLog) {
        return;
    }
    char prefix[16];
    int written = std::snprintf(prefix, sizeof prefix, "(%d)", result);
    size_t length = written < 0 ? 0 : static_cast<size_t>(written);
    WriteLine(kTagSend, std::string_view(prefix, length < sizeof prefix ? length : sizeof prefix - 1), text);
}

void CLogFile::RecordRecvLog(std::string_view text) {
    if (!m_bWriteLog) {
        return;
    }
    for (std::string_view code : kLoginCodes) {
        if (text.find(code) != std::string_view::npos) {
            text = text.substr(0, kLoginLogBytes);
            break;
        }
    }
    WriteLine(kTagRecv, std::string_view(), text);
}

void CLogFile::RecordApiVersion(const char* kind) {
    if (!m_bWriteLog) {
        return;
    }
    char text[320];
    int written =
        std::snprintf(text, sizeof text, "Quintara %s Api Version : %s", kind != nullptr ? kind : "", "1.18.2.0");
    size_t length = written < 0 ? 0 : static_cast<size_t>(written);
    WriteLine(kTagAction, std::string_view(), std::string_view(text, length < sizeof text ? length : sizeof text - 1));
}

int CLogFile::CreatLogDir(const std::string& folder) {
    if (folder.empty() || folder == "./") {
        return -1;
    }
    std::string path = folder;
    char last = path.back();
    if (last != '/' && last != '\\') {
        path += '/';
        if (folder.size() > 1 && path.compare(0, 3, ".//") == 0) {
            return -1;
        }
    }
    for (size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (i == 0) {
            if (c == '/' && access("/", F_OK) != 0) {
                return -1;
            }
            continue;
        }
        if (c != '/' && c != '\\') {
            continue;
        }
        path[i] = '\0';
        if (access(path.c_str(), F_OK) != 0 && mkdir(path.c_str(), 0755) != 0) {
            std::fputs("error dir\n", stdout);
            std::fflush(stdout);
            return -1;
        }
        path[i] = '/';
    }
    std::fputs("Log dir is:", stdout);
    std::fputs(path.c_str(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    return 0;
}

std::string CLogFile::GetDateTime(time_t seconds, long microseconds) {
    char stamp[kStampBuffer];
    size_t length = FormatStamp(LocalTime(seconds), microseconds, stamp);
    return std::string(stamp, length);
}
