#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "foundation/CDynBuffer.h"
#include "secure/CBodyParser.h"
#include "secure/CHeadParser.h"
#include "secure/CRecord.h"
#include "secure/MessageCut.h"
#include "secure/NetInfo.h"
#include "secure/OrvikCode.h"
#include "support/MessageBuilder.h"

namespace {

struct RspInfo {
    int ErrorID;
    char ErrorMsg[256];
};

using Exchange = CRecord<4, 2>;  // four fields, at least two items

void Fill(CDynBuffer& buffer, std::string_view text) {
    ASSERT_TRUE(buffer.Allocate(static_cast<int64_t>(text.size()) + 64));
    buffer.Assign(text.data(), static_cast<int64_t>(text.size()));
}

TEST(NetInfoTest, ReadStringNeedsSevenItems) {
    NetInfo info;
    EXPECT_TRUE(info.ReadString("@@@@@@"));  // seven empty items
    for (const auto& f : info.m_strField) EXPECT_TRUE(f.empty());

    info.m_strField[3] = "kept";
    EXPECT_FALSE(info.ReadString("@a@b@c@d@e"));  // six items
    EXPECT_EQ(info.m_strField[3], "kept");
    EXPECT_FALSE(info.ReadString(""));

    ASSERT_TRUE(info.ReadString("c@1@2@3@4@5@6"));
    EXPECT_EQ(info.m_strField[6], "6");
    EXPECT_EQ(info.m_strField[7], "");
    EXPECT_EQ(info.m_strField[10], "");

    // Items beyond the eleventh are ignored; field 10 stops at its '@'.
    ASSERT_TRUE(info.ReadString("c@1@2@3@4@5@6@7@8@9@10@11@12"));
    EXPECT_EQ(info.m_strField[10], "10");

    // The text counts up to its first NUL.
    EXPECT_FALSE(info.ReadString(std::string_view("@@@\0@@@@", 8)));
}

TEST(NetInfoTest, WriteToMeasuresAndWritesWhenItFits) {
    NetInfo info;
    info.m_strField[0] = "GETTTIME";
    EXPECT_EQ(info.MyToString(), "GETTTIME@@@@@@@@@@&");

    info.m_strField[0] = OrvikCode::ReqPublicKey;
    info.m_strField[3] = "A";
    info.m_strField[10] = "12";
    info.m_strBody = "x@y";
    const std::string expected = "REQ_PUBLIC_KEY@@@A@@@@@@@12&x@y";
    EXPECT_EQ(info.MyToString(), expected);

    char out[64];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(info.WriteTo(out, expected.size()), expected.size());  // no room for the NUL: untouched
    EXPECT_EQ(out[0], '#');
    EXPECT_EQ(info.WriteTo(out, expected.size() + 1), expected.size());
    EXPECT_STREQ(out, expected.c_str());
}

TEST(CRecordTest, ReadStringFillsAndDrops) {
    Exchange r;
    ASSERT_TRUE(r.ReadString("a@b@c@d"));
    EXPECT_EQ(r.m_nCount, 4u);
    EXPECT_EQ(r.m_item[3], "d");

    ASSERT_TRUE(r.ReadString("a@b"));
    EXPECT_EQ(r.m_nCount, 2u);
    EXPECT_EQ(r.m_item[1], "b");
    EXPECT_EQ(r.m_item[2], "");  // the fields of the longer record before are cleared
    EXPECT_EQ(r.m_item[3], "");

    ASSERT_TRUE(r.ReadString("a@b@c@d@e@f"));  // extra items ignored
    EXPECT_EQ(r.m_nCount, 4u);
    EXPECT_EQ(r.m_item[3], "d");

    EXPECT_FALSE(r.ReadString("a"));
    EXPECT_FALSE(r.ReadString(""));
    EXPECT_FALSE((CRecord<3, 1>().ReadString("")));
}

TEST(CRecordTest, WriteJoinsAllFields) {
    CRecord<5, 1> r;
    r.m_item[0] = "u";
    r.m_item[2] = "p";
    EXPECT_EQ(r.MyToString(), "u@@p@@");
    char small[6];
    EXPECT_EQ(r.WriteTo(small, sizeof small), 6u);  // needs 7 with the NUL
    char out[7];
    EXPECT_EQ(r.WriteTo(out, sizeof out), 6u);
    EXPECT_STREQ(out, "u@@p@@");
}

TEST(CHeadParserTest, Heads) {
    struct Case {
        std::string head;
        bool parsed;
        int errorId;
        int requestId;
        bool compressed;
        std::string codeText;
    } cases[] = {
        {"@@@@@@", true, 0, 0, false, ""},
        {"@@@@@", false, 90001, 0, false, ""},
        {"", false, 90001, 0, false, ""},
        {"@a@b@c@10001@e@f@g@h@2@42", true, 10001, 42, true, "10001"},
        {"@@@@00000@@@@@1@-3", true, 0, -3, true, "00000"},
        {"@@@@x@@@@@0@7", true, 0, 7, false, "x"},
        {"@@@@ 12z@@@@@21@ 9", true, 12, 9, false, " 12z"},
    };
    for (const auto& c : cases) {
        CDynBuffer buffer;
        Fill(buffer, c.head);
        CHeadParser<RspInfo> head(buffer);
        EXPECT_EQ(head.m_bParsed, c.parsed) << c.head;
        EXPECT_EQ(head.m_rspInfo.ErrorID, c.errorId) << c.head;
        EXPECT_EQ(head.m_iRequestId, c.requestId) << c.head;
        EXPECT_EQ(head.m_bCompressed, c.compressed) << c.head;
        EXPECT_EQ(head.ErrorCodeText(), c.codeText) << c.head;
        EXPECT_STREQ(head.m_rspInfo.ErrorMsg, c.parsed ? "" : "Parse head fails") << c.head;
    }
}

struct BodyResult {
    int64_t code;
    std::string text;
    std::vector<std::string> firstFields;
};

BodyResult ParseBody(const std::string& bodyText, bool compressed, bool list, int64_t unzipCapacity = 4096) {
    CDynBuffer body;
    CDynBuffer unzip;
    EXPECT_TRUE(body.Allocate(static_cast<int64_t>(bodyText.size()) + 16));
    EXPECT_TRUE(unzip.Allocate(unzipCapacity));
    body.Assign(bodyText.data(), static_cast<int64_t>(bodyText.size()));
    CBodyParser<Exchange> parser(body, unzip, compressed, list);
    EXPECT_TRUE(parser.m_bDone);
    BodyResult r{parser.m_lErrorCode, parser.m_pErrorText, {}};
    for (const auto& rec : parser.m_vecRecords) r.firstFields.push_back(std::string(rec.m_item[0]));
    return r;
}

TEST(CBodyParserTest, ErrorCodes) {
    using MessageBuilder::CompressedBody;
    const std::string notDeflate = "aGVsbG8gd29ybGQ=";  // valid Base64, not a deflate stream
    const std::string truncated = CompressedBody("a@b^c@d").substr(0, 8);
    struct Case {
        const char* name;
        std::string body;
        bool compressed;
        bool list;
        int64_t code;
        const char* text;
        size_t records;
    } cases[] = {
        {"compressed empty list", "", true, true, 90003, "Normal body is empty", 0},
        {"compressed empty single", "", true, false, 90004, "Compress body is empty", 0},
        {"not base64 single", "!!!!", true, false, 90002, "Decompress fails", 0},
        {"not deflate single", notDeflate, true, false, 90002, "Decompress fails", 0},
        {"truncated single", truncated, true, false, 90002, "Decompress fails", 0},
        {"not deflate list", notDeflate, true, true, 90003, "Normal body is empty", 0},
        {"plain empty list", "", false, true, 90003, "Normal body is empty", 0},
        {"plain empty single", "", false, false, 0, "", 0},
        {"compressed list", CompressedBody("a@b^c@d@e"), true, true, 0, "", 2},
        {"compressed single", CompressedBody("a@b"), true, false, 0, "", 1},
        {"plain single", "a@b@c@d", false, false, 0, "", 1},
        {"plain single too short", "a", false, false, 0, "", 0},
    };
    for (const auto& c : cases) {
        const BodyResult r = ParseBody(c.body, c.compressed, c.list);
        EXPECT_EQ(r.code, c.code) << c.name;
        EXPECT_EQ(r.text, c.text) << c.name;
        EXPECT_EQ(r.firstFields.size(), c.records) << c.name;
    }
}

TEST(CBodyParserTest, ListKeepsTheRecordsThatParse) {
    const BodyResult r = ParseBody("a@b@c@d^x^e@f^^g@h", false, true);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.firstFields, (std::vector<std::string>{"a", "e", "g"}));
    // Text after a NUL is not part of the body.
    const BodyResult cut = ParseBody(std::string("a@b\0c@d", 7), false, true);
    EXPECT_EQ(cut.firstFields, (std::vector<std::string>{"a"}));
}

