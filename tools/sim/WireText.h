#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Text pieces the server writes: heads through the library's NetInfo, records through '@' joins,
// compressed bodies and batches through raw DEFLATE, numbers in the forms the answers use.
namespace WireText {

// Head fields 0.. (at most 11, missing ones empty), '&', body: NetInfo::MyToString.
std::string Message(const std::vector<std::string>& headFields, std::string_view body = {});
// An answer head: code, field 4 the error code, field 9 the transfer mode, field 10 the request id.
std::string Answer(std::string_view code, int requestId, std::string_view errorCode = "0", std::string_view body = {},
                   std::string_view mode = {});

// Fields joined by '@'; '@', '^' and '&' inside a field become ' ' so no field can break the record.
std::string Record(const std::vector<std::string>& fields);
// A record of `count` fields, all empty except those set in `at` (position, text).
std::string RecordAt(size_t count, std::initializer_list<std::pair<size_t, std::string>> at);
// Records joined by '^'.
std::string Join(const std::vector<std::string>& records, char sep = '^');

// Raw DEFLATE (no zlib or gzip wrapper); empty on failure.
std::string Deflate(std::string_view data);
// Base64 of the raw DEFLATE stream: a compressed body (transfer mode "1").
std::string CompressedBody(std::string_view text);
// A batch payload: 0x01 and the raw DEFLATE stream of the entries (32-bit little-endian length, message).
std::string BatchPayload(const std::vector<std::string>& messages);
// "{(len=%d)" payload "}" through the library's frame writer.
std::string Frame(std::string_view payload);

// A price or amount with `decimals` digits after the point.
std::string Fixed(double value, int decimals);
// Decimal::str of the library: the form the client writes its own decimal fields in.
std::string Dec(double value);

// Local time texts.
std::string DateTimeNow();  // YYYY-MM-DD HH:MM:SS
std::string TimeNow();      // HH:MM:SS
std::string DateNow();      // YYYYMMDD

}  // namespace WireText
