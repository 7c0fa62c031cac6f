// The market permissions of a login answer's body, against a plain reading of the same rules:
// ';'-separated "key|value" entries, only "stock" and "derivate" count, "BAD_USER" denies, the
// last entry of a key wins.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "FuzzCheck.h"
#include "market/MarketPermissions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const MarketPermissions::Update got = MarketPermissions::Read(input);

    MarketPermissions::Update want;
    const std::string_view text = input.substr(0, strnlen(input.data(), size));
    size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        size_t end = text.find(';', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view entry = text.substr(start, end - start);
        const size_t bar = entry.find('|');
        if (bar != std::string_view::npos) {
            const bool denied = entry.substr(bar + 1) == "BAD_USER";
            if (entry.substr(0, bar) == "stock") {
                want.m_bStockSeen = true;
                want.m_bStockDenied = denied;
            } else if (entry.substr(0, bar) == "derivate") {
                want.m_bDerivateSeen = true;
                want.m_bDerivateDenied = denied;
            }
        }
        start = end + 1;
    }
    FUZZ_EXPECT(got.m_bStockSeen == want.m_bStockSeen && got.m_bStockDenied == want.m_bStockDenied);
    FUZZ_EXPECT(got.m_bDerivateSeen == want.m_bDerivateSeen && got.m_bDerivateDenied == want.m_bDerivateDenied);
    return 0;
}
