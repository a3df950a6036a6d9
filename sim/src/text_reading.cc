#include "text_reading.h"

#include "carrowin/drel/code_pages.h"

namespace carrowin {

std::u16string ReadConvertedText(CommandCursor& cursor, int32_t codepage, std::string_view what) {
  const size_t at = cursor.Offset();
  const std::span<const uint8_t> bytes = cursor.LengthAndBytes(what);
  if (bytes.empty()) return {};
  // The length counts bytes after conversion, so it must not cut a
  // double-byte character in two.
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (IsDBCSLeadByteEx(codepage, bytes[i]) && ++i == bytes.size()) {
      cursor.Fail(at, std::string(what) + " ends inside a double-byte character");
    }
  }
  std::u16string text;
  if (MultiByteToWideChar(codepage, bytes, text).lastError != 0) {
    cursor.Fail(at, std::string(what) + " cannot be converted through code page " +
                        std::to_string(codepage));
  }
  return text;
}

std::u16string ReadPlainText(CommandCursor& cursor, std::string_view what) {
  return PlainText(cursor.LengthAndBytes(what));
}

std::u16string PlainText(std::span<const uint8_t> bytes) {
  return std::u16string(bytes.begin(), bytes.end());
}

}  // namespace carrowin