TEST(CBodyParserTest, CompressedBodyUsesTheUnzipBufferWithinItsCapacity) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += (i ? "^" : "") + std::to_string(i) + "@v";
    const std::string packed = MessageBuilder::CompressedBody(text);
    EXPECT_EQ(ParseBody(packed, true, true).firstFields.size(), 100u);
    // The whole output must fit in capacity - 1 bytes (room for the NUL); one byte less fails.
    EXPECT_EQ(ParseBody(packed, true, false, static_cast<int64_t>(text.size()) + 1).code, 0);
    EXPECT_EQ(ParseBody(packed, true, false, static_cast<int64_t>(text.size())).code, 90002);
    EXPECT_EQ(ParseBody(packed, true, false, 0).code, 90002);

    // The records are views into the unzip buffer, which ends in a NUL after the text.
    CDynBuffer body;
    CDynBuffer unzip;
    ASSERT_TRUE(body.Allocate(4096));
    ASSERT_TRUE(unzip.Allocate(4096));
    const std::string one = MessageBuilder::CompressedBody("p@q");
    body.Assign(one.data(), static_cast<int64_t>(one.size()));
    CBodyParser<Exchange> parser(body, unzip, true, false);
    ASSERT_EQ(parser.m_vecRecords.size(), 1u);
    EXPECT_EQ(parser.m_vecRecords[0].m_item[1], "q");
    EXPECT_EQ(parser.m_vecRecords[0].m_item[0].data(), reinterpret_cast<const char*>(unzip.Data()));
    EXPECT_EQ(unzip.Length(), 3);
    EXPECT_EQ(unzip.Data()[3], '\0');
}

