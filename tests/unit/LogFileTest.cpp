#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "foundation/CLogFile.h"

namespace fs = std::filesystem;

namespace {

class TestLog : public CLogFile {
public:
    using CLogFile::m_bWriteLog;
    using CLogFile::m_lLogDate;
    using CLogFile::m_strLogDir;
    using CLogFile::m_strLogFile;
};

std::atomic<time_t> g_clockSeconds{0};
std::atomic<long> g_clockMicros{0};

void FixedClock(time_t* seconds, long* microseconds) {
    *seconds = g_clockSeconds.load();
    *microseconds = g_clockMicros.load();
}

time_t LocalSeconds(int year, int month, int day, int hour, int minute, int second) {
    tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return mktime(&local);
}

void SetClock(time_t seconds, long microseconds) {
    g_clockSeconds = seconds;
    g_clockMicros = microseconds;
}

std::vector<std::string> ReadLines(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Splits a line into its time stamp "【yyyy-mm-dd hh:mm:ss.mmm】" and the rest; the stamp is empty when
// the line does not begin with one.
std::pair<std::string, std::string> SplitStamp(const std::string& line) {
    const std::string open = "【";
    const std::string close = "】";
    const std::string shape = "dddd-dd-dd dd:dd:dd.ddd";
    const size_t length = open.size() + shape.size() + close.size();
    if (line.size() < length || line.compare(0, open.size(), open) != 0 ||
        line.compare(open.size() + shape.size(), close.size(), close) != 0) {
        return {std::string(), line};
    }
    for (size_t i = 0; i < shape.size(); ++i) {
        char c = line[open.size() + i];
        bool fits = shape[i] == 'd' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == shape[i];
        if (!fits) {
            return {std::string(), line};
        }
    }
    return {line.substr(0, length), line.substr(length)};
}

class ScopedWorkingFolder {
public:
    explicit ScopedWorkingFolder(const fs::path& folder) : m_old(fs::current_path()) { fs::current_path(folder); }
    ~ScopedWorkingFolder() { fs::current_path(m_old); }

private:
    fs::path m_old;
};

class LogFileTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quintara-log-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        SetClock(LocalSeconds(2024, 3, 9, 10, 11, 12), 345678);
        m_log.SetClockForTest(FixedClock);
        m_log.m_bWriteLog = true;
        m_log.m_strLogDir = m_dir.string();
        m_log.m_strLogFile = "t.log";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    fs::path DayFile(const std::string& day) const { return m_dir / day / "t.log"; }

    fs::path m_dir;
    TestLog m_log;
};

TEST(LogStamp, GetDateTimeFormatsLocalTimeAndMilliseconds) {
    EXPECT_EQ(CLogFile::GetDateTime(LocalSeconds(2024, 1, 2, 3, 4, 5), 678901), "【2024-01-02 03:04:05.678】");
    EXPECT_EQ(CLogFile::GetDateTime(LocalSeconds(1999, 12, 31, 23, 59, 59), 999), "【1999-12-31 23:59:59.000】");
}

TEST_F(LogFileTest, DefaultFolderIsCoreLogDayBelowWorkingFolder) {
    TestLog log;
    log.SetClockForTest(FixedClock);
    log.m_bWriteLog = true;
    {
        ScopedWorkingFolder cwd(m_dir);
        log.RecordActionLog("hello");
    }
    EXPECT_EQ(log.m_lLogDate, 20240309);
    fs::path file = m_dir / "CoreLog" / "20240309" / "Any.log";
    EXPECT_EQ(ReadLines(file), std::vector<std::string>{"【2024-03-09 10:11:12.345】 [动] hello"});
    struct stat info {};
    ASSERT_EQ(stat((m_dir / "CoreLog" / "20240309").c_str(), &info), 0);
    mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0700u & ~mask);
}

TEST_F(LogFileTest, LoggingOffCreatesNothing) {
    m_log.m_bWriteLog = false;
    m_log.m_strLogDir = (m_dir / "base").string();
    m_log.SwitchLogFolder();
    m_log.RecordActionLog("a");
    m_log.RecordLinkLog("b");
    m_log.RecordLinkError("%d", 1);
    m_log.RecordError("%d", 2);
    m_log.RecordSendLog("c", 1);
    m_log.RecordRecvLog("d");
    m_log.RecordApiVersion("Stock");
    EXPECT_FALSE(fs::exists(m_dir / "base"));
    EXPECT_EQ(m_log.m_lLogDate, 0);
    EXPECT_FALSE(m_log.LogEnabled());
}

