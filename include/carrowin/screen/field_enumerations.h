#pragma once

#include <cstdint>

namespace carrowin {

// The vocabulary of a field's attributes. Plain enumerations, as an
// automation client sees them: members are 32-bit values that combine with
// the field's `int32_t` properties (`field->SetStyle(StyleEntry | StyleNum)`).

/// A field's style: its type (the low two bits) and how it takes input.
enum FieldStyle : int32_t {
  StyleNone = 0,
  StyleFixed = 1,
  StyleEntry = 3,
  StyleXmit = 4,
  StyleNoEcho = 8,
  StyleRJust = 16,
  StyleNum = 32,
  StyleBase = 64,
  /// Selects the field type: `StyleNone`, `StyleFixed` or `StyleEntry`.
  StyleTypeMask = 3,
};

/// How a field is shown. `FlagsReverse` is both render bits, not a bit of
/// its own.
enum FieldFlags : int32_t {
  FlagsNone = 0,
  FlagsFieldOff = 2,
  FlagsBarcode = 4,
  FlagsAutoTab = 8,
  FlagsBlink = 16,
  FlagsBold = 32,
  FlagsReverse = 48,
  FlagsBase = 64,
  FlagsRenderMask = 48,
};

/// Extended attribute bits; only the six low bits are attributes.
enum FieldExtendedAttributes : int32_t {
  ExtendedAttributesSerial = 1,
  ExtendedAttributesBase = 64,
  ExtendedAttributesAllMask = 63,
};

/// Whether a field is drawn as a push button.
enum FieldExtControlStyle : int32_t {
  FieldExtControlStyleNormal = 0,
  FieldExtControlStylePushButton = 1,
};

/// Field colours; `Default` leaves the terminal's own.
enum DRELscreenColor : int32_t {
  Default = -1,
  Black = 0,
  Red = 1,
  Green = 2,
  Yellow = 3,
  Blue = 4,
  Magenta = 5,
  Cyan = 6,
  White = 7,
  LightGrey = 8,
  DarkGrey = 9,
  Brown = 10,
  LightBlue = 11,
  LightGreen = 12,
  LightCyan = 13,
  LightRed = 14,
  LightMagenta = 15,
};

/// Extended video attribute bits; `ExVideoAttribDefault` leaves the
/// terminal's own.
enum ExVideoAttribs : int32_t {
  ExVideoAttribDefault = -1,
  ExVideoAttribNormal = 0,
  ExVideoAttribBlink = 1,
  ExVideoAttribBold = 2,
  ExVideoAttribReverse = 4,
  ExVideoAttribUnderline = 8,
  ExVideoAttribOutline = 16,
  ExVideoAttribSunkenOutline = 32,
  ExVideoAttribRaisedOutline = 64,
};

}  // namespace carrowin
