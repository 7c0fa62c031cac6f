#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Decimal.h"
#include "foundation/HP.h"
#include "foundation/SystemInfo.h"

namespace {

// A heap copy without a terminating NUL, so AddressSanitizer reports any read past its end.
std::unique_ptr<char[]> Unterminated(const std::string& text) {
    std::unique_ptr<char[]> copy(new char[text.size()]);
    std::memcpy(copy.get(), text.data(), text.size());
    return copy;
}

TEST(FoundationText, SafeStrcpyKeepsAtMostSizeMinusOneBytes) {
    std::string longText(300, 'x');
    char field[300];
    std::memset(field, '#', sizeof field);
    HP::SafeStrcpy(field, 256, longText.c_str());
    EXPECT_EQ(std::strlen(field), 255u);
    EXPECT_EQ(field[256], '#') << "wrote past the field";

    HP::SafeStrcpy(field, 256, "abc");
    EXPECT_STREQ(field, "abc");
    HP::SafeStrcpy(field, 256, nullptr);
    EXPECT_STREQ(field, "");

    std::strcpy(field, "keep");
    HP::SafeStrcpy(field, 0, "abc");
    EXPECT_STREQ(field, "keep");

    // The source is never read beyond size - 1 bytes.
    auto source = Unterminated("abcdef");
    HP::SafeStrcpy(field, 4, source.get());
    EXPECT_STREQ(field, "abc");
}

TEST(FoundationText, SafeStrcat) {
    struct Case {
        const char* dst;
        unsigned long size;
        const char* src;
        const char* expected;
    };
    const std::string full(255, 'a');
    const Case cases[] = {
        {"abc", 256, "def", "abcdef"},
        {"abc", 6, "defgh", "abcde"},
        {"abcde", 6, "x", "abcde"},  // size - len == 1
        {full.c_str(), 256, "b", full.c_str()},
        {"", 4, "abcdef", "abc"},
        {"abc", 256, nullptr, "abc"},
    };
    for (const Case& c : cases) {
        char field[300];
        std::memset(field, '#', sizeof field);
        std::strcpy(field, c.dst);
        HP::SafeStrcat(field, c.size, c.src);
        EXPECT_STREQ(field, c.expected) << c.dst << " + " << (c.src ? c.src : "(null)");
        EXPECT_EQ(field[c.size], '#');
    }

    // A destination without a NUL inside its size counts as full and is left alone.
    char unterminated[4] = {'w', 'x', 'y', 'z'};
    HP::SafeStrcat(unterminated, sizeof unterminated, "q");
    EXPECT_EQ(std::string(unterminated, 4), "wxyz");
}

TEST(FoundationText, SafeCopyAndBoundedLength) {
    char field[8];
    HP::SafeCopy(field, sizeof field, std::string_view("abcdefghij"));
    EXPECT_STREQ(field, "abcdefg");
    HP::SafeCopy(field, sizeof field, std::string_view("a\0b", 3));
    EXPECT_EQ(std::memcmp(field, "a\0b\0", 4), 0);

    auto text = Unterminated("abcd");
    EXPECT_EQ(HP::BoundedLength(text.get(), 4), 4u);
    EXPECT_EQ(HP::BoundedLength("ab\0cd", 5), 2u);
    EXPECT_EQ(HP::BoundedLength(nullptr, 5), 0u);
    char member[4] = {'x', 'y', '\0', 'z'};
    EXPECT_EQ(HP::FieldView(member), "xy");
}

struct SplitCase {
    std::string text;
    std::vector<std::string> items;
};

const std::vector<SplitCase>& SplitCases() {
    static const std::vector<SplitCase> cases = {
        {"a@b", {"a", "b"}},
        {"@a", {"", "a"}},
        {"a@", {"a", ""}},
        {"@@", {"", "", ""}},
        {"abc", {"abc"}},
        {"a@@b", {"a", "", "b"}},
        {"@", {"", ""}},
        {std::string("a@b\0c@d", 7), {"a", "b"}},  // the text ends at its first NUL
        {"", {}},
        {std::string("\0@a", 3), {}},
    };
    return cases;
}

TEST(FoundationText, OrvikSplitAppendsItems) {
    for (const SplitCase& c : SplitCases()) {
        std::vector<std::string> out;
        int64_t count = HP::OrvikSplit(c.text, out, '@');
        EXPECT_EQ(out, c.items) << "text: " << c.text;
        EXPECT_EQ(count, static_cast<int64_t>(c.items.size()));
    }

    // Existing elements stay in front; an empty text adds nothing and returns 0.
    std::vector<std::string> out{"old"};
    EXPECT_EQ(HP::OrvikSplit("x^y", out, '^'), 3);
    EXPECT_EQ(out, (std::vector<std::string>{"old", "x", "y"}));
    EXPECT_GE(out.capacity(), 100u);
    EXPECT_EQ(HP::OrvikSplit("", out, '^'), 0);
    EXPECT_EQ(out.size(), 3u);
}

TEST(FoundationText, SplitViewAgreesWithOrvikSplit) {
    for (const SplitCase& c : SplitCases()) {
        std::string_view items[16];
        size_t count = HP::SplitView(c.text, '@', items, 16);
        ASSERT_EQ(count, c.items.size()) << "text: " << c.text;
        for (size_t i = 0; i < count; ++i) {
            EXPECT_EQ(items[i], c.items[i]) << "text: " << c.text << " item " << i;
        }
    }
}

// Long texts are scanned in blocks: separators and a NUL at every position around the block
// edges must split exactly as the item-by-item splitter does, and the last item and the length
// must match what was split.
TEST(FoundationText, SplitItemsAgreesWithOrvikSplitOnLongTexts) {
    std::string base;
    for (int i = 0; i < 23; ++i) base += std::string(static_cast<size_t>(i % 5), static_cast<char>('a' + i)) + "@";
    base += "tail";
    for (size_t cut = 0; cut <= base.size(); ++cut) {
        std::string text = base;
        if (cut < text.size()) text[cut] = '\0';
        std::vector<std::string> expected;
        HP::OrvikSplit(text, expected, '@');
        std::string_view items[64];
        const HP::SplitResult r = HP::SplitItems(text, '@', items, 64);
        ASSERT_EQ(r.count, expected.size()) << "NUL at " << cut;
        for (size_t i = 0; i < r.count; ++i) ASSERT_EQ(items[i], expected[i]) << "NUL at " << cut << " item " << i;
        EXPECT_EQ(r.length, std::min(cut, base.size()));
        EXPECT_EQ(r.last, expected.empty() ? std::string() : expected.back());
        // With room for two items only, the count and the last item are the same.
        const HP::SplitResult few = HP::SplitItems(text, '@', items, 2);
        EXPECT_EQ(few.count, r.count);
        EXPECT_EQ(few.last, r.last);
    }
}

TEST(FoundationText, SplitViewStoresAtMostCapacityItems) {
    std::string_view items[3] = {"unset", "unset", "unset"};
    EXPECT_EQ(HP::SplitView("a@b@c@d", '@', items, 2), 4u);
    EXPECT_EQ(items[0], "a");
    EXPECT_EQ(items[1], "b") << "the last stored item must end at its separator";
    EXPECT_EQ(items[2], "unset");

    EXPECT_EQ(HP::SplitView("a@b@c", '@', nullptr, 0), 3u);
    EXPECT_EQ(HP::SplitView("", '@', nullptr, 0), 0u);

    // A view over bytes without a NUL is never read past its end.
    auto text = Unterminated("k@v");
    EXPECT_EQ(HP::SplitView(std::string_view(text.get(), 3), '@', items, 3), 2u);
    EXPECT_EQ(items[1], "v");
}

TEST(FoundationText, DecodeBase64) {
    struct Case {
        std::string encoded;
        std::string decoded;
    };
    const Case cases[] = {
        {"QUJD", "ABC"},
        {"QUI=", "AB"},
        {"QQ==", "A"},
        {"QU\nJD", "ABC"},
        {"QU\r\nJD\n", "ABC"},
        {"QUI", ""},        // an incomplete last group gives nothing
        {"QUJDRA", "ABC"},  // ...also after complete groups
        {"QUJDRA==", "ABCD"},
        {"*Q-U.J D!", "ABC"},  // bytes outside the alphabet are skipped
        {"AP8A", std::string("\0\xff\0", 3)},
        {"+/+/", "\xfb\xff\xbf"},
        {"====", ""},
    };
    for (const Case& c : cases) {
        std::string out = "stale";
        int count = HP::DecodeBase64(reinterpret_cast<const unsigned char*>(c.encoded.data()),
                                     static_cast<int>(c.encoded.size()), out);
        EXPECT_EQ(out, c.decoded) << "encoded: " << c.encoded;
        EXPECT_EQ(count, static_cast<int>(c.decoded.size())) << "encoded: " << c.encoded;
    }

    std::string out = "keep";
    const unsigned char text[] = "QUJD";
    EXPECT_EQ(HP::DecodeBase64(nullptr, 4, out), -1);
    EXPECT_EQ(HP::DecodeBase64(text, 0, out), -1);
    EXPECT_EQ(HP::DecodeBase64(text, -4, out), -1);
    EXPECT_EQ(out, "keep");
}

TEST(FoundationText, DecodeBase64ReadsOnlyLengthBytes) {
    auto exact = Unterminated("QUJD");
    std::string out;
    EXPECT_EQ(HP::DecodeBase64(reinterpret_cast<const unsigned char*>(exact.get()), 4, out), 3);
    EXPECT_EQ(out, "ABC");
    // A length shorter than the text ends the input there.
    EXPECT_EQ(HP::DecodeBase64(reinterpret_cast<const unsigned char*>("QUJDREVG"), 4, out), 3);
    EXPECT_EQ(out, "ABC");
}

TEST(FoundationText, DecodeBase64ToInPlaceRoundTrip) {
    std::string original;
    for (int i = 0; i < 1000; ++i) {
        original.push_back(static_cast<char>((i * 37) & 0xff));
    }
    for (size_t length : {size_t{0}, size_t{1}, size_t{2}, size_t{3}, size_t{998}, size_t{1000}}) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(original.data());
        std::string encoded = HP::EncodeBase64(bytes, length);
        EXPECT_EQ(encoded.size(), (length + 2) / 3 * 4);
        if (length == 0) {
            continue;
        }
        std::vector<unsigned char> buffer(encoded.begin(), encoded.end());
        int64_t count = HP::DecodeBase64To(buffer.data(), buffer.size(), buffer.data());
        ASSERT_EQ(count, static_cast<int64_t>(length));
        EXPECT_EQ(std::memcmp(buffer.data(), original.data(), length), 0) << "length " << length;
    }
    EXPECT_EQ(HP::EncodeBase64(reinterpret_cast<const unsigned char*>("AB"), 2), "QUI=");
    EXPECT_EQ(HP::DecodeBase64To(nullptr, 4, nullptr), -1);
}

