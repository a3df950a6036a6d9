#include <cstdint>
#include <vector>

#include "carrowin/drel/drel.h"
#include "carrowin/wire/wire_encoding.h"
#include "drel/borrowed_bytes.h"
#include "drel/command_bytes.h"
#include "drel/command_text.h"

namespace carrowin {

namespace {

constexpr int32_t kNoField = -1;

constexpr bool IsFieldNumber(int32_t value) {
  return value >= kNoField && value <= kMaxSmallNumber;
}

// Pages, rows and columns have no "none" value.
constexpr bool IsPlace(int32_t value) { return value >= 0 && value <= kMaxSmallNumber; }

// Style, flags and attribute bits travel as their low 8 bits.
constexpr uint8_t LowByte(int32_t value) { return static_cast<uint8_t>(value & 0xFF); }

}  // namespace

void Drel::PageCommand(uint8_t command, int32_t lPageNumber) {
  if (!IsPlace(lPageNumber)) return;
  CheckForSend(2);
  PutCommand(OutBuf(), {command, EncodeSmallNumber(lPageNumber)});
  lastOpenField_ = kNoField;
}

void Drel::SelectPage(int32_t lPageNumber) { PageCommand('s', lPageNumber); }

void Drel::DisplayPage(int32_t lPageNumber) { PageCommand('d', lPageNumber); }

void Drel::OpenField(int32_t lFieldNumber) {
  if (!IsFieldNumber(lFieldNumber)) return;
  CheckForSend(errorBellTone_ ? 3 : 2);
  OpenFieldGetDrel(OutBuf(), lFieldNumber);
}

void Drel::OpenFieldGetDrel(CircBuffer& target, int32_t lFieldNumber) {
  if (!IsFieldNumber(lFieldNumber)) return;
  const uint8_t field = EncodeSmallNumber(lFieldNumber);
  if (errorBellTone_) {
    PutCommand(target, {'#', 'o', field});
  } else {
    PutCommand(target, {'o', field});
  }
  errorBellTone_ = false;
  lastOpenField_ = lFieldNumber;
}

void Drel::FixedField(int32_t lFieldNumber, int32_t lFieldRow, int32_t lFieldColumn,
                      std::u16string_view sData) {
  BorrowedBytes storage(commandStorage_);
  const std::optional<CommandText> text = ScreenCommandText(sData, *storage);
  if (!text || !IsFieldNumber(lFieldNumber) || !IsPlace(lFieldRow) || !IsPlace(lFieldColumn)) {
    return;
  }
  PutTextCommand(OutBuf(),
                 {'f', EncodeSmallNumber(lFieldNumber), EncodeSmallNumber(lFieldRow),
                  EncodeSmallNumber(lFieldColumn)},
                 *text, true);
}

void Drel::InitField(int32_t lFieldNumber, int32_t lFieldRow, int32_t lFieldColumn,
                     int32_t& lFieldStyle, int32_t& lFieldFlags, int32_t lFieldSize) {
  if (!IsFieldNumber(lFieldNumber) || !IsPlace(lFieldRow) || !IsPlace(lFieldColumn) ||
      !InRange(lFieldSize, 0, kMaxLengthCode)) {
    return;
  }
  CommandBytes command{'i',
                       EncodeSmallNumber(lFieldNumber),
                       EncodeSmallNumber(lFieldRow),
                       EncodeSmallNumber(lFieldColumn),
                       LowByte(lFieldStyle),
                       LowByte(lFieldFlags)};
  command.AddLengthCode(lFieldSize);
  CheckForSend(7);
  PutCommand(OutBuf(), command.Bytes());
  // The caller's variables read back what the terminal got.
  lFieldStyle = LowByte(lFieldStyle);
  lFieldFlags = LowByte(lFieldFlags);
}

void Drel::UpdateField(int32_t lFieldNumber, std::u16string_view sData) {
  UpdateFieldGetDrel(OutBuf(), lFieldNumber, sData, true);
}

void Drel::UpdateFieldWithMaxLen(int32_t FieldNumber, std::u16string_view Data, int32_t MaxLen) {
  UpdateFieldGetDrel(OutBuf(), FieldNumber, Data, true, MaxLen);
}

void Drel::ClearField(int32_t lFieldNumber) {
  if (!IsFieldNumber(lFieldNumber)) return;
  CheckForSend(2);
  ClearFieldGetDrel(OutBuf(), lFieldNumber);
}

void Drel::ClearFieldGetDrel(CircBuffer& target, int32_t lFieldNumber) {
  if (!IsFieldNumber(lFieldNumber)) return;
  PutCommand(target, {'c', EncodeSmallNumber(lFieldNumber)});
}

void Drel::ClearAll() {
  CheckForSend(1);
  ClearAllGetDrel(OutBuf());
}

void Drel::ClearAllGetDrel(CircBuffer& target) { PutCommand(target, {'C'}); }

void Drel::WriteEraseField(CircBuffer& target, int32_t lFieldNumber) {
  if (!IsFieldNumber(lFieldNumber)) return;
  PutCommand(target, {'e', EncodeSmallNumber(lFieldNumber)});
}

void Drel::EraseField(int32_t lFieldNumber) {
  if (!IsFieldNumber(lFieldNumber)) return;
  CheckForSend(2);
  WriteEraseField(OutBuf(), lFieldNumber);
  if (lastOpenField_ == lFieldNumber) lastOpenField_ = kNoField;
}

void Drel::EraseAll() {
  CheckForSend(1);
  PutCommand(OutBuf(), {'E'});
  lastOpenField_ = kNoField;
}

void Drel::SetFieldCharact(int32_t lFieldNumber, int32_t& lStyle, int32_t& lFlags) {
  if (!IsFieldNumber(lFieldNumber)) return;
  CheckForSend(4);
  PutCommand(OutBuf(), {'+', EncodeSmallNumber(lFieldNumber), LowByte(lStyle), LowByte(lFlags)});
  lStyle = LowByte(lStyle);
  lFlags = LowByte(lFlags);
}

void Drel::VisibleMatch(int32_t lFieldNumber, std::u16string_view sData) {
  if (!IsFieldNumber(lFieldNumber)) return;
  WriteUnconvertedTextCommand({'v', EncodeSmallNumber(lFieldNumber)}, sData);
}

void Drel::HiddenMatch(int32_t lFieldNumber, std::u16string_view sData) {
  if (!IsFieldNumber(lFieldNumber)) return;
  WriteUnconvertedTextCommand({'w', EncodeSmallNumber(lFieldNumber)}, sData);
}

void Drel::MoveCursor(int32_t lField) {
  if (!IsFieldNumber(lField)) return;
  CheckForSend(2);
  MoveCursorGetDrel(OutBuf(), lField);
  lastOpenField_ = lField;
}

void Drel::MoveCursorGetDrel(CircBuffer& target, int32_t lField) {
  if (!IsFieldNumber(lField)) return;
  PutCommand(target, {'@', EncodeSmallNumber(lField)});
}

void Drel::Bits(int32_t lField, int32_t& lBits) {
  // Attribute bits belong to a real field: -1 is refused here.
  if (!IsPlace(lField)) return;
  CheckForSend(3);
  PutCommand(OutBuf(), {'b', EncodeSmallNumber(lField), LowByte(lBits)});
  lBits = LowByte(lBits);
}

}  // namespace carrowin
