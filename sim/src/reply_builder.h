#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace carrowin {

/// Builds one inbound message the way a terminal writes it: the function
/// code first, then records of small numbers (value + 48) and texts (length
/// code and bytes).
class ReplyBuilder {
 public:
  explicit ReplyBuilder(uint8_t functionCode) : bytes_{functionCode} {}

  ReplyBuilder& Byte(uint8_t byte);
  /// -1 to 207; raises error 5 outside.
  ReplyBuilder& Number(int32_t value);
  /// The text through `codepage`, with its length in bytes first; raises
  /// error 5 for a text that cannot be converted or takes more than 43263
  /// bytes.
  ReplyBuilder& Text(int32_t codepage, std::u16string_view text);

  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace carrowin
