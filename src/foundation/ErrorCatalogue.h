#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

// The error-code catalogues of the three API kinds: code text (five digits) to UTF-8 message.
using ErrorMap = std::map<std::string, std::string, std::less<>>;

namespace STOCK {
extern const ErrorMap _error;  // 97 entries
}
namespace FUTURE {
extern const ErrorMap _error;  // 88 entries
}
namespace MARKET {
extern const ErrorMap _error;  // 31 entries
}

// Text of `code` in `map` (exact key match), or "未定义的错误码" when absent.
const char* LookupErrorText(const ErrorMap& map, std::string_view code);
