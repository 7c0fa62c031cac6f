#include "market/MarketPermissions.h"

#include "foundation/HP.h"

namespace {

constexpr std::string_view kStock = "stock";
constexpr std::string_view kDerivate = "derivate";
constexpr std::string_view kDenied = "BAD_USER";

}  // namespace

MarketPermissions::Update MarketPermissions::Read(std::string_view body) {
    Update update;
    body = body.substr(0, HP::BoundedLength(body.data(), body.size()));
    while (!body.empty()) {
        const size_t end = body.find(';');
        const std::string_view entry = body.substr(0, end);
        body = end == std::string_view::npos ? std::string_view() : body.substr(end + 1);

        const size_t bar = entry.find('|');
        if (bar == std::string_view::npos) continue;
        const std::string_view key = entry.substr(0, bar);
        const bool denied = entry.substr(bar + 1) == kDenied;
        if (key == kStock) {
            update.m_bStockSeen = true;
            update.m_bStockDenied = denied;
        } else if (key == kDerivate) {
            update.m_bDerivateSeen = true;
            update.m_bDerivateDenied = denied;
        }
    }
    return update;
}
