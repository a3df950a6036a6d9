#pragma once

#include <cstdint>
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
  int32_t Length() const override;
  /// Raises error 5 for a negative count and 9 when the buffer holds fewer
  /// than `count` bytes or `bytes` is smaller than `count`.
  void Get(int32_t count, std::vector<uint8_t>& bytes) override;

  /// Capacity of the ring as it stands (grows on demand).
  int32_t Capacity() const { return static_cast<int32_t>(ring_.size()); }

 private:
  void EnsureRoom(size_t extra);
  void Append(const uint8_t* data, size_t count);

  std::vector<uint8_t> ring_;
  size_t head_ = 0;   // index of the oldest byte
  size_t count_ = 0;  // bytes held
};

}  // namespace carrowin
