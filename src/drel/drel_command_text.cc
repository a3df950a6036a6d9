#include "carrowin/drel/drel.h"

namespace carrowin {

// Empty text never reaches a code-page conversion: it goes as a zero length.
bool Drel::ScreenTextBytes(std::u16string_view text, std::vector<uint8_t>& bytes) {
  int32_t count = 0;
  if (text.empty() || codepage_ == 0) return ConvertStringToBytes(text, bytes, count);
  return ConvertUnicodeToMultiByte(text, bytes, count);
}

bool Drel::PrinterTextBytes(std::u16string_view text, std::vector<uint8_t>& bytes) {
  int32_t count = 0;
  if (text.empty() || printerCodepage_ == 0) return ConvertStringToBytes(text, bytes, count);
  return ConvertUnicodeToMultiByteEx(printerCodepage_, text, bytes, count);
}

}  // namespace carrowin
