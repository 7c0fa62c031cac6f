// Whatever the three kinds log, no password, security answer or session key reaches a log file in
// any form a log line could show it (plain, Base64, hex), and the log folders are private.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "QuintaraApi.h"
#include "foundation/HP.h"
#include "support/FutureRecorder.h"
#include "support/MarketSession.h"
#include "support/ServerCrypto.h"
#include "support/StockRecorder.h"
#include "support/TestText.h"
#include "support/TradingSession.h"

using namespace Quintara;
namespace fs = std::filesystem;

namespace {

// Each secret in every form a log could show it.
std::vector<std::string> Forms(const std::string& secret) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(secret.data());
    std::string lower;
    std::string upper;
    char two[3];
    for (unsigned char c : secret) {
        std::snprintf(two, sizeof two, "%02x", c);
        lower += two;
        std::snprintf(two, sizeof two, "%02X", c);
        upper += two;
    }
    std::string b64 = HP::EncodeBase64(bytes, secret.size());
    while (!b64.empty() && b64.back() == '=') b64.pop_back();  // also found inside a longer text
    return {secret, lower, upper, b64};
}

// Every regular file below `dir`, scanned for every form of every secret.
void ExpectNoSecretInAnyFile(const std::string& dir, const std::vector<std::string>& secrets) {
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string content = text.str();
        for (const auto& secret : secrets)
            for (const auto& form : Forms(secret))
                EXPECT_EQ(content.find(form), std::string::npos) << entry.path() << " shows " << form;
    }
    EXPECT_GT(files, 0u) << "no log file below " << dir;
}

mode_t Mode(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::string Today() {
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char day[16];
    std::strftime(day, sizeof day, "%Y%m%d", &local);
    return day;
}

// Sets the file-creation mask for the test and puts the old one back.
struct UmaskGuard {
    UmaskGuard() : old(::umask(022)) {}
    ~UmaskGuard() { ::umask(old); }
    mode_t old;
};

// The request and answer types of the trading kinds, by kind.
template <class Api>
struct Flow;
template <>
struct Flow<CStockApi> {
    using Version = CStockQryVersionField;
    using Password = CStockReqPasswordUpdateField;
    using SetQA = CStockReqSetVerifyQAField;
    using Verify = CStockReqSafeVerifyField;
    using Code = CStockReqVerifyCodeField;
    using Question = CStockReqGetQuestionField;
};
template <>
struct Flow<CFutureApi> {
    using Version = CFutureQryVersionField;
    using Password = CFutureReqPasswordUpdateField;
    using SetQA = CFutureReqSetVerifyQAField;
    using Verify = CFutureReqSafeVerifyField;
    using Code = CFutureReqVerifyCodeField;
    using Question = CFutureReqGetQuestionField;
};

const char kLoginPassword[] = "Pw-Login-8811";
const char kVersionPassword[] = "Pw-Version-2277";
const char kOldPassword[] = "Pw-Old-3366";
const char kNewPassword[] = "Pw-New-4455";
const char kAnswerSet[] = "Answer-Set-5544";
const char kAnswerGiven[] = "Answer-Given-6633";
const char kCodeField[] = "Code-Field-7722";

// Login, a key exchange the server starts, the version query, the password change and every
// verification request, each answered (the answers echo what was sent), all over encryption.
template <class Api, class Recorder>
void RunTradingFlows(TradingSession<Api, Recorder>& s, ServerCrypto& crypto) {
    using Types = Flow<Api>;
    using Traits = ApiFactory<Api>;
    ASSERT_TRUE(s.LogIn(1, kLoginPassword));

    s.Push(crypto.ReplyPublicKey(2));
    const auto key = s.server.ReadFrame(3000);
    ASSERT_TRUE(key.has_value());
    ASSERT_TRUE(crypto.AcceptSendKey(*key).has_value());
    s.Push(crypto.Encrypt("REPLY_SEND_KEY@@@@0@@@@@@3&"));
    const auto relogin = s.server.ReadFrame(3000);
    ASSERT_TRUE(relogin.has_value());
    ASSERT_NE(crypto.Decrypt(*relogin).value_or("").find(kLoginPassword), std::string::npos);  // on the wire
    s.Push(crypto.Encrypt(std::string(Traits::kLoginCode) + "@@@@@@@@@@3&ACC1" +
                          std::string(Traits::kRecordFields - 1, '@')));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLoginInfo", 2));

    // Each request goes out encrypted and its answer comes back encrypted.
    const auto exchange = [&](int sent, const std::string& answer, const char* callback) {
        ASSERT_EQ(sent, 1) << callback;
        ASSERT_TRUE(crypto.Decrypt(s.server.ReadFrame(3000).value_or("")).has_value()) << callback;
        s.Push(crypto.Encrypt(answer));
        ASSERT_TRUE(s.sink.log.WaitCount(callback, 1)) << callback;
    };
    auto version = Zeroed<typename Types::Version>();
    std::strcpy(version.UserId, "user1");
    std::strcpy(version.UserPwd, kVersionPassword);
    exchange(s.api->ReqQryVersion(&version, 4), "GETVER01@@@@@@@@@@4&v0@v1@v2@v3@v4", "OnRspQryVersion");
    auto password = Zeroed<typename Types::Password>();
    std::strcpy(password.PwsField1, kOldPassword);
    std::strcpy(password.PwsField2, kNewPassword);
    std::strcpy(password.PwsField3, kNewPassword);
    exchange(s.api->ReqPasswordUpdate(&password, 5),
             std::string("MODIFYPW@@@@@@@@@@5&") + kOldPassword + "@" + kNewPassword + "@" + kNewPassword,
             "OnRspPasswordUpdate");
    auto qa = Zeroed<typename Types::SetQA>();
    std::strcpy(qa.VerifyField1, "Which city?");
    std::strcpy(qa.VerifyField2, kAnswerSet);
    exchange(s.api->ReqSetVerifyQA(&qa, 6), std::string("SetVeriQA@@@@@@@@@@6&q@") + kAnswerSet, "OnRspSetVerifyQA");
    auto question = Zeroed<typename Types::Question>();
    exchange(s.api->ReqGetQuestion(&question, 7), "VfQuList@@@@@@@@@@7&1@Which city?@2@x", "OnRspGetQuestion");
    auto verify = Zeroed<typename Types::Verify>();
    std::strcpy(verify.VerifyField1, "1");
    std::strcpy(verify.VerifyField2, kAnswerGiven);
    exchange(s.api->ReqSafeVerify(&verify, 8), std::string("SfVerify@@@@@@@@@@8&") + kAnswerGiven, "OnRspSafeVerify");
    auto code = Zeroed<typename Types::Code>();
    std::strcpy(code.VerifyField1, kCodeField);
    exchange(s.api->ReqVerifyCode(&code, 9), std::string("RequVfCd@@@@@@@@@@9&") + kCodeField, "OnRspVerifyCode");
}

template <class Api, class Recorder>
void CheckTradingKind() {
    UmaskGuard mask;
    ServerCrypto crypto;
    ASSERT_TRUE(crypto.Valid());
    std::string logDir;
    {
        TradingSession<Api, Recorder> s;
        s.logSubdir = "/logs/kind";  // folders the factory has to make
        ASSERT_TRUE(s.Start());
        RunTradingFlows(s, crypto);
        logDir = s.Dir() + s.logSubdir;
        EXPECT_EQ(Mode(s.Dir() + "/logs"), 0755u);
        EXPECT_EQ(Mode(logDir), 0755u);
        EXPECT_EQ(Mode(logDir + "/" + Today()), 0700u);  // the day folder holds the log: private
        ExpectNoSecretInAnyFile(s.Dir(), {kLoginPassword, kVersionPassword, kOldPassword, kNewPassword, kAnswerSet,
                                          kAnswerGiven, kCodeField, crypto.Key(), crypto.Iv()});
        // The log still shows what happened, with the secrets masked.
        std::ifstream in(logDir + "/" + Today() + "/test.log");
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("SEND_KEY@******@******@"), std::string::npos);
        EXPECT_NE(text.str().find("&******@******@******"), std::string::npos);  // the password change
    }
}

