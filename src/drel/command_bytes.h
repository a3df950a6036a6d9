#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "carrowin/automation/error.h"
#include "carrowin/wire/wire_encoding.h"

namespace carrowin {

/// The bytes of one command (or message header), assembled on the stack. Every
/// byte, small number and length code is computed before the command reaches
/// a buffer, which then takes it in one append: a value without an encoding
/// fails while the buffer is still untouched, and no buffer sees a call per
/// byte.
class CommandBytes {
 public:
  /// Room for the longest fixed part: a header of 11 digits and its function
  /// code, an extended video command of 11 bytes, a text command's head and
  /// length code of 7.
  static constexpr size_t kCapacity = 16;

  CommandBytes() = default;
  CommandBytes(std::initializer_list<uint8_t> bytes) {
    for (uint8_t byte : bytes) Add(byte);
  }

  void Add(uint8_t byte) {
    if (size_ == kCapacity) RaiseTooLong();
    bytes_[size_] = byte;
    ++size_;
  }
  /// Adds `length` in the length code (0 to `kMaxLengthCode`; error 6 else).
  void AddLengthCode(int32_t length) {
    if (kCapacity - size_ < kMaxLengthCodeBytes) RaiseTooLong();
    const std::span<uint8_t, kMaxLengthCodeBytes> room(bytes_.data() + size_, kMaxLengthCodeBytes);
    size_ += static_cast<size_t>(EncodeLengthCode(length, room));
  }

  std::span<const uint8_t> Bytes() const { return {bytes_.data(), size_}; }
  int32_t Size() const { return static_cast<int32_t>(size_); }

 private:
  [[noreturn]] static void RaiseTooLong() {
    RaiseError(errors::kSubscriptOutOfRange, u"CommandBytes", u"Command too long");
  }

  std::array<uint8_t, kCapacity> bytes_{};
  size_t size_ = 0;
};

}  // namespace carrowin
