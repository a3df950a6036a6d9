#pragma once

#include <cstdint>
#include <string>

namespace carrowin {

/// One field as the virtual terminal holds it: what the host defined and
/// sent, and what the operator typed since.
struct SimField {
  int32_t number = 0;
  int32_t row = 0;
  int32_t column = 0;
  /// Raw style and flags bytes (`FieldStyle`, `FieldFlags`).
  int32_t style = 0;
  int32_t flags = 0;
  /// Columns the field takes: the length of "i", or the characters of an
  /// "f" text.
  int32_t displayLength = 0;
  /// Characters the field accepts; -1 until "gS" sets it, and then the
  /// display length applies.
  int32_t bufferSize = -1;
  std::u16string data;
  /// True once the operator changed the data since the host last wrote it.
  bool modified = false;
  std::u16string visiblePattern;
  std::u16string hiddenPattern;
  bool pushButton = false;
  /// The local procedure the push button runs; -1 for none.
  int32_t procedure = -1;
  /// `DRELscreenColor` values; -1 is the terminal's default.
  int32_t foreground = -1;
  int32_t background = -1;
  /// `ExVideoAttribs` bits; -1 until "gV" sets them.
  int32_t video = -1;
  /// The raw byte of the attribute bits command "b".
  int32_t attributeBits = 0;
  bool aiag = false;
  int32_t aiagFlags = 0;
  std::u16string aiagPrefix;

  /// True for a field the operator can type into.
  bool IsEntry() const;
  /// The most characters the operator can put into the field.
  int32_t Capacity() const;
};

}  // namespace carrowin
