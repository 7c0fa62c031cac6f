#pragma once

#include <string>

// A decimal record field.
class Decimal {
public:
    Decimal() = default;
    explicit Decimal(double value) : m_dValue(value) {}
    // "%f", then trailing zeros removed while the character before them is not the decimal point:
    // 1.5 -> "1.5", 2 -> "2.0", 0.25 -> "0.25".
    std::string str() const;

    double m_dValue = 0.0;
};
