#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "carrowin/host/circ_buffer.h"

namespace carrowin::testing_support {

/// A `CircBuffer` an application might write: a plain vector. `Get` removes
/// what it returns unless `getKeepsBytes`, which the buffer contract allows as
/// well.
class VectorCircBuffer : public CircBuffer {
 public:
  explicit VectorCircBuffer(bool getKeepsBytes = false) : getKeepsBytes_(getKeepsBytes) {}

  void SetSize(int32_t) override {}
  void Reset() override { bytes_.clear(); }
  void PutByte(uint8_t byte) override { bytes_.push_back(byte); }
  void Put(int32_t count, const std::vector<uint8_t>& bytes) override {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.begin() + count);
  }
  void PutStr(std::u16string_view text) override {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
  }
  int32_t Length() const override { return static_cast<int32_t>(bytes_.size()); }
  void Get(int32_t count, std::vector<uint8_t>& bytes) override {
    std::copy_n(bytes_.begin(), count, bytes.begin());
    if (!getKeepsBytes_) bytes_.erase(bytes_.begin(), bytes_.begin() + count);
  }

 private:
  bool getKeepsBytes_;
  std::vector<uint8_t> bytes_;
};

}  // namespace carrowin::testing_support
