#include "screen/buffer_size_directive.h"

#include <string>

#include "carrowin/automation/error.h"
#include "carrowin/automation/variant.h"

namespace carrowin {

std::optional<int32_t> BufferSizeDirective(std::u16string_view hiddenPattern) {
  const size_t directive = hiddenPattern.find(u"@B");
  if (directive == std::u16string_view::npos) return std::nullopt;
  const size_t digitsStart = directive + 2;
  const size_t digitsEnd = hiddenPattern.find(u'@', directive + 1);
  std::u16string number = u"&H";
  number.append(hiddenPattern.substr(digitsStart, digitsEnd == std::u16string_view::npos
                                                      ? std::u16string_view::npos
                                                      : digitsEnd - digitsStart));
  int32_t size = -1;
  try {
    size = Variant(number).ToLong();
  } catch (const Error& error) {
    if (error.Number() != errors::kOverflow) {
      RaiseError(errors::kTypeMismatch, u"Field",
                 u"The buffer size in the hidden pattern is not a hexadecimal number");
    }
  }
  if (size < 0) {
    RaiseError(errors::kOverflow, u"Field",
               u"The buffer size in the hidden pattern is larger than a field can hold");
  }
  return size;
}

}  // namespace carrowin
