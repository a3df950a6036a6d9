#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace carrowin::fuzzing {

/// The fuzzer's bytes, taken front to back as the inputs a target needs.
/// Running out is no error: a missing byte reads as 0 and a missing part
/// as empty, so every input drives the code under test.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : rest_(data, size) {}

  uint8_t TakeByte() {
    if (rest_.empty()) return 0;
    const uint8_t byte = rest_.front();
    rest_ = rest_.subspan(1);
    return byte;
  }

  /// The bytes before the next `separator`, which is skipped; all that is
  /// left when none follows.
  std::span<const uint8_t> TakeUntil(uint8_t separator) {
    const auto end = std::find(rest_.begin(), rest_.end(), separator);
    const auto part = rest_.first(static_cast<size_t>(end - rest_.begin()));
    rest_ = rest_.subspan(std::min(part.size() + 1, rest_.size()));
    return part;
  }

  std::span<const uint8_t> TakeRest() {
    const auto part = rest_;
    rest_ = {};
    return part;
  }

  /// UTF-16 text written compactly, so that seeds stay readable and the
  /// fuzzer reaches every code unit: a byte FF takes the next two bytes as
  /// one unit, high byte first (FF D8 3D is U+D83D); any other byte is the
  /// unit of the same value. An escape cut short by the end is dropped.
  static std::u16string Text(std::span<const uint8_t> bytes) {
    std::u16string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] != 0xFF) {
        text.push_back(bytes[i]);
      } else if (i + 2 < bytes.size()) {
        text.push_back(static_cast<char16_t>((bytes[i + 1] << 8) | bytes[i + 2]));
        i += 2;
      } else {
        break;
      }
    }
    return text;
  }

 private:
  std::span<const uint8_t> rest_;
};

}  // namespace carrowin::fuzzing
