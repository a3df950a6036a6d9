#include "carrowin/host/growing_circ_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "carrowin/automation/error.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kSource = u"CircBuffer";
constexpr size_t kMaxBytes = static_cast<size_t>(std::numeric_limits<int32_t>::max());

// Writes each code unit's value as one byte to `out`; false when a unit is
// above U+00FF, which has no such byte.
bool NarrowInto(std::u16string_view text, uint8_t* out) {
  char16_t units = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    units |= text[i];
    out[i] = static_cast<uint8_t>(text[i]);
  }
  return units <= 0xFF;
}

[[noreturn]] void RaiseNoOneByteForm() {
  RaiseError(errors::kInvalidProcedureCall, kSource,
             u"A character above U+00FF has no one-byte form");
}
}  // namespace

void GrowingCircBuffer::SetSize(int32_t size) {
  if (size < 0) RaiseError(errors::kInvalidProcedureCall, kSource, u"Buffer size is negative");
  const auto reserved = static_cast<size_t>(std::min(size, kMaxReservedSize));
  EnsureRoom(reserved > count_ ? reserved - count_ : 0);
}

void GrowingCircBuffer::Reset() {
  head_ = 0;
  count_ = 0;
}

void GrowingCircBuffer::PutByte(uint8_t byte) {
  // Most of a command is single bytes: keep this path free of copies and
  // divisions while there is room.
  if (count_ < ring_.size()) {
    size_t tail = head_ + count_;
    if (tail >= ring_.size()) tail -= ring_.size();
    ring_[tail] = byte;
    ++count_;
    return;
  }
  Append({&byte, 1});
}

void GrowingCircBuffer::Put(int32_t count, const std::vector<uint8_t>& bytes) {
  if (count < 0) RaiseError(errors::kInvalidProcedureCall, kSource, u"Byte count is negative");
  if (static_cast<size_t>(count) > bytes.size()) {
    RaiseError(errors::kSubscriptOutOfRange, kSource, u"Byte count exceeds the array");
  }
  Append({bytes.data(), static_cast<size_t>(count)});
}

void GrowingCircBuffer::PutStr(std::u16string_view text) {
  if (text.empty()) return;
  size_t tail = head_ + count_;
  if (tail < ring_.size() && text.size() <= ring_.size() - tail) {
    // Room behind the newest byte: checked while written there, and counted
    // only once every character had its byte.
    if (!NarrowInto(text, ring_.data() + tail)) RaiseNoOneByteForm();
    count_ += text.size();
    return;
  }
  if (std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; })) {
    RaiseNoOneByteForm();
  }
  EnsureRoom(text.size());
  // At most two runs: up to the end of the ring, then from its start.
  tail = head_ + count_;
  if (tail >= ring_.size()) tail -= ring_.size();
  const size_t first = std::min(text.size(), ring_.size() - tail);
  NarrowInto(text.substr(0, first), ring_.data() + tail);
  NarrowInto(text.substr(first), ring_.data());
  count_ += text.size();
}

void GrowingCircBuffer::Get(int32_t count, std::vector<uint8_t>& bytes) {
  if (count < 0) RaiseError(errors::kInvalidProcedureCall, kSource, u"Byte count is negative");
  const auto n = static_cast<size_t>(count);
  if (n > count_) RaiseError(errors::kSubscriptOutOfRange, kSource, u"Buffer holds fewer bytes");
  if (n > bytes.size()) RaiseError(errors::kSubscriptOutOfRange, kSource, u"Array is too small");
  if (n > 0) {
    const size_t first = std::min(n, ring_.size() - head_);
    std::memcpy(bytes.data(), ring_.data() + head_, first);
    if (n > first) std::memcpy(bytes.data() + first, ring_.data(), n - first);
  }
  count_ -= n;
  head_ = count_ == 0 ? 0 : (head_ + n) % ring_.size();
}

void GrowingCircBuffer::EnsureRoom(size_t extra) {
  if (extra > kMaxBytes - count_) RaiseError(errors::kOverflow, kSource, u"Buffer too large");
  const size_t needed = count_ + extra;
  if (needed <= ring_.size()) return;
  // Unroll the ring into a larger one; doubling keeps appends amortised O(1).
  std::vector<uint8_t> grown(std::max({needed, ring_.size() * 2, size_t{64}}));
  if (count_ > 0) {
    const size_t first = std::min(count_, ring_.size() - head_);
    std::memcpy(grown.data(), ring_.data() + head_, first);
    std::memcpy(grown.data() + first, ring_.data(), count_ - first);
  }
  ring_.swap(grown);
  head_ = 0;
}

void GrowingCircBuffer::AppendWrapping(std::span<const uint8_t> bytes) {
  const size_t count = bytes.size();
  if (count == 0) return;
  EnsureRoom(count);
  // Head and count each stay below the ring's size: one subtraction wraps.
  size_t tail = head_ + count_;
  if (tail >= ring_.size()) tail -= ring_.size();
  const size_t first = std::min(count, ring_.size() - tail);
  std::memcpy(ring_.data() + tail, bytes.data(), first);
  std::memcpy(ring_.data(), bytes.data() + first, count - first);
  count_ += count;
}

}  // namespace carrowin
