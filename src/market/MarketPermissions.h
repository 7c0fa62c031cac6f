#pragma once

#include <string_view>

// The market permissions carried by the body of a login answer: entries separated by ';', each
// "key|value". Only the keys "stock" and "derivate" count; the exact value "BAD_USER" denies.
// Pure and allocation-free.
class MarketPermissions {
public:
    // What one login answer says; a key that does not occur leaves the earlier permission alone.
    struct Update {
        bool m_bStockSeen = false;
        bool m_bStockDenied = false;
        bool m_bDerivateSeen = false;
        bool m_bDerivateDenied = false;
    };

    // Reads the body text up to its first NUL. Entries without '|' are skipped; the key is the
    // text before the first '|', the value the text after it; a later entry of a key wins.
    static Update Read(std::string_view body);
};
