#include <algorithm>

#include "carrowin/automation/error.h"
#include "carrowin/drel/drel.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/wire/wire_encoding.h"
#include "drel/borrowed_bytes.h"
#include "drel/command_bytes.h"
#include "drel/command_text.h"
#include "drel/direct_buffer.h"

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

void Drel::WriteUnconvertedTextCommand(std::initializer_list<uint8_t> head,
                                       std::u16string_view text) {
  if (!UnconvertedTextFits(text)) return;
  PutTextCommand(OutBuf(), head, CommandText(text), true);
}

std::optional<CommandText> Drel::ScreenCommandText(std::u16string_view text,
                                                   std::vector<uint8_t>& storage) {
  if ((text.empty() || codepage_ == 0) && text.size() <= static_cast<size_t>(kMaxLengthCode) &&
      IsAscii(text)) {
    return CommandText(text);
  }
  if (!ScreenTextBytes(text, storage) || storage.size() > static_cast<size_t>(kMaxLengthCode)) {
    return std::nullopt;
  }
  return CommandText(storage);
}

void Drel::PutCommand(CircBuffer& target, std::span<const uint8_t> bytes) {
  GrowingCircBuffer* direct =
      &target == directOutBuf_ ? directOutBuf_ : DirectGrowingBuffer(&target);
  if (direct != nullptr) [[likely]] {
    direct->Append(bytes);
    return;
  }
  PutStaged(target, bytes, CommandText(std::span<const uint8_t>()));
}

void Drel::PutCommand(CircBuffer& target, std::initializer_list<uint8_t> bytes) {
  PutCommand(target, std::span<const uint8_t>(bytes.begin(), bytes.size()));
}

void Drel::PutCommand(CircBuffer& target, std::span<const uint8_t> head, const CommandText& text) {
  GrowingCircBuffer* direct =
      &target == directOutBuf_ ? directOutBuf_ : DirectGrowingBuffer(&target);
  if (direct != nullptr) [[likely]] {
    direct->Append(head);
    if (text.IsUnits()) {
      direct->GrowingCircBuffer::PutStr(text.Units());
    } else {
      direct->Append(text.Bytes());
    }
    return;
  }
  PutStaged(target, head, text);
}

void Drel::PutStaged(CircBuffer& target, std::span<const uint8_t> head, const CommandText& text) {
  BorrowedBytes command(stagingStorage_);
  command->assign(head.begin(), head.end());
  if (text.IsUnits()) {
    command->insert(command->end(), text.Units().begin(), text.Units().end());
  } else {
    command->insert(command->end(), text.Bytes().begin(), text.Bytes().end());
  }
  target.Put(static_cast<int32_t>(command->size()), *command);
}

void Drel::PutTextCommand(CircBuffer& target, std::initializer_list<uint8_t> head,
                          const CommandText& text, bool makeRoom) {
  CommandBytes prefix(head);
  prefix.AddLengthCode(text.Size());
  if (makeRoom) CheckForSend(static_cast<int32_t>(head.size()) + 1 + text.Size());
  PutCommand(target, prefix.Bytes(), text);
}

}  // namespace carrowin