struct Cut {
    bool handled;
    std::string code;
    std::string head;
    std::string body;
};

Cut CutText(std::string_view message, CDynBuffer& head, CDynBuffer& body) {
    std::string_view code;
    const bool handled = CutMessage(reinterpret_cast<const unsigned char*>(message.data()),
                                    static_cast<long>(message.size()), &code, head, body);
    return Cut{handled, std::string(code), std::string(head.View()), std::string(body.View())};
}

TEST(MessageCutTest, CodeHeadAndBody) {
    CDynBuffer head;
    CDynBuffer body;
    ASSERT_TRUE(head.Allocate(16));
    ASSERT_TRUE(body.Allocate(16));
    const Cut c = CutText("LOGINHK1@a@b&x@y^z", head, body);
    EXPECT_TRUE(c.handled);
    EXPECT_EQ(c.code, "LOGINHK1");
    EXPECT_EQ(c.head, "@a@b");
    EXPECT_EQ(c.body, "x@y^z");

    for (std::string_view ignored : {std::string_view(""), std::string_view("@x&y"), std::string_view("NOAT&y")})
        EXPECT_FALSE(CutText(ignored, head, body).handled) << ignored;

    // An empty code is still a message (no row selects it later); "&" only counts after the '@'.
    const Cut early = CutText("A&B@h&b", head, body);
    EXPECT_EQ(early.code, "A&B");
    EXPECT_EQ(early.head, "@h");

    // Head and body are cut at their buffers' capacities.
    const Cut big = CutText("C@" + std::string(30, 'h') + "&" + std::string(30, 'b'), head, body);
    EXPECT_EQ(big.head.size(), 16u);
    EXPECT_EQ(big.body.size(), 16u);
}

TEST(MessageCutTest, MissingTerminatorNeverReusesThePreviousMessage) {
    CDynBuffer head;
    CDynBuffer body;
    ASSERT_TRUE(head.Allocate(64));
    ASSERT_TRUE(body.Allocate(64));
    ASSERT_TRUE(CutText("ORDER001@1@2@3@0@5@6@7@8@9@10&old@body", head, body).handled);
    const Cut c = CutText("ORDER001@1@2@3@0@5@6@7@8@9@11", head, body);
    EXPECT_TRUE(c.handled);
    EXPECT_EQ(c.head, "");
    EXPECT_EQ(c.body, "");
    CHeadParser<RspInfo> parsed(head);
    EXPECT_EQ(parsed.m_rspInfo.ErrorID, 90001);
    EXPECT_STREQ(parsed.m_rspInfo.ErrorMsg, "Parse head fails");
}

TEST(CommandMatchTest, PrefixRule) {
    struct Case {
        const char* received;
        const char* known;
        bool match;
    } cases[] = {
        {"UNLOGIN1", "UNLOGIN1", true},  {"UNLOG", "UNLOGIN1", true},      {"U", "UNLOGIN1", true},
        {"", "UNLOGIN1", false},         {"UNLOGIN12", "UNLOGIN1", false}, {"UNLOGX", "UNLOGIN1", false},
        {"unlogin1", "UNLOGIN1", false},
    };
    for (const auto& c : cases) EXPECT_EQ(CommandMatches(c.received, c.known), c.match) << c.received;
}

TEST(CommandMatchTest, FindCommandTakesTheFirstSelectedRow) {
    struct Row {
        const char* code;
        int handler;
    };
    static const Row table[] = {
        {OrvikCode::LOGINHK1, 1}, {OrvikCode::LOGIN002, 2},  {OrvikCode::HEARTBIT, 3},
        {OrvikCode::MARKET01, 4}, {OrvikCode::TradeDate, 5}, {OrvikCode::BrokerData, 6},
    };
    struct Case {
        const char* code;
        int handler;  // 0: no row
    } cases[] = {
        {"LOGINHK1", 1}, {"LOGIN", 1}, {"LOGIN0", 2}, {"LOGIN002", 2}, {"TEST0001", 3}, {"M", 4},
        {"M2", 5},       {"B", 6},     {"BROKER", 0}, {"LOGIN003", 0}, {"X", 0},
    };
    for (const auto& c : cases) {
        const Row* row = FindCommand(table, c.code);
        EXPECT_EQ(row != nullptr ? row->handler : 0, c.handler) << c.code;
    }
}

}  // namespace
