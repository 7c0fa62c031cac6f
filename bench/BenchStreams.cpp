#include "BenchStreams.h"

#include <cstdio>

#include "support/MessageBuilder.h"

namespace BenchStreams {

namespace {

std::string Number(size_t value, size_t width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*zu", static_cast<int>(width), value);
    return text;
}

std::string Price(size_t base, size_t step) {
    char text[32];
    std::snprintf(text, sizeof text, "%zu.%03zu", base, step % 1000);
    return text;
}

std::string Join(const std::vector<std::string>& items, char sep) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i != 0) text += sep;
        text += items[i];
    }
    return text;
}

}  // namespace

std::string FullQuote(size_t index) {
    std::vector<std::string> items;
    items.emplace_back(Number(index % 100000, 5));  // 0 code
    items.emplace_back("HKEX");                     // 1 exchange
    items.emplace_back("TENCENT");                  // 2 name
    for (size_t i = 3; i < 12; ++i) items.emplace_back(Price(380 + i, index + i));
    // 12: a value and five depth levels of four values each.
    std::vector<std::string> depth{Number(index % 1000, 3)};
    for (size_t level = 0; level < 5; ++level) {
        depth.emplace_back(Price(388, level * 200));
        depth.emplace_back(Number(1000 + level * 100, 4));
        depth.emplace_back(Price(389, level * 200));
        depth.emplace_back(Number(900 + level * 100, 4));
    }
    items.emplace_back(Join(depth, ','));
    for (size_t i = 13; i < 41; ++i)
        items.emplace_back(i % 3 == 0 ? Price(100 + i, index) : Number(i * 37 + index % 7, 3));
    items.emplace_back("F");  // 41, the last item: the record type of a full quote
    return MessageBuilder::Answer("MARKET01", 0, "0", Join(items, '@'));
}

std::string UpdateY(size_t index) {
    const std::vector<std::string> items{Number(index % 100000, 5),
                                         "HKEX",
                                         Price(388, index),
                                         Number(1200 + index % 100, 4),
                                         Price(389, index),
                                         Number(300, 3),
                                         Number(1, 1),
                                         Number(2, 1),
                                         Number(3, 1),
                                         "Y"};
    return MessageBuilder::Answer("MARKET01", 0, "0", Join(items, '@'));
}

std::string Framed(size_t count, std::string (*make)(size_t)) {
    std::string stream;
    for (size_t i = 0; i < count; ++i) stream += MessageBuilder::Frame(make(i));
    return stream;
}

std::string Batches(size_t count, size_t perBatch, std::string (*make)(size_t)) {
    std::string stream;
    for (size_t b = 0; b < count; ++b) {
        std::vector<std::string> messages;
        for (size_t i = 0; i < perBatch; ++i) messages.emplace_back(make(b * perBatch + i));
        stream += MessageBuilder::Frame(MessageBuilder::BatchPayload(MessageBuilder::BatchEntries(messages)));
    }
    return stream;
}

std::string PositionList(size_t records) {
    std::vector<std::string> list;
    for (size_t r = 0; r < records; ++r) {
        // 23 fields: texts, reals and integers as the position record has them.
        list.emplace_back(Join({"ACC0001",      Number(r % 100000, 5), "TENCENT HOLDINGS", "HKEX",
                                Price(388, r),  Number(1000 + r, 5),   Number(1000, 4),    Number(0, 1),
                                Price(386, r),  Price(388200, r),      Number(0, 1),       Number(r % 10, 1),
                                "HKD",          Price(1, r),           Number(100, 3),     Number(0, 1),
                                Number(0, 1),   Number(0, 1),          Number(0, 1),       Number(0, 1),
                                Number(100, 3), Number(200, 3),        Number(300, 3)},
                               '@'));
    }
    return MessageBuilder::Answer("HoldStLs", 7, "0", Join(list, '^'));
}

std::string OrderList(size_t records) {
    std::vector<std::string> list;
    for (size_t r = 0; r < records; ++r) {
        std::vector<std::string> fields;
        fields.emplace_back("USER01");
        fields.emplace_back("ACC0001");
        fields.emplace_back(Number(700000 + r, 8));  // system number
        fields.emplace_back(Number(r, 6));           // local number
        fields.emplace_back("HKEX");
        for (size_t i = 5; i < 32; ++i) fields.emplace_back(i % 2 == 0 ? Price(388, r + i) : Number(i * 11 + r % 9, 3));
        list.emplace_back(Join(fields, '@'));
    }
    return MessageBuilder::Answer("OrdeStLs", 8, "0", Join(list, '^'));
}

std::string StockPush(size_t index) {
    std::vector<std::string> fields;
    const char* code = "";
    size_t count = 0;
    switch (index % 4) {
        case 0:
            code = "StatStHK";
            count = 21;
            break;
        case 1:
            code = "FillStHK";
            count = 24;
            break;
        case 2:
            code = "HoldStHK";
            count = 23;
            break;
        default:
            code = "AccoStHK";
            count = 46;
            break;
    }
    fields.emplace_back("ACC0001");
    fields.emplace_back(Number(index % 100000, 5));
    fields.emplace_back("HKEX");
    for (size_t i = 3; i < count; ++i) fields.emplace_back(i % 2 == 0 ? Price(388, index + i) : Number(i * 13, 3));
    return MessageBuilder::Answer(code, 0, "0", Join(fields, '@'));
}

std::string OrderStatusOfLength(size_t index, size_t length) {
    std::vector<std::string> fields;
    fields.emplace_back("ACC0001");
    fields.emplace_back(Number(index % 100000, 5));
    fields.emplace_back("HKEX");
    for (size_t i = 3; i < 20; ++i) fields.emplace_back(i % 2 == 0 ? Price(388, index + i) : Number(i * 13, 3));
    fields.emplace_back("");  // the last field takes up the rest of the wanted length
    std::string message = MessageBuilder::Answer("StatStHK", 0, "0", Join(fields, '@'));
    if (message.size() < length) message.append(length - message.size(), 'x');
    return message;
}

size_t MessageBytes(size_t count, std::string (*make)(size_t)) {
    size_t total = 0;
    for (size_t i = 0; i < count; ++i) total += make(i).size();
    return total;
}

}  // namespace BenchStreams
