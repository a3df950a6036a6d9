#include "carrowin/drel/drel.h"

namespace carrowin {

// Empty text never reaches a code-page conversion: it goes as a zero length.
// The conversions report their byte count separately from the array, which
// may be larger; the commands send exactly `count` bytes.
bool Drel::ScreenTextBytes(std::u16string_view text, std::vector<uint8_t>& bytes) {
  int32_t count = 0;
  const bool converted = text.empty() || codepage_ == 0
                             ? ConvertStringToBytes(text, bytes, count)
                             : ConvertUnicodeToMultiByte(text, bytes, count);
  if (converted) bytes.resize(static_cast<size_t>(count));
  return converted;
}

bool Drel::PrinterTextBytes(std::u16string_view text, std::vector<uint8_t>& bytes) {
  int32_t count = 0;
  const bool converted = text.empty() || printerCodepage_ == 0
                             ? ConvertStringToBytes(text, bytes, count)
                             : ConvertUnicodeToMultiByteEx(printerCodepage_, text, bytes, count);
  if (converted) bytes.resize(static_cast<size_t>(count));
  return converted;
}

}  // namespace carrowin
