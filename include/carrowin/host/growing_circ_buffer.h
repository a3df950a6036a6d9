#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "carrowin/host/circ_buffer.h"

namespace carrowin {

/// The default `CircBuffer`: a ring of bytes that grows past its capacity hint
/// rather than dropping or overwriting anything. `Get` removes the bytes it
/// returns, so a message read out for sending is never sent a second time
/// from the same buffer.
class GrowingCircBuffer : public CircBuffer {
 public:
  /// The most `SetSize` reserves up front. The hint comes from the
  /// connection, and a message is at most about 350 bytes: a larger hint
  /// (a connection may report any 32-bit size) must not allocate it all
  /// before a byte is written. The ring still grows past it on demand.
  static constexpr int32_t kMaxReservedSize = 64 * 1024;

  GrowingCircBuffer() = default;

  /// Reserves room for `size` bytes, at most `kMaxReservedSize`; never
  /// shrinks below what is held. A negative size raises error 5.
  void SetSize(int32_t size) override;
  void Reset() override;
  void PutByte(uint8_t byte) override;
  /// Raises error 5 for a negative count and 9 when `bytes` holds fewer than
  /// `count` bytes; nothing is appended then.
  void Put(int32_t count, const std::vector<uint8_t>& bytes) override;
  /// Raises error 5 when a character is above U+00FF (it has no one-byte
  /// form); nothing is appended then.
  void PutStr(std::u16string_view text) override;
  int32_t Length() const override { return static_cast<int32_t>(count_); }
  /// Raises error 5 for a negative count and 9 when the buffer holds fewer
  /// than `count` bytes or `bytes` is smaller than `count`.
  void Get(int32_t count, std::vector<uint8_t>& bytes) override;

  /// Appends `bytes` in one step. Not virtual: the encoder writes each
  /// command this way when its buffer is exactly this class.
  void Append(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return;
    // The common case, room behind the newest byte, stays inline.
    const size_t tail = head_ + count_;
    if (tail < ring_.size() && bytes.size() <= ring_.size() - tail) {
      CopyBytes(ring_.data() + tail, bytes.data(), bytes.size());
      count_ += bytes.size();
      return;
    }
    AppendWrapping(bytes);
  }

  /// Capacity of the ring as it stands (grows on demand).
  int32_t Capacity() const { return static_cast<int32_t>(ring_.size()); }

 private:
  /// Copies `count` (at least 1) bytes. Most commands are a few bytes long,
  /// which two overlapping word copies move faster than a library call.
  static void CopyBytes(uint8_t* to, const uint8_t* from, size_t count) {
    constexpr size_t kShort = 16;
    if (count > kShort) {
      std::memcpy(to, from, count);
      return;
    }
    if (count < 4) {
      to[0] = from[0];
      to[count / 2] = from[count / 2];
      to[count - 1] = from[count - 1];
    } else if (count < 8) {
      uint32_t first = 0, last = 0;
      std::memcpy(&first, from, 4);
      std::memcpy(&last, from + count - 4, 4);
      std::memcpy(to, &first, 4);
      std::memcpy(to + count - 4, &last, 4);
    } else {
      uint64_t first = 0, last = 0;
      std::memcpy(&first, from, 8);
      std::memcpy(&last, from + count - 8, 8);
      std::memcpy(to, &first, 8);
      std::memcpy(to + count - 8, &last, 8);
    }
  }
  void EnsureRoom(size_t extra);
  /// `Append` for the rest: growing the ring, or wrapping around its end.
  void AppendWrapping(std::span<const uint8_t> bytes);

  std::vector<uint8_t> ring_;
  size_t head_ = 0;   // index of the oldest byte
  size_t count_ = 0;  // bytes held
};

}  // namespace carrowin
