#include "text_reading.h"

#include <vector>

#include "carrowin/drel/code_pages.h"

namespace carrowin {

namespace {
// Screen text of a double-byte code page announces its first double-byte
// character with this byte, which the terminal does not show.
constexpr uint8_t kDoubleByteMarker = 0x11;
}  // namespace

std::u16string ReadConvertedText(CommandCursor& cursor, int32_t codepage, std::string_view what,
                                 bool marked) {
  const size_t at = cursor.Offset();
  const std::span<const uint8_t> sent = cursor.LengthAndBytes(what);
  if (sent.empty()) return {};
  std::vector<uint8_t> bytes;
  bytes.reserve(sent.size());
  bool announced = false;
  for (size_t i = 0; i < sent.size(); ++i) {
    const uint8_t byte = sent[i];
    if (marked && !announced && byte == kDoubleByteMarker && i + 1 < sent.size() &&
        IsDBCSLeadByteEx(codepage, sent[i + 1])) {
      announced = true;
      continue;
    }
    if (IsDBCSLeadByteEx(codepage, byte)) {
      // The length counts bytes after conversion, so it must not cut a
      // double-byte character in two.
      if (i + 1 == sent.size()) {
        cursor.Fail(at, std::string(what) + " ends inside a double-byte character");
      }
      if (marked && !announced) {
        cursor.Fail(at, std::string(what) + " has double-byte characters without the marker " +
                            ByteName(kDoubleByteMarker) + " before them");
      }
      bytes.push_back(byte);
      bytes.push_back(sent[++i]);
      continue;
    }
    bytes.push_back(byte);
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
