#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "market/MarketPermissions.h"
#include "market/MarketQuoteParser.h"

using Quintara::CMarketMarketDataField;

namespace {

// "v0@v1@...": n items, the last one replaced by `last` when given.
std::string Record(size_t n, const std::string& last = std::string()) {
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        if (i != 0) out += '@';
        out += (i + 1 == n && !last.empty()) ? last : "v" + std::to_string(i);
    }
    return out;
}

// Item 12 made of `n` comma-separated parts "p0,p1,...".
std::string Parts(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += (i != 0 ? "," : "") + std::string("p") + std::to_string(i);
    return out;
}

std::string WithItem(std::string record, size_t index, const std::string& value) {
    size_t begin = 0;
    for (size_t i = 0; i < index; ++i) begin = record.find('@', begin) + 1;
    const size_t end = record.find('@', begin);
    return record.replace(begin, end == std::string::npos ? std::string::npos : end - begin, value);
}

// The delivered member i of the struct (its texts are 66 char[256] in a row).
const char* Member(const CMarketMarketDataField& q, size_t i) {
    return reinterpret_cast<const char*>(&q) + i * 256;
}

// Every member not listed in `filled` must be empty.
void ExpectOnlyFilled(const CMarketMarketDataField& q, const std::vector<size_t>& filled) {
    for (size_t i = 0; i < MARKET::MarketInfo::kDelivered; ++i) {
        bool listed = false;
        for (size_t f : filled) listed = listed || f == i;
        if (!listed) {
            EXPECT_STREQ(Member(q, i), "") << "member " << i;
        }
    }
}

std::vector<size_t> Range(size_t from, size_t to) {
    std::vector<size_t> out;
    for (size_t i = from; i <= to; ++i) out.push_back(i);
    return out;
}

struct MarketQuoteTest : ::testing::Test {
    CMarketMarketDataField q;
    bool Parse(const std::string& text) {
        std::memset(&q, 0x55, sizeof q);  // Parse must zero-fill whatever it gets
        return MarketQuoteParser::Parse(text, &q);
    }
};

TEST_F(MarketQuoteTest, RejectedRecordsLeaveTheStructZeroFilled) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no separator", "abc"},
        {"full quote of 31 items", Record(31)},
        {"shape D", Record(42, "xD")},
        {"Y update of 5 items", Record(5, "Y")},
        {"M update of 4 items", Record(4, "M")},
        {"single Y", "Y"},
        {"shape read before the first NUL", Record(42, "xD") + std::string(1, '\0') + "@1"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Parse(c.text)) << c.name;
        ExpectOnlyFilled(q, {});
    }
}

TEST_F(MarketQuoteTest, FullQuoteOfExactly32Items) {
    ASSERT_TRUE(Parse(Record(32)));
    for (size_t i = 0; i < 32; ++i) EXPECT_EQ(std::string(Member(q, i)), "v" + std::to_string(i));
    EXPECT_STREQ(q.RecordType, "v31");
    auto filled = Range(0, 31);
    filled.push_back(MarketQuoteParser::kRecordType);
    ExpectOnlyFilled(q, filled);
}

TEST_F(MarketQuoteTest, OptionalItemsOfAFullQuote) {
    ASSERT_TRUE(Parse(Record(34)));  // items 32 and 33 only
    EXPECT_STREQ(q.Item32, "v32");
    EXPECT_STREQ(q.Item33, "v33");
    EXPECT_STREQ(q.Item34, "");
    EXPECT_STREQ(q.Item59, "");
    EXPECT_STREQ(q.RecordType, "v33");

    ASSERT_TRUE(Parse(Record(41)));  // items 36..39 need 40 items; item 40 needs 42
    EXPECT_STREQ(q.Item35, "v35");
    EXPECT_STREQ(q.Item59, "v36");
    EXPECT_STREQ(q.Item62, "v39");
    EXPECT_STREQ(q.Item65, "");

    ASSERT_TRUE(Parse(Record(42)));
    EXPECT_STREQ(q.Item65, "v40");
    EXPECT_STREQ(q.RecordType, "v41");
    auto filled = Range(0, 35);
    for (size_t i : Range(MarketQuoteParser::kItem59, MarketQuoteParser::kRecordType)) filled.push_back(i);
    filled.push_back(MarketQuoteParser::kItem65);
    ExpectOnlyFilled(q, filled);  // Item36..Item38, the depth and Item64 stay empty

    // Later items are ignored, but the last one is always the record type.
    ASSERT_TRUE(Parse(Record(5000, "TAIL")));
    EXPECT_STREQ(q.Item65, "v40");
    EXPECT_STREQ(q.RecordType, "TAIL");
}