TEST(Secrets, StockLogsHoldNoSecret) {
    CheckTradingKind<CStockApi, StockRecorder>();
}

TEST(Secrets, FutureLogsHoldNoSecret) {
    CheckTradingKind<CFutureApi, FutureRecorder>();
}

// The market object logs below the working folder: the test runs in a folder of its own.
struct WorkingFolder {
    WorkingFolder() {
        char pattern[] = "/tmp/quintara-secrets-XXXXXX";
        path = mkdtemp(pattern);
        char cwd[4096];
        old = getcwd(cwd, sizeof cwd) != nullptr ? cwd : "/tmp";
        EXPECT_EQ(chdir(path.c_str()), 0);
    }
    ~WorkingFolder() {
        EXPECT_EQ(chdir(old.c_str()), 0);
        fs::remove_all(path);
    }
    std::string path;
    std::string old;
};

TEST(Secrets, MarketLoginAndKeyExchangeLeaveNoSecret) {
    UmaskGuard mask;
    WorkingFolder folder;
    ServerCrypto crypto;
    ASSERT_TRUE(crypto.Valid());
    MarketSession s;
    ASSERT_TRUE(s.Start());
    auto login = Zeroed<CMarketReqUserLoginField>();
    std::strcpy(login.UserId, "user1");
    std::strcpy(login.UserPwd, kLoginPassword);
    std::strcpy(login.BrokerIDForMarketPrice, "BRK");
    ASSERT_EQ(s.api->ReqUserLogin(&login, 11), 1);
    ASSERT_EQ(s.NextMessage().rfind("REQ_PUBLIC_KEY", 0), 0u);
    s.Push(crypto.ReplyPublicKey(11));
    const auto key = s.server.ReadFrame(3000);
    ASSERT_TRUE(key.has_value());
    ASSERT_TRUE(crypto.AcceptSendKey(*key).has_value());
    s.Push(crypto.Encrypt("REPLY_SEND_KEY@@@@0@@@@@@11&"));
    const auto sent = s.server.ReadFrame(3000);
    ASSERT_TRUE(sent.has_value());
    ASSERT_NE(crypto.Decrypt(*sent).value_or("").find(kLoginPassword), std::string::npos);
    s.Push(crypto.Encrypt("LOGINHK1@@@@@@@@@@11&stock|OK;derivate|OK"));
    ASSERT_TRUE(s.sink.log.WaitCount("OnRspUserLogin", 1));
    EXPECT_EQ(s.sink.log.Named("OnRspUserLogin")[0].errorId, 0);

    EXPECT_EQ(Mode(folder.path + "/CoreLog"), 0700u);
    EXPECT_EQ(Mode(folder.path + "/CoreLog/" + Today()), 0700u);
    ExpectNoSecretInAnyFile(folder.path, {kLoginPassword, crypto.Key(), crypto.Iv()});
}

}  // namespace
