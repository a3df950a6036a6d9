#pragma once

#include <string>
#include <string_view>

namespace carrowin {

/// UTF-16 text as UTF-8. An unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

/// UTF-8 text as UTF-16. A malformed sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);

}  // namespace carrowin
