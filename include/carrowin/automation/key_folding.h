#pragma once

#include <string>
#include <string_view>

namespace carrowin {

/// The form in which keys that differ only in letter case compare equal: full
/// Unicode case folding, so "Ä" and "ä" fold alike, as do "STRASSE" and
/// "straße". Unpaired surrogates are kept as they are.
std::u16string FoldKey(std::u16string_view key);

}  // namespace carrowin
