#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace carrowin {

/// Bounds-checked reads through one outbound message. Every read names what
/// it reads, so that a message cut short or an argument out of range is a
/// protocol error telling the message number, the byte offset and the
/// argument.
class CommandCursor {
 public:
  CommandCursor(std::span<const uint8_t> message, int64_t messageNumber)
      : message_(message), messageNumber_(messageNumber) {}

  bool AtEnd() const { return offset_ >= message_.size(); }
  size_t Offset() const { return offset_; }
  std::span<const uint8_t> Message() const { return message_; }
  /// The next byte without taking it; the message must not be at its end.
  uint8_t Peek(std::string_view what) const;
  /// One raw byte.
  uint8_t Byte(std::string_view what);
  /// One byte as value + 48 ("/" is -1), from `min` to `max`.
  int32_t Number(std::string_view what, int32_t min, int32_t max);
  /// A length code: one byte (value + 48) for 0 to 207, or "!" and two such
  /// bytes for 208 to 43263, always in the shortest form.
  int32_t Length(std::string_view what);
  /// `count` bytes.
  std::span<const uint8_t> Bytes(size_t count, std::string_view what);
  /// A length code and that many bytes.
  std::span<const uint8_t> LengthAndBytes(std::string_view what);

  /// Raises the protocol error `why` at byte `offset`.
  [[noreturn]] void Fail(size_t offset, std::string_view why) const;

 private:
  std::span<const uint8_t> message_;
  int64_t messageNumber_;
  size_t offset_ = 0;
};

/// "0x41 'A'": a byte as a protocol error shows it.
std::string ByteName(uint8_t byte);

}  // namespace carrowin
