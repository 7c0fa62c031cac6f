// The message grammar on the receive side: cutting a message into code, head and body, parsing
// the head, and parsing the body (plain, compressed by the server, or compressed here from the
// fuzzed text) into records, each checked against a plain reading of the same rules. The first
// input byte holds the options, the rest is the message.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "foundation/CDynBuffer.h"
#include "foundation/HP.h"
#include "secure/BodyCodec.h"
#include "secure/CBodyParser.h"
#include "secure/CHeadParser.h"
#include "secure/CRecord.h"
#include "secure/MessageCut.h"

namespace {

struct RspInfo {
    int ErrorID;
    char ErrorMsg[256];
};
using Record = CRecord<5, 2>;

constexpr size_t kUnzipCapacity = 65536;

std::vector<std::string_view> Split(std::string_view text, char sep) {
    std::vector<std::string_view> out;
    if (text.empty()) return out;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(sep, start);
        out.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return out;
        start = end + 1;
    }
}

std::string_view UpToNul(std::string_view text) {
    return text.substr(0, strnlen(text.data(), text.size()));
}

std::string CompressedText(std::string_view text) {
    std::string packed;
    FUZZ_EXPECT(BodyCodec::DeflateRaw(text, Z_DEFAULT_COMPRESSION, packed));
    return HP::EncodeBase64(reinterpret_cast<const unsigned char*>(packed.data()), packed.size());
}

// The records a body text gives: its '^' pieces (the whole text for a single record) with at
// least two '@' items, each as its items.
std::vector<std::vector<std::string_view>> ExpectedRecords(std::string_view text, bool list) {
    std::vector<std::vector<std::string_view>> out;
    const std::vector<std::string_view> pieces = list ? Split(text, '^') : std::vector<std::string_view>{text};
    for (std::string_view piece : pieces) {
        std::vector<std::string_view> items = Split(piece, '@');
        if (items.size() >= Record::kMin) out.push_back(items);
    }
    return out;
}

void CheckRecords(const std::vector<Record>& got, const std::vector<std::vector<std::string_view>>& want) {
    FUZZ_EXPECT(got.size() == want.size());
    for (size_t r = 0; r < got.size(); ++r) {
        for (size_t i = 0; i < Record::kFields; ++i)
            FUZZ_EXPECT(got[r].m_item[i] == (i < want[r].size() ? want[r][i] : std::string_view()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Two sets of buffers, made once: the object's sizes, and small ones that show the cut to
    // capacity.
    struct Buffers {
        CDynBuffer head;
        CDynBuffer body;
        CDynBuffer unzip;
        Buffers(int64_t headCapacity, int64_t bodyCapacity) {
            head.Allocate(headCapacity);
            body.Allocate(bodyCapacity);
            unzip.Allocate(kUnzipCapacity);
        }
    };
    static Buffers* large = new Buffers(16384, 1 << 20);
    static Buffers* small = new Buffers(32, 64);
    if (size < 1) return 0;
    const uint8_t options = data[0];
    const bool list = (options & 1) != 0;
    const bool compressHere = (options & 2) != 0;
    Buffers& buffers = (options & 4) != 0 ? *small : *large;
    CDynBuffer* head = &buffers.head;
    CDynBuffer* body = &buffers.body;
    CDynBuffer* unzip = &buffers.unzip;
    const int64_t headCapacity = head->Capacity();
    const int64_t bodyCapacity = body->Capacity();

    const std::string_view message(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view code;
    const bool cut = CutMessage(reinterpret_cast<const unsigned char*>(message.data()),
                                static_cast<long>(message.size()), &code, *head, *body);
    const size_t at = message.find('@');
    FUZZ_EXPECT(cut == (!message.empty() && message[0] != '@' && at != std::string_view::npos));
    if (!cut) return 0;
    FUZZ_EXPECT(code == message.substr(0, at));
    const size_t amp = message.find('&', at);
    std::string_view wantHead;
    std::string_view wantBody;
    if (amp != std::string_view::npos) {
        wantHead = message.substr(at, amp - at).substr(0, static_cast<size_t>(headCapacity));
        wantBody = message.substr(amp + 1).substr(0, static_cast<size_t>(bodyCapacity));
    }
    FUZZ_EXPECT(head->View() == wantHead && body->View() == wantBody);

    CHeadParser<RspInfo> parsed(*head);
    const std::vector<std::string_view> fields = Split(UpToNul(head->View()), '@');
    FUZZ_EXPECT(parsed.m_bParsed == (fields.size() >= 7));
    FUZZ_EXPECT(FuzzCheck::Terminated(parsed.m_rspInfo.ErrorMsg));
    if (!parsed.m_bParsed) {
        FUZZ_EXPECT(parsed.m_rspInfo.ErrorID == 90001 &&
                    std::strcmp(parsed.m_rspInfo.ErrorMsg, "Parse head fails") == 0);
        FUZZ_EXPECT(!parsed.m_bCompressed && parsed.m_iRequestId == 0);
        return 0;
    }
    const std::string_view mode = fields.size() > 9 ? fields[9] : std::string_view();
    FUZZ_EXPECT(parsed.m_bCompressed == (mode == "1" || mode == "2"));

    std::string plain(body->View());
    bool compressed = parsed.m_bCompressed;
    if (compressHere) {
        const std::string packed = CompressedText(plain);
        body->Assign(packed.data(), static_cast<int64_t>(packed.size()));
        if (body->Length() != static_cast<int64_t>(packed.size())) return 0;  // does not fit the small buffer
        compressed = true;
    }
    CBodyParser<Record> records(*body, *unzip, compressed, list);
    FUZZ_EXPECT(records.m_bDone);
    if (compressed && !compressHere) {
        // The server's compressed form: only the possible outcomes are known here.
        const int64_t e = records.m_lErrorCode;
        FUZZ_EXPECT(e == 0 || e == 90002 || e == 90003 || e == 90004);
        FUZZ_EXPECT((e == 90004) == (body->Length() == 0 && !list));
        return 0;
    }
    if (compressHere && plain.size() >= kUnzipCapacity) {
        FUZZ_EXPECT(records.m_lErrorCode == (list ? 90003 : 90002));
        return 0;
    }
    const std::string_view text = UpToNul(plain);
    FUZZ_EXPECT(records.m_lErrorCode == (text.empty() && list ? 90003 : 0));
    CheckRecords(records.m_vecRecords, ExpectedRecords(text, list));
    return 0;
}
