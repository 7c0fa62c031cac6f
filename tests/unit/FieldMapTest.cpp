#include <gtest/gtest.h>

#include <cstring>

#include "api/FieldMap.h"
#include "secure/NetInfo.h"

namespace {

struct Sample {
    char text[256];
    int number;
    double real;
    double intReal;
    char head[256];
    char flag[256];
    char decimals[256];
};

const FieldMap kRows[] = {
    QF_TEXT(Sample, text, 0),
    QF_INT(Sample, number, 1),
    QF_REAL(Sample, real, 2),
    QF_INTREAL(Sample, intReal, 3),
    QF_HEAD(Sample, head, 1),
    QF_FLAG(Sample, flag, 4),
    QF_DECIMALS(Sample, decimals, 5, 6),
};

Sample Fill(std::vector<std::string_view> items, const NetInfo* head = nullptr) {
    Sample s;
    std::memset(&s, 0, sizeof s);
    FillFields(&s, MakeTable(kRows), items.data(), items.size(), head);
    return s;
}

TEST(FieldMap, ConvertsEachKind) {
    NetInfo head;
    head.m_strField[1] = "L-7";
    Sample s = Fill({"abc", "12x", "1.25", "12.75", "1", "12.345", "2"}, &head);
    EXPECT_STREQ(s.text, "abc");
    EXPECT_EQ(s.number, 12);
    EXPECT_DOUBLE_EQ(s.real, 1.25);
    EXPECT_DOUBLE_EQ(s.intReal, 12.0);
    EXPECT_STREQ(s.head, "L-7");
    EXPECT_STREQ(s.flag, "\x01");
    EXPECT_STREQ(s.decimals, "12.35");
}

TEST(FieldMap, MissingItemsAreEmptyOrZeroAndTextIsCut) {
    std::string longText(300, 'x');
    Sample s = Fill({longText});
    EXPECT_EQ(std::strlen(s.text), 255u);
    EXPECT_EQ(s.number, 0);
    EXPECT_DOUBLE_EQ(s.real, 0.0);
    EXPECT_STREQ(s.head, "");  // no head given
    EXPECT_STREQ(s.flag, "");
    EXPECT_STREQ(s.decimals, "0");  // the number of a missing item is 0, written with 0 decimals
}

TEST(FieldMap, FlagRoundsHalfUpTowardTheTruncation) {
    struct Case {
        const char* value;
        bool set;
    } cases[] = {{"0.5", false}, {"0.6", true}, {"-1", true}, {"-0.7", false}, {"0", false}, {"abc", false}};
    for (const auto& c : cases) {
        Sample s = Fill({"", "", "", "", c.value});
        EXPECT_EQ(s.flag[0] == '\x01', c.set) << c.value;
    }
}

TEST(FieldMap, DecimalsTrimTrailingZeros) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{12.345, 2, "12.35"}, {12.345, 0, "12"}, {1.5, 3, "1.5"}, {2.0, 2, "2.0"}, {3.0, 0, "3"},
                 {150.0, 0, "150"},    {0.0, 2, "0.0"},   {-2.5, 0, "-3"}, {7.0, -2, "7"}};
    for (const auto& c : cases) {
        char out[256];
        FormatDecimals(c.value, c.decimals, out, sizeof out);
        EXPECT_STREQ(out, c.text) << c.value << " with " << c.decimals;
    }
}

}  // namespace
