#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "drel/code_page_registry.h"

namespace carrowin {

/// The byte of every UTF-16 code unit outside the surrogates in one
/// single-byte code page, exactly as the page's converter (corrections
/// included) gives it: screen text converts with one lookup per character.
class SingleByteTable {
 public:
  /// Makes `bytes` the bytes of `text`, one per code unit. False, leaving
  /// `bytes` unspecified, when the text holds a surrogate: a pair is one
  /// character, which only the converter knows how to substitute.
  bool Convert(std::u16string_view text, std::vector<uint8_t>& bytes) const;

  /// The table of `info` from the calling thread's converter; nullptr when
  /// the page has characters of more than one byte or cannot be opened.
  static std::unique_ptr<const SingleByteTable> Build(const CodePageInfo& info);

 private:
  std::array<uint8_t, 0x10000> bytes_{};
};

/// The table of `info`, built on first use from its converter and shared by
/// every thread; nullptr for a code page with characters of more than one
/// byte (the double-byte pages, UTF-8) or whose converter cannot be opened.
/// The first call per code page builds under a lock; later ones take none.
const SingleByteTable* FindSingleByteTable(const CodePageInfo& info);

}  // namespace carrowin
