#pragma once

#include <cstdint>
#include <string>

namespace carrowin {

/// The status record's name of an inbound function code ("R" is
/// "Response", 0 "N/A", an unlisted code "Unknown: " and the code).
std::u16string FunctionCodeName(uint8_t code);
/// The status record's name of a Response record type ("F" is
/// "Function Key", 0 "N/A", an unlisted type "Unknown: " and the type).
std::u16string ResponseTypeName(uint8_t type);

}  // namespace carrowin
