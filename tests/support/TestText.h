#pragma once

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// Small builders of message texts and request structs for the tests.

// A request or data struct with every byte zero.
template <class Field>
Field Zeroed() {
    Field f;
    std::memset(&f, 0, sizeof f);
    return f;
}

using Items = std::initializer_list<std::pair<size_t, const char*>>;

// `n` '@'-joined fields, empty but for the given positions.
inline std::string Record(size_t n, Items items = {}) {
    std::vector<std::string> fields(n);
    for (const auto& [position, value] : items) fields.at(position) = value;
    std::string out;
    for (size_t i = 0; i < n; ++i) out += (i ? "@" : "") + fields[i];
    return out;
}

// A message: eleven head fields (field 0 the code), '&', the body.
inline std::string Message(const char* code, Items head, const std::string& body = std::string()) {
    std::vector<std::string> h(11);
    h[0] = code;
    for (const auto& [position, value] : head) h.at(position) = value;
    std::string out;
    for (size_t i = 0; i < 11; ++i) out += (i ? "@" : "") + h[i];
    return out + "&" + body;
}

// `n` fields "v0@v1@..." (with another prefix if given).
inline std::string Fields(size_t n, const std::string& prefix = "v") {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += (i ? "@" : "") + prefix + std::to_string(i);
    return out;
}

// `n` numeric fields "0@1.5@2@3.5@...".
inline std::string Numbers(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += (i ? "@" : "") + std::to_string(i) + (i % 2 ? ".5" : "");
    return out;
}
