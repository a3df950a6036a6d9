#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/drel/drel.h"
#include "carrowin/wire/wire_encoding.h"
#include "drel/borrowed_bytes.h"
#include "drel/command_bytes.h"
#include "drel/command_text.h"

namespace carrowin {

namespace {

constexpr uint8_t kExtendedField = 'g';
constexpr int32_t kNoField = -1;
// The lowest value whose small number still has a byte ("/" is -1, 0x00 is -48).
constexpr int32_t kLowestSmallNumber = -48;
// Extended video attribute bits 1 to 64, sent as the digits "1" to "7".
constexpr int kVideoAttributeBits = 7;

constexpr bool IsFieldIndex(int32_t value) { return value >= 0 && value <= kMaxSmallNumber; }

// Procedure indexes and colours are sent as given, as long as they have a byte.
constexpr bool HasSmallNumberByte(int32_t value) {
  return value >= kLowestSmallNumber && value <= kMaxSmallNumber;
}

}  // namespace

void Drel::FieldBufferSizeSend(int32_t FieldIndex, int32_t BufferSize) {
  CheckForSend(4);
  FieldBufferSizeGetDrel(OutBuf(), FieldIndex, BufferSize);
}

void Drel::FieldBufferSizeGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex, int32_t BufferSize) {
  // A negative size means nothing to the terminal; one past the length code
  // has no bytes. Either refuses the command before its first byte.
  if (!IsFieldIndex(FieldIndex) || !InRange(BufferSize, 0, kMaxLengthCode)) return;
  CommandBytes command{kExtendedField, EncodeSmallNumber(FieldIndex), 'S'};
  command.AddLengthCode(BufferSize);
  PutCommand(CircBufSend, command.Bytes());
}

void Drel::PushButtonFieldSend(int32_t FieldIndex, int32_t ProcedureIndex) {
  CheckForSend(4);
  PushButtonFieldGetDrel(OutBuf(), FieldIndex, ProcedureIndex);
}

void Drel::PushButtonFieldGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex,
                                  int32_t ProcedureIndex) {
  if (!IsFieldIndex(FieldIndex) || !HasSmallNumberByte(ProcedureIndex)) return;
  PutCommand(CircBufSend, {kExtendedField, EncodeSmallNumber(FieldIndex), 'B',
                           EncodeSmallNumber(ProcedureIndex)});
}

void Drel::SetColorSend(int32_t FieldIndex, int32_t ForeColor, int32_t BackColor) {
  CheckForSend(5);
  SetColorGetDrel(OutBuf(), FieldIndex, ForeColor, BackColor);
}

void Drel::SetColorGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex, int32_t ForeColor,
                           int32_t BackColor) {
  if (!IsFieldIndex(FieldIndex) || !HasSmallNumberByte(ForeColor) ||
      !HasSmallNumberByte(BackColor)) {
    return;
  }
  PutCommand(CircBufSend, {kExtendedField, EncodeSmallNumber(FieldIndex), 'C',
                           EncodeSmallNumber(ForeColor), EncodeSmallNumber(BackColor)});
}

void Drel::ExtendedFieldVideoSend(int32_t FieldIndex, int32_t Attributes) {
  CheckForSend(11);
  ExtendedFieldVideoGetDrel(OutBuf(), FieldIndex, Attributes);
}

std::vector<uint8_t> Drel::ExtendedFieldVideoGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex,
                                                     int32_t Attributes) {
  if (!IsFieldIndex(FieldIndex)) return {};
  std::array<uint8_t, kVideoAttributeBits> digits{};
  int32_t count = 0;
  for (int bit = 0; bit < kVideoAttributeBits; ++bit) {
    if ((Attributes & (1 << bit)) != 0) digits[count++] = static_cast<uint8_t>('1' + bit);
  }
  // No attribute at all is the explicit "normal" digit, never an empty list.
  if (count == 0) digits[count++] = '0';
  CommandBytes command{kExtendedField, EncodeSmallNumber(FieldIndex), 'V',
                       EncodeSmallNumber(count)};
  for (int32_t i = 0; i < count; ++i) command.Add(digits[static_cast<size_t>(i)]);
  PutCommand(CircBufSend, command.Bytes());
  return {};
}

void Drel::UpdateFieldGetDrel(CircBuffer& CircBufSend, int32_t FieldNumber,
                              std::u16string_view Data, bool PerformCheckForSend, int32_t MaxLen) {
  // Only one-byte-per-character text is cut: a cut counted in characters
  // means nothing once a code page has reordered or widened the text.
  if (codepage_ == 0 && MaxLen >= 0 && static_cast<size_t>(MaxLen) < Data.size()) {
    Data = Data.substr(0, static_cast<size_t>(MaxLen));
  }
  BorrowedBytes storage(commandStorage_);
  const std::optional<CommandText> text = ScreenCommandText(Data, *storage);
  if (!text || !InRange(FieldNumber, kNoField, kMaxSmallNumber)) return;
  PutTextCommand(CircBufSend, {'u', EncodeSmallNumber(FieldNumber)}, *text, PerformCheckForSend);
}

void Drel::LocalProcedureSend(int32_t ProcedureIndex, CircBuffer& DrelCommands) {
  // A list near the 32-bit limit still asks for a flush, never a wrapped size.
  const int64_t size = int64_t{DrelCommands.Length()} + 3;
  CheckForSend(static_cast<int32_t>(std::min<int64_t>(size, std::numeric_limits<int32_t>::max())));
  LocalProcedureGetDrel(OutBuf(), ProcedureIndex, DrelCommands);
}

void Drel::LocalProcedureGetDrel(CircBuffer& CircBufSend, int32_t ProcedureIndex,
                                 CircBuffer& DrelCommands) {
  if (!IsFieldIndex(ProcedureIndex)) return;
  const int32_t length = DrelCommands.Length();
  if (length < 1) {
    RaiseError(errors::kSubscriptOutOfRange, u"Drel.LocalProcedureGetDrel",
               u"A local procedure needs at least one command");
  }
  const std::array<uint8_t, 2> head{'P', EncodeSmallNumber(ProcedureIndex)};
  BorrowedBytes commands(commandStorage_);
  commands->resize(static_cast<size_t>(length));
  DrelCommands.Get(length, *commands);
  commands->push_back('B');
  PutCommand(CircBufSend, head, CommandText(*commands));
}

}  // namespace carrowin
