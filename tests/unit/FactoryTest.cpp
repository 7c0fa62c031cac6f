#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "QuintaraApi.h"

using namespace Quintara;

namespace {

// Runs each test in a fresh temporary working folder.
class FactoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quintara-factory-XXXXXX";
        m_dir = mkdtemp(pattern);
        ASSERT_NE(getcwd(m_old, sizeof m_old), nullptr);
        ASSERT_EQ(chdir(m_dir.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(m_old), 0);
        std::string cmd = "rm -rf '" + m_dir + "'";
        (void)std::system(cmd.c_str());
    }
    static std::string Today() {
        time_t now = time(nullptr);
        tm local{};
        localtime_r(&now, &local);
        char text[16];
        strftime(text, sizeof text, "%Y%m%d", &local);
        return text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static bool Exists(const std::string& path) {
        struct stat st {};
        return stat(path.c_str(), &st) == 0;
    }
    std::string m_dir;
    char m_old[4096];
};

TEST_F(FactoryTest, DefaultFolderHoldsTheDatedLogWithVersionAndSystemLines) {
    testing::internal::CaptureStdout();
    CStockApi* api = CStockApi::CreateStockApi(true, "a.log", "");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Log store default dir: ./CoreLog\n");
    api->Release();
    const std::string log = Read("CoreLog/" + Today() + "/a.log");
    EXPECT_NE(log.find(" [动] Quintara Stock Api Version : 1.18.2.0"), std::string::npos);
    EXPECT_NE(log.find(" [动] Linux OS; Machine="), std::string::npos);
    EXPECT_NE(log.find("删除对象"), std::string::npos);
}

TEST_F(FactoryTest, LoggingOffWritesNoLogButCreatesTheGivenFolder) {
    testing::internal::CaptureStdout();
    CFutureApi* api = CFutureApi::CreateFutureApi(false, "f.log", "logs\\day");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Log dir is:logs/day/\nLog store dir: logs\\day\n");
    api->Release();
    EXPECT_TRUE(Exists("logs/day"));
    EXPECT_FALSE(Exists("logs\\day/" + Today()));
    EXPECT_FALSE(Exists("CoreLog"));
}

TEST_F(FactoryTest, MarketObjectLogsIntoTheDefaultFolderAndNullTextsAreEmpty) {
    testing::internal::CaptureStdout();
    CMarketApi* market = CMarketApi::CreateMarketApi(true, nullptr);
    CStockApi* stock = CStockApi::CreateStockApi(false, nullptr, nullptr);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Log store default dir: ./CoreLog\n");  // the market object prints no folder line
    market->Release();
    stock->Release();
    EXPECT_NE(Read("CoreLog/" + Today() + "/Any.log").find("Quintara Market Api Version : 1.18.2.0"),
              std::string::npos);
}

TEST_F(FactoryTest, VersionsAgree) {
    EXPECT_STREQ(CStockApi::GetVersion(), "1.18.2.0");
    EXPECT_STREQ(CFutureApi::GetVersion(), "1.18.2.0");
    EXPECT_STREQ(CMarketApi::GetVersion(), "1.18.2.0");
}

}  // namespace