TEST(FoundationText, NumberReaders) {
    EXPECT_EQ(HP::ToInt("  -42abc"), -42);
    EXPECT_EQ(HP::ToInt("+17"), 17);
    EXPECT_EQ(HP::ToInt(""), 0);
    EXPECT_EQ(HP::ToInt("abc"), 0);
    EXPECT_EQ(HP::ToInt("4294967297"), 1) << "truncated to 32 bits like a C cast";
    EXPECT_EQ(HP::ToInt(std::string_view("12345", 2)), 12) << "the view's end bounds the number";
    EXPECT_EQ(HP::ToInt64("9000000000"), 9000000000LL);
    EXPECT_EQ(HP::ToInt64("-9000000000@x"), -9000000000LL);
    EXPECT_DOUBLE_EQ(HP::ToDouble("3.5e2x"), 350.0);
    EXPECT_DOUBLE_EQ(HP::ToDouble(" -0.25"), -0.25);
    EXPECT_DOUBLE_EQ(HP::ToDouble("x1"), 0.0);

    // The common forms are read without the C library: the results must be the same, bit for bit.
    const char* const samples[] = {"0",
                                   "7",
                                   "-0",
                                   "+12",
                                   "388.205",
                                   "-0.001",
                                   "5.",
                                   ".5",
                                   "-.25",
                                   ".",
                                   "-",
                                   "1e3",
                                   "12.5x",
                                   "0000000042",
                                   "999999999",
                                   "2147483648",
                                   "4294967297",
                                   "-2147483648",
                                   "0.1",
                                   "123456789012345",
                                   "1234567890123456",
                                   "99999.999999999",
                                   "3.14159265358979"};
    for (const char* sample : samples) {
        char* end = nullptr;
        const double expected = std::strtod(sample, &end);
        const double actual = HP::ToDouble(sample);
        EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << sample << ": " << actual;
        EXPECT_EQ(HP::ToInt(sample), static_cast<int32_t>(std::strtol(sample, nullptr, 10))) << sample;
    }
    for (int i = 0; i < 20000; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", i % 9, (i * 7919 % 100003) / 997.0 - 50.0);
        const double expected = std::strtod(text, nullptr);
        const double actual = HP::ToDouble(text);
        ASSERT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << text;
    }

    auto digits = Unterminated("789");
    EXPECT_EQ(HP::ToInt(std::string_view(digits.get(), 3)), 789);
    // Only the first 255 bytes count.
    std::string longNumber = std::string(255, '0') + "9";
    EXPECT_EQ(HP::ToInt64(longNumber), 0);
}

TEST(FoundationText, DecimalText) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0.0"},   {-3.25, "-3.25"}, {100.0, "100.0"},           {1.5, "1.5"},   {2.0, "2.0"},
        {0.25, "0.25"}, {1e-7, "0.0"},    {123.456789, "123.456789"}, {-0.5, "-0.5"}, {1e20, "100000000000000000000.0"},
        {-1.0, "-1.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decimal(c.value).str(), c.text) << c.value;
    }
    EXPECT_EQ(Decimal(1.7976931348623157e308).str().substr(0, 4), "1797");
}

TEST(FoundationText, OSVersionNamesMachineAndRelease) {
    std::string version = GetOSVersion();
    EXPECT_EQ(version.rfind("Linux OS; Machine=", 0), 0u) << version;
    EXPECT_NE(version.find("; Release="), std::string::npos) << version;
    EXPECT_LE(version.size(), 259u);
}

}  // namespace
