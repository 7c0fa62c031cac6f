#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "foundation/CDynBuffer.h"
#include "secure/BodyCodec.h"

// Parses the body of the message being handled into records of type T (a CRecord or a type with
// the same ReadString). A compressed body is Base64-decoded in place and inflated into `unzip`.
// Errors: 90002 "Decompress fails", 90003 "Normal body is empty" (a list without text),
// 90004 "Compress body is empty". Records whose text has too few items are dropped.
template <class T>
class CBodyParser {
public:
    CBodyParser(CDynBuffer& body, CDynBuffer& unzip, bool compressed, bool list) {
        std::string_view text;
        if (compressed) {
            if (body.Length() == 0) {
                Fail(90004, "Compress body is empty");
            } else {
                size_t produced = 0;
                if (unzip.Capacity() > 0 &&
                    BodyCodec::DecodeAndInflate(body.Data(), static_cast<size_t>(body.Length()), unzip.Data(),
                                                static_cast<size_t>(unzip.Capacity()), &produced)) {
                    unzip.SetLength(static_cast<int64_t>(produced));
                    text = unzip.View();
                } else {
                    unzip.SetLength(0);
                    Fail(90002, "Decompress fails");
                }
            }
        } else {
            text = body.View();
        }
        // Text is read up to its first NUL, as everywhere in the grammar.
        if (const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size()))
            text = text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
        if (!text.empty()) {
            if (list) {
                m_vecRecords.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '^')) + 1);
                size_t start = 0;
                for (;;) {
                    const size_t caret = text.find('^', start);
                    Add(text.substr(start, caret == std::string_view::npos ? std::string_view::npos : caret - start));
                    if (caret == std::string_view::npos) break;
                    start = caret + 1;
                }
            } else {
                Add(text);
            }
        } else if (list) {
            Fail(90003, "Normal body is empty");
        }
        m_bDone = true;
    }

    bool m_bDone = false;
    int64_t m_lErrorCode = 0;
    const char* m_pErrorText = "";
    // The records, in body order. The storage is the receive thread's own and is reused from one
    // message to the next, so a message allocates nothing once the largest list has been seen.
    // (One parser of a record type at a time per thread: the dispatcher handles one message at a time.)
    std::vector<T>& m_vecRecords = Storage();

private:
    static std::vector<T>& Storage() {
        thread_local std::vector<T> storage;
        storage.clear();
        return storage;
    }
    void Fail(int64_t code, const char* text) {
        m_lErrorCode = code;
        m_pErrorText = text;
    }
    void Add(std::string_view piece) {
        // Parsed in place: a record that does not parse is taken off again.
        m_vecRecords.emplace_back();
        if (!m_vecRecords.back().ReadString(piece)) m_vecRecords.pop_back();
    }
};
