#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace carrowin {

/// Bounds-checked reads of one inbound message: every index is checked
/// against the end of the message (its length, or the array's end when that
/// comes first), so a truncated or garbled record from the radio side is
/// error 9 (subscript out of range), raised here and nowhere else.
class InboundReader {
 public:
  InboundReader(std::span<const uint8_t> data, int32_t length);

  /// Whether `index` lies before the end of the message.
  bool Within(int64_t index) const { return index >= 0 && index < end_; }
  uint8_t Byte(int64_t index) const;
  /// The small number at `index` (byte - 48, -1 below "0").
  int32_t SmallNumber(int64_t index) const;
  /// The length code at `index`: one byte, or "!" and two more. A length
  /// that decodes below zero (a byte below "0") is a malformed record,
  /// error 9: the record cannot be skipped.
  int32_t DataLength(int64_t index) const;
  /// Bytes the length code at `index` takes: 3 after "!", else 1.
  int32_t LengthCodeSize(int64_t index) const;
  /// The text of `count` bytes at `index` through `codepage`; fewer when the
  /// message ends first.
  std::u16string Text(int32_t codepage, int64_t index, int32_t count) const;
  /// The message's bytes up to its end, for decoders that check their own
  /// reads.
  std::span<const uint8_t> Data() const { return data_; }

 private:
  std::span<const uint8_t> data_;
  int64_t end_;
};

}  // namespace carrowin