TEST_F(LogFileTest, EachWriterWritesOneTaggedLine) {
    struct Case {
        std::function<void(TestLog&)> write;
        std::string expected;  // the line after its time stamp
    };
    const std::vector<Case> cases = {
        {[](TestLog& l) { l.RecordActionLog("act"); }, " [动] act"},
        {[](TestLog& l) { l.RecordLinkLog("连接成功"); }, " [连] 连接成功"},
        {[](TestLog& l) { l.RecordLinkError("err %d %s", 7, "x"); }, " [连] err 7 x"},
        {[](TestLog& l) { l.RecordError("bad %d", 3); }, "[错误 ] bad 3"},
        {[](TestLog& l) { l.RecordSendLog("ORDER001@x", 42); }, " [发] (42)ORDER001@x"},
        {[](TestLog& l) { l.RecordSendLog("", -1); }, " [发] (-1)"},
        {[](TestLog& l) { l.RecordRecvLog("LOGINHK1@0@@@00000@secret&user@pw"); }, " [收] LOGINHK1"},
        {[](TestLog& l) { l.RecordRecvLog("ORDER001@0@@@00000@&a@b"); }, " [收] ORDER001@0@@@00000@&a@b"},
        {[](TestLog& l) { l.RecordRecvLog("abcdefghij@LogHisLs@x"); }, " [收] abcdefgh"},
        {[](TestLog& l) { l.RecordRecvLog("xxLOGIN002"); }, " [收] xxLOGIN0"},
        {[](TestLog& l) { l.RecordRecvLog("LOGIN004@x"); }, " [收] LOGIN004@x"},
        {[](TestLog& l) { l.RecordRecvLog("MODIFYPW@@@@@@@@@@1&old-pw@new-pw@new-pw"); }, " [收] MODIFYPW"},
        {[](TestLog& l) { l.RecordRecvLog("SetVeriQA@@@@@@@@@@1&q@answer"); }, " [收] SetVeriQ"},
        {[](TestLog& l) { l.RecordApiVersion("Stock"); }, " [动] Quintara Stock Api Version : 1.18.2.0"},
    };
    for (const Case& c : cases) {
        c.write(m_log);
    }
    std::vector<std::string> lines = ReadLines(DayFile("20240309"));
    ASSERT_EQ(lines.size(), cases.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        auto [stamp, rest] = SplitStamp(lines[i]);
        EXPECT_EQ(stamp, "【2024-03-09 10:11:12.345】") << lines[i];
        EXPECT_EQ(rest, cases[i].expected);
    }
}

