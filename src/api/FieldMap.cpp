#include "api/FieldMap.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "foundation/HP.h"
#include "secure/NetInfo.h"

namespace {

constexpr size_t kTextSize = 256;

std::string_view ItemAt(const std::string_view* items, size_t count, size_t index) {
    return index < count ? items[index] : std::string_view();
}

}  // namespace

void FormatDecimals(double value, int decimals, char* out, size_t size) {
    double rounded;
    if (decimals < 1) {
        rounded = std::round(value);
        decimals = 0;
    } else {
        if (decimals > 15) decimals = 15;  // beyond this a double carries no more digits
        double scale = 1.0;
        for (int i = 0; i < decimals; ++i) scale *= 10.0;
        rounded = std::round(value * scale) / scale;
    }
    int n = std::snprintf(out, size, "%.*f", decimals, rounded);
    if (n < 0 || size == 0) return;
    size_t len = std::strlen(out);
    if (std::strchr(out, '.') != nullptr) {
        while (len >= 2 && out[len - 1] == '0' && out[len - 2] != '.') out[--len] = '\0';
    }
}

void FillFields(void* data, const FieldTable& table, const std::string_view* items, size_t count, const NetInfo* head) {
    auto* base = static_cast<unsigned char*>(data);
    for (size_t i = 0; i < table.count; ++i) {
        const FieldMap& f = table.rows[i];
        unsigned char* member = base + f.offset;
        switch (f.kind) {
            case FieldKind::Text:
                HP::SafeCopy(reinterpret_cast<char*>(member), kTextSize, ItemAt(items, count, f.source));
                break;
            case FieldKind::Int: {
                int32_t v = HP::ToInt(ItemAt(items, count, f.source));
                std::memcpy(member, &v, sizeof v);
                break;
            }
            case FieldKind::Real: {
                double v = HP::ToDouble(ItemAt(items, count, f.source));
                std::memcpy(member, &v, sizeof v);
                break;
            }
            case FieldKind::IntReal: {
                double v = static_cast<double>(HP::ToInt(ItemAt(items, count, f.source)));
                std::memcpy(member, &v, sizeof v);
                break;
            }
            case FieldKind::Head:
                if (head != nullptr && f.source < 11)
                    HP::SafeCopy(reinterpret_cast<char*>(member), kTextSize, head->m_strField[f.source]);
                break;
            case FieldKind::Flag: {
                double v = HP::ToDouble(ItemAt(items, count, f.source));
                double t = std::trunc(v);
                double n = t + ((v - t) > 0.5 ? 1.0 : 0.0);
                char* text = reinterpret_cast<char*>(member);
                text[0] = n != 0.0 ? '\x01' : '\0';
                text[1] = '\0';
                break;
            }
            case FieldKind::Decimals: {
                int decimals = HP::ToInt(ItemAt(items, count, f.extra));
                double v = count > f.source ? HP::ToDouble(items[f.source]) : 0.0;
                FormatDecimals(v, decimals, reinterpret_cast<char*>(member), kTextSize);
                break;
            }
        }
    }
}
