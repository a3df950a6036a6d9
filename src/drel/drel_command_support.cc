#include <algorithm>

#include "carrowin/drel/drel.h"
#include "carrowin/wire/wire_encoding.h"
#include "carrowin/automation/error.h"
#include "drel/command_bytes.h"

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

void Drel::WriteUnconvertedTextCommand(std::initializer_list<uint8_t> head,
                                       std::u16string_view text) {
  if (!UnconvertedTextFits(text)) return;
  CheckForSend(static_cast<int32_t>(head.size() + 1 + text.size()));
  CircBuffer& target = OutBuf();
  PutBytes(target, head);
  PutUnconvertedText(target, text);
}

bool Drel::ScreenCommandText(std::u16string_view text, std::vector<uint8_t>& bytes) {
  return ScreenTextBytes(text, bytes) && bytes.size() <= static_cast<size_t>(kMaxLengthCode);
}

void Drel::PutTextCommand(CircBuffer& target, std::initializer_list<uint8_t> head,
                          const std::vector<uint8_t>& bytes, bool makeRoom) {
  if (makeRoom) CheckForSend(static_cast<int32_t>(head.size() + 1 + bytes.size()));
  PutBytes(target, head);
  PutText(target, bytes);
}

}  // namespace carrowin
