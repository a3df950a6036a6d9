#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace carrowin {

/// The text of a text command on its way to the buffer: either its own UTF-16
/// code units, each of which is its byte (unconverted text, and ASCII through
/// code page 0, which is the same in every ANSI code page), or the bytes a
/// conversion gave. Code units go straight into the buffer, with no copy in
/// between.
class CommandText {
 public:
  /// Code units, each at most U+00FF.
  explicit CommandText(std::u16string_view units) : units_(units), isUnits_(true) {}
  explicit CommandText(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool IsUnits() const { return isUnits_; }
  std::u16string_view Units() const { return units_; }
  std::span<const uint8_t> Bytes() const { return bytes_; }
  /// The byte count, which the length code carries.
  int32_t Size() const { return static_cast<int32_t>(isUnits_ ? units_.size() : bytes_.size()); }

 private:
  std::u16string_view units_;
  std::span<const uint8_t> bytes_;
  bool isUnits_ = false;
};

/// Whether every code unit of `text` is ASCII: one pass without a branch per
/// character.
inline bool IsAscii(std::u16string_view text) {
  char16_t units = 0;
  for (char16_t unit : text) units |= unit;
  return units < 0x80;
}

}  // namespace carrowin
