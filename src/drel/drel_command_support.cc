#include <algorithm>

#include "carrowin/drel/drel.h"
#include "carrowin/drel/wire_encoding.h"
#include "carrowin/host/error.h"

namespace carrowin {

bool Drel::UnconvertedTextFits(std::u16string_view text) {
  if (text.size() > static_cast<size_t>(kMaxLengthCode)) return false;
  // The buffer would refuse such a character half-way through the command;
  // refusing it here keeps the buffer free of a partial command.
  if (std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; })) {
    RaiseError(errors::kInvalidProcedureCall, u"Drel",
               u"A character above U+00FF cannot be sent unconverted");
  }
  return true;
}

void Drel::PutUnconvertedText(CircBuffer& target, std::u16string_view text) {
  PutLengthCode(target, static_cast<int32_t>(text.size()));
  target.PutStr(text);
}

}  // namespace carrowin
