#include "automation/format/text_case.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace carrowin::format {

size_t CharacterLength(std::u16string_view text, size_t index) {
  return index + 1 < text.size() && U16_IS_LEAD(text[index]) && U16_IS_TRAIL(text[index + 1]) ? 2
                                                                                              : 1;
}

std::u16string ConvertCase(std::u16string_view text, TextCase textCase) {
  if (textCase == TextCase::kAsIs) return std::u16string(text);
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharacterLength(text, i);
    const UChar32 c = length == 2 ? U16_GET_SUPPLEMENTARY(text[i], text[i + 1]) : text[i];
    const UChar32 mapped = textCase == TextCase::kUpper ? u_toupper(c) : u_tolower(c);
    if (U_IS_BMP(mapped)) {
      out.push_back(static_cast<char16_t>(mapped));
    } else {
      out.push_back(static_cast<char16_t>(U16_LEAD(mapped)));
      out.push_back(static_cast<char16_t>(U16_TRAIL(mapped)));
    }
    i += length;
  }
  return out;
}

}  // namespace carrowin::format