TEST_F(LogFileTest, FormattedTextsAreCutAt4095Bytes) {
    std::string longText(5000, 'e');
    m_log.RecordError("%s", longText.c_str());
    m_log.RecordLinkError("%s", longText.c_str());
    std::vector<std::string> lines = ReadLines(DayFile("20240309"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(SplitStamp(lines[0]).second, "[错误 ] " + std::string(4095, 'e'));
    EXPECT_EQ(SplitStamp(lines[1]).second, " [连] " + std::string(4095, 'e'));
}

TEST_F(LogFileTest, FirstLineAfterMidnightOpensTheNewDayFile) {
    fs::create_directory(m_dir / "20240310");
    std::ofstream(DayFile("20240310")) << "earlier\n";

    SetClock(LocalSeconds(2024, 3, 9, 23, 59, 59), 999999);
    m_log.RecordActionLog("before");
    SetClock(LocalSeconds(2024, 3, 10, 0, 0, 0), 1000);
    m_log.RecordActionLog("after");

    EXPECT_EQ(ReadLines(DayFile("20240309")), std::vector<std::string>{"【2024-03-09 23:59:59.999】 [动] before"});
    EXPECT_EQ(ReadLines(DayFile("20240310")),
              (std::vector<std::string>{"earlier", "【2024-03-10 00:00:00.001】 [动] after"}));
    EXPECT_EQ(m_log.m_lLogDate, 20240310);
}

TEST_F(LogFileTest, UnopenableLogDropsLinesUntilTheDateChanges) {
    // A plain file where the day folder should be: neither the folder nor the log can be made.
    std::ofstream(m_dir / "20240309") << "not a folder";
    m_log.RecordActionLog("lost");
    m_log.RecordRecvLog("lost too");
    m_log.RecordError("%s", "lost as well");
    EXPECT_EQ(fs::file_size(m_dir / "20240309"), 12u);

    SetClock(LocalSeconds(2024, 3, 10, 8, 0, 0), 0);
    m_log.RecordActionLog("kept");
    EXPECT_EQ(ReadLines(DayFile("20240310")), std::vector<std::string>{"【2024-03-10 08:00:00.000】 [动] kept"});
}

TEST_F(LogFileTest, CreatLogDirTurnsBackslashesIntoFolders) {
    ScopedWorkingFolder cwd(m_dir);
    testing::internal::CaptureStdout();
    int result = CLogFile::CreatLogDir("logs\\day");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(out, "Log dir is:logs/day/\n");
    EXPECT_TRUE(fs::is_directory(m_dir / "logs"));
    EXPECT_TRUE(fs::is_directory(m_dir / "logs" / "day"));
    EXPECT_FALSE(fs::exists(m_dir / "logs\\day"));
    struct stat info {};
    ASSERT_EQ(stat((m_dir / "logs" / "day").c_str(), &info), 0);
    mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0755u & ~mask);
}

TEST_F(LogFileTest, CreatLogDirCases) {
    ScopedWorkingFolder cwd(m_dir);
    std::ofstream("plain") << "x";
    const std::string absolute = (m_dir / "abs" / "x").string();
    struct Case {
        std::string folder;
        int result;
        std::string out;
    };
    const Case cases[] = {
        {"", -1, ""},
        {"./", -1, ""},
        {".//x", -1, ""},
        {".", 0, "Log dir is:./\n"},
        {"a/b/", 0, "Log dir is:a/b/\n"},
        {"a/b/c", 0, "Log dir is:a/b/c/\n"},
        {"./rel\\x\\", 0, "Log dir is:./rel/x/\n"},
        {absolute, 0, "Log dir is:" + absolute + "/\n"},
        {"plain/sub", -1, "error dir\n"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        int result = CLogFile::CreatLogDir(c.folder);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(result, c.result) << c.folder;
        EXPECT_EQ(out, c.out) << c.folder;
    }
    EXPECT_TRUE(fs::is_directory(m_dir / "a" / "b" / "c"));
    EXPECT_TRUE(fs::is_directory(m_dir / "rel" / "x"));
    EXPECT_TRUE(fs::is_directory(absolute));
    EXPECT_FALSE(fs::exists(m_dir / "x"));
}

TEST_F(LogFileTest, TwoThreadsNeverInterleaveWithinALine) {
    constexpr int kLines = 2000;
    const std::string payload(300, 'p');
    auto writer = [&](char id) {
        for (int i = 0; i < kLines; ++i) {
            std::string text = std::string(1, id) + "-" + std::to_string(i) + "-" + payload;
            if (i % 2 == 0) {
                m_log.RecordActionLog(text);
            } else {
                m_log.RecordRecvLog(text);
            }
        }
    };
    std::thread first(writer, 'A');
    std::thread second(writer, 'B');
    first.join();
    second.join();

    std::vector<std::string> lines = ReadLines(DayFile("20240309"));
    ASSERT_EQ(lines.size(), 2u * kLines);
    int next[2] = {0, 0};
    for (const std::string& line : lines) {
        auto [stamp, rest] = SplitStamp(line);
        ASSERT_FALSE(stamp.empty()) << line;
        ASSERT_GE(rest.size(), 8u) << line;
        std::string text = rest.substr(7);  // after the 7-byte tag
        ASSERT_TRUE(text[0] == 'A' || text[0] == 'B') << line;
        int& expected = next[text[0] - 'A'];
        const char* tag = expected % 2 == 0 ? " [动] " : " [收] ";
        ASSERT_EQ(rest, tag + std::string(1, text[0]) + "-" + std::to_string(expected) + "-" + payload) << line;
        ++expected;
    }
    EXPECT_EQ(next[0], kLines);
    EXPECT_EQ(next[1], kLines);
}

}  // namespace
