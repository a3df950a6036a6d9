#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace carrowin {

/// The buffer size a hidden match pattern asks for with "@B" followed by
/// hexadecimal digits, up to the next "@" or the end ("@B1E" is 30,
/// "@B50@9999" is 80); nullopt when the pattern has no directive.
///
/// The digits are read as the automation conversion reads "&H" and them:
/// missing, signed or non-hexadecimal digits raise error 13 (type
/// mismatch). A size that a field cannot have raises error 6 (overflow):
/// more than 32 bits, or a pattern of 32 bits with the top bit set, which
/// the conversion would read as a negative number.
std::optional<int32_t> BufferSizeDirective(std::u16string_view hiddenPattern);

}  // namespace carrowin
