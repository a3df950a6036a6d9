#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace carrowin {

/// An ordered byte buffer in which outbound messages and command lists are
/// assembled. Each `Drel` owns one as its output buffer; applications may
/// build command lists in their own and hand them to the GetDrel commands.
///
/// Contract: bytes come out of `Get` in the order they were appended;
/// `Reset` empties the buffer. An implementation may not lose or reorder
/// bytes. Failures are raised as `carrowin::Error`. Not thread-safe: one
/// buffer belongs to one terminal's processing at a time.
class CircBuffer {
 public:
  virtual ~CircBuffer() = default;

  /// Capacity hint, given once right after creation.
  virtual void SetSize(int32_t size) = 0;
  /// Empties the buffer.
  virtual void Reset() = 0;
  /// Appends one byte.
  virtual void PutByte(uint8_t byte) = 0;
  /// Appends the first `count` bytes of `bytes`; count 0 with an empty array
  /// is valid (an empty text).
  virtual void Put(int32_t count, const std::vector<uint8_t>& bytes) = 0;
  /// Appends a string, one byte per character: each UTF-16 code unit's value
  /// becomes one byte, so the caller may write the string's length as its
  /// byte count. A character above U+00FF has no such byte.
  virtual void PutStr(std::u16string_view text) = 0;
  /// Number of bytes held, which is the number `Get` can deliver.
  virtual int32_t Length() const = 0;
  /// Fills the first `count` elements of `bytes` (sized by the caller to at
  /// least `count`) with the oldest `count` bytes of the buffer.
  virtual void Get(int32_t count, std::vector<uint8_t>& bytes) = 0;
};

}  // namespace carrowin
