#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/automation/utf.h"

namespace carrowin::fuzzing {

/// Ends the run as a crash, so that libFuzzer keeps the input, when an
/// invariant of the code under test does not hold.
inline void Check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "Invariant broken: %s\n", invariant);
  std::abort();
}

/// The text's characters: a surrogate pair is one, an unpaired surrogate
/// one of its own.
inline std::vector<std::u16string_view> Characters(std::u16string_view text) {
  std::vector<std::u16string_view> characters;
  for (size_t i = 0; i < text.size();) {
    const size_t length =
        i + 1 < text.size() && IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1]) ? 2 : 1;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

inline bool IsUnpairedSurrogate(std::u16string_view character) {
  return character.size() == 1 && IsSurrogate(character[0]);
}

/// True when no surrogate of the text is unpaired.
inline bool IsWellFormed(std::u16string_view text) {
  for (const std::u16string_view character : Characters(text)) {
    if (IsUnpairedSurrogate(character)) return false;
  }
  return true;
}

}  // namespace carrowin::fuzzing
