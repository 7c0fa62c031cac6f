#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "net/FrameScanner.h"

namespace {

bool Contains(const std::string& data, std::string_view text) {
    return FrameScanner::Contains(reinterpret_cast<const uint8_t*>(data.data()), data.size(), text);
}

}  // namespace

// The forced-logout search runs over every read: it must find the text at any position, only
// within the bytes given, and not be misled by its anchor byte elsewhere.
TEST(FrameScannerTest, ContainsFindsTheTextOnlyWithinTheBytes) {
    const std::string kick = "FORCE_LOGOUT";
    const std::string noise = "a_b_FORCE_LOGOU_ORCE_LOGOUT F_";
    for (size_t at = 0; at <= noise.size(); ++at) {
        std::string data = noise;
        data.insert(at, kick);
        EXPECT_TRUE(Contains(data, kick)) << data;
        // Without its last or its first byte the text is not there.
        EXPECT_FALSE(Contains(data.substr(0, at + kick.size() - 1), kick)) << data;
        EXPECT_FALSE(Contains(data.substr(at + 1), kick)) << data;
    }
    EXPECT_FALSE(Contains(noise, kick));
    EXPECT_FALSE(Contains("", kick));
    EXPECT_FALSE(Contains("FORCE_LOGOU", kick));
    EXPECT_TRUE(Contains(kick, kick));
    // Without a byte other than letters and digits, the last byte is the anchor.
    EXPECT_TRUE(Contains("xxTEST0001", "TEST0001"));
    EXPECT_FALSE(Contains("TEST000TEST00", "TEST0001"));
}
