#include <gtest/gtest.h>

#include <string>

#include "future/FutureRecords.h"
#include "refdata/FutureRefData.h"

namespace {

std::string Fields(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += (i ? "@" : "") + ("v" + std::to_string(i));
    return out;
}

// Fields 24 to 33 of an order answer count only when all 34 fields are present.
TEST(FutureRecordsTest, OrderAnswerTakesItsLastTenFieldsOnlyWhenComplete) {
    const struct {
        size_t fields;
        bool parses;
        const char* item23;
        const char* item24;
        const char* item33;
    } cases[] = {
        {23, false, "", "", ""},         {24, true, "v23", "", ""},
        {30, true, "v23", "", ""},       {33, true, "v23", "", ""},
        {34, true, "v23", "v24", "v33"}, {40, true, "v23", "v24", "v33"},  // items beyond the record are ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        const std::string text = Fields(c.fields);
        FUTURE::OrderResponseInfo record;
        ASSERT_EQ(record.ReadString(text), c.parses);
        if (!c.parses) continue;
        EXPECT_EQ(record.m_item[23], c.item23);
        EXPECT_EQ(record.m_item[24], c.item24);
        EXPECT_EQ(record.m_item[33], c.item33);
        EXPECT_LE(record.m_nCount, c.fields < 34 ? size_t{24} : size_t{34});
    }
}

TEST(FutureRecordsTest, RequestRecordsOfTheReferenceQueries) {
    FUTURE::UseContractInfo instrument;
    FutureRefData::FillInstrumentRequest(instrument);
    instrument.m_item[1] = "EX";
    EXPECT_EQ(instrument.MyToString(),
              "@EX@@@@@@@@0.0@0.0@@0@@0@0@0@0.0@@0.0@0.0@0.0@0.0@0.0@0.0@0.0@@@0.0@0.0@@@@@@@@@");

    FUTURE::StartegyDetailRequest detail;
    FutureRefData::FillStrategyDetailRequest(detail);
    detail.m_item[7] = "S1";
    EXPECT_EQ(detail.MyToString(), "@@@0@@0@@S1@@0@");
}

}  // namespace
