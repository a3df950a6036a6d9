#include "carrowin/drel/text_width.h"

#include <algorithm>
#include <limits>

namespace carrowin {

bool IsDoubleWidth(char16_t code) {
  // From F004, not from F900 where the compatibility ideographs begin: the
  // private-use codes F004 to F8FF are measured double width as well.
  return (code >= 0x3000 && code <= 0x9FFF) || (code >= 0xAC00 && code <= 0xD7FF) ||
         (code >= 0xF004 && code <= 0xFAFF) || (code >= 0xFE30 && code <= 0xFF6F) ||
         (code >= 0xFFE0 && code <= 0xFFE7);
}

int32_t DisplayWidth(std::u16string_view text, bool countDoubleWidth) {
  uint64_t width = text.size();
  if (countDoubleWidth)
    width += static_cast<uint64_t>(std::count_if(text.begin(), text.end(), IsDoubleWidth));
  return static_cast<int32_t>(
      std::min<uint64_t>(width, static_cast<uint64_t>(std::numeric_limits<int32_t>::max())));
}

bool ContainsDoubleWidth(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), IsDoubleWidth);
}

}  // namespace carrowin
