#include "foundation/Decimal.h"

#include <cstdio>

std::string Decimal::str() const {
    // "%f" of the largest double is 316 characters.
    char text[400];
    int written = std::snprintf(text, sizeof text, "%f", m_dValue);
    if (written <= 0) {
        return std::string();
    }
    size_t length = static_cast<size_t>(written) < sizeof text ? static_cast<size_t>(written) : sizeof text - 1;
    // Drop trailing zeros, keeping one digit after the decimal point.
    while (length > 1 && text[length - 1] == '0' && text[length - 2] != '.') {
        --length;
    }
    return std::string(text, length);
}
