#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "foundation/ErrorCatalogue.h"

namespace {

TEST(ErrorCatalogue, EntryCountsAndKeyForm) {
    EXPECT_EQ(STOCK::_error.size(), 97u);
    EXPECT_EQ(FUTURE::_error.size(), 88u);
    EXPECT_EQ(MARKET::_error.size(), 31u);
    for (const ErrorMap* map : {&STOCK::_error, &FUTURE::_error, &MARKET::_error}) {
        for (const auto& [code, text] : *map) {
            ASSERT_EQ(code.size(), 5u) << code;
            for (char c : code) {
                ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << code;
            }
            ASSERT_FALSE(text.empty()) << code;
        }
    }
}

TEST(ErrorCatalogue, LookupPerKind) {
    struct Case {
        const ErrorMap* map;
        const char* name;
        const char* code;
        const char* text;
    };
    const ErrorMap* stock = &STOCK::_error;
    const ErrorMap* future = &FUTURE::_error;
    const ErrorMap* market = &MARKET::_error;
    const Case cases[] = {
        {stock, "stock", "00000", "处理成功"},
        {market, "market", "00000", "处理成功"},
        {stock, "stock", "10005", "密保问题错误"},
        {future, "future", "10005", "非法登录"},
        {stock, "stock", "10007", "手机验证码错误"},
        {future, "future", "10007", "接口登录权限过期"},
        {stock, "stock", "10011", "非法登录"},
        {future, "future", "10011", "密保问题错误"},
        {market, "market", "10011", "非法登录"},
        {stock, "stock", "10013", "API认证错误"},
        {future, "future", "10013", "手机验证码错误"},
        {stock, "stock", "10014", "未定义的错误码"},
        {future, "future", "10014", "未定义的错误码"},
        {market, "market", "10014", "没有这家股票交易所权限."},
        {market, "market", "10059", "内部错误:LOGIN_NO_MULTI_ERR."},
        {stock, "stock", "30000", "交易服务器已断开"},
        {stock, "stock", "30002", "交易服务器已断开"},
        {future, "future", "30002", "交易服务器已断开"},
        {stock, "stock", "20046", "您已订阅过专业版行情，无法切换至非专业版"},
        {future, "future", "20046", "没有卖空期权权限。"},
        {future, "future", "20045", "超过FCM固定额度，只可平仓，不能再加仓。"},
        {stock, "stock", "20047", "碎股下单超过最小下单量"},
        {future, "future", "20047", "未定义的错误码"},
        {market, "market", "00001", "未定义的错误码"},
        {stock, "stock", "40004", "资金调拨申请失败"},
        {stock, "stock", "1001", "未定义的错误码"},  // four digits
        {stock, "stock", "0", "未定义的错误码"},     // not the same key as 00000
        {stock, "stock", "", "未定义的错误码"},
        {stock, "stock", "100010", "未定义的错误码"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(LookupErrorText(*c.map, c.code), c.text) << c.name << " " << c.code;
    }
    // Lookups by a view that is not NUL-terminated match exactly its bytes.
    EXPECT_STREQ(LookupErrorText(STOCK::_error, std::string_view("100019", 5)), "用户名不正确");
}

}  // namespace