TEST_F(MarketQuoteTest, DepthSplitOfItem12) {
    const char* depth[4][5];
    const auto fill = [&] {
        const char* const members[4][5] = {{q.DepthA1, q.DepthA2, q.DepthA3, q.DepthA4, q.DepthA5},
                                           {q.DepthB1, q.DepthB2, q.DepthB3, q.DepthB4, q.DepthB5},
                                           {q.DepthC1, q.DepthC2, q.DepthC3, q.DepthC4, q.DepthC5},
                                           {q.DepthD1, q.DepthD2, q.DepthD3, q.DepthD4, q.DepthD5}};
        std::memcpy(depth, members, sizeof depth);
    };
    for (size_t parts : {21u, 25u, 1001u}) {
        ASSERT_TRUE(Parse(WithItem(Record(32), 12, Parts(parts)))) << parts;
        fill();
        EXPECT_STREQ(q.Item12, "p0");
        for (size_t column = 0; column < 4; ++column) {
            for (size_t level = 0; level < 5; ++level)
                EXPECT_EQ(std::string(depth[column][level]), "p" + std::to_string(1 + level * 4 + column))
                    << "column " << column << " level " << level;
        }
        EXPECT_STREQ(q.Item13, "v13");
    }
    // Twenty parts: no depth, Item12 keeps the whole item.
    ASSERT_TRUE(Parse(WithItem(Record(32), 12, Parts(20))));
    EXPECT_EQ(std::string(q.Item12), Parts(20).substr(0, 255));
    auto filled = Range(0, 31);
    filled.push_back(MarketQuoteParser::kRecordType);
    ExpectOnlyFilled(q, filled);
}

TEST_F(MarketQuoteTest, UpdateShapes) {
    const struct {
        std::string text;
        std::vector<std::pair<size_t, const char*>> expected;
    } cases[] = {
        // 'Y' of 6 items: items 2, 3, 4, 5 go to Item06, Item07, Item14, Item13.
        {"a@b@c@d@e@fY", {{0, "a"}, {1, "b"}, {6, "c"}, {7, "d"}, {14, "e"}, {13, "fY"}, {63, "Y"}}},
        // 'Y' of exactly 9 items: Item64 from item 7, no Item59..62.
        {"a@b@c@d@e@f@g@h@Y", {{0, "a"}, {1, "b"}, {6, "c"}, {7, "d"}, {14, "e"}, {13, "f"}, {64, "h"}, {63, "Y"}}},
        // 'Y' of 10 items: Item59..62 from items 6..9, no Item64.
        {"a@b@c@d@e@f@g@h@i@jY",
         {{0, "a"},
          {1, "b"},
          {6, "c"},
          {7, "d"},
          {14, "e"},
          {13, "f"},
          {59, "g"},
          {60, "h"},
          {61, "i"},
          {62, "jY"},
          {63, "Y"}}},
        // 'M' of 5 items: items 3 and 2 go to Item36 and Item37; item 4 and later are ignored.
        {"a@b@c@d@M", {{0, "a"}, {1, "b"}, {36, "d"}, {37, "c"}, {63, "M"}}},
        {"a@b@c@d@e@f@g@xM", {{0, "a"}, {1, "b"}, {36, "d"}, {37, "c"}, {63, "M"}}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Parse(c.text)) << c.text;
        std::vector<size_t> filled;
        for (const auto& e : c.expected) {
            EXPECT_STREQ(Member(q, e.first), e.second) << c.text << " member " << e.first;
            filled.push_back(e.first);
        }
        ExpectOnlyFilled(q, filled);
    }
}

TEST_F(MarketQuoteTest, LongValuesAreCutTo255Bytes) {
    const std::string big(300, 'x');
    ASSERT_TRUE(Parse(WithItem(Record(32, big), 0, big)));
    EXPECT_EQ(std::string(q.Item00), big.substr(0, 255));
    EXPECT_EQ(std::string(q.RecordType), big.substr(0, 255));
    EXPECT_STREQ(q.Item01, "v1");
    // A depth part as long: the part is cut, its neighbours are untouched.
    std::string item12 = Parts(21);
    item12.insert(item12.find(",p2"), big);
    ASSERT_TRUE(Parse(WithItem(Record(32), 12, item12)));
    EXPECT_EQ(std::string(q.DepthA1), "p1" + big.substr(0, 253));
    EXPECT_STREQ(q.DepthB1, "p2");
}

TEST(MarketPermissionsTest, ReadsStockAndDerivateEntries) {
    const struct {
        const char* body;
        bool stockSeen, stockDenied, derivateSeen, derivateDenied;
    } cases[] = {
        {"stock|OK;derivate|BAD_USER", true, false, true, true},
        {"stock|BAD_USER", true, true, false, false},
        {"stock|bad_user", true, false, false, false},           // only the exact upper-case text denies
        {"stock|BAD_USER|x", true, false, false, false},         // value is everything after the first '|'
        {"stock|BAD_USER;stock|OK", true, false, false, false},  // a later entry wins
        {"nobar;;stock;derivate", false, false, false, false},   // entries without '|' are skipped
        {" stock|BAD_USER;|BAD_USER;other|BAD_USER", false, false, false, false},
        {"derivate|BAD_USER;", false, false, true, true},
        {"", false, false, false, false},
    };
    for (const auto& c : cases) {
        const auto u = MarketPermissions::Read(c.body);
        EXPECT_EQ(u.m_bStockSeen, c.stockSeen) << c.body;
        EXPECT_EQ(u.m_bStockDenied, c.stockDenied) << c.body;
        EXPECT_EQ(u.m_bDerivateSeen, c.derivateSeen) << c.body;
        EXPECT_EQ(u.m_bDerivateDenied, c.derivateDenied) << c.body;
    }
    // The text ends at its first NUL.
    const std::string withNul = std::string("stock|OK", 8) + std::string(1, '\0') + ";derivate|BAD_USER";
    EXPECT_FALSE(MarketPermissions::Read(withNul).m_bDerivateSeen);
}

}  // namespace
