#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace carrowin {

// The text rules every settings store keeps (see memory_settings_store.h).

constexpr char16_t FoldAsciiCase(char16_t c) noexcept {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

/// `text` with its ASCII letters in lower case: the form under which stores
/// compare object types, IDs, names and keys.
std::u16string FoldedAsciiCase(std::u16string_view text);

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) noexcept;

/// The parts one after another. Messages are built with it where a literal
/// would come before a temporary string, of which gcc 12 at -O3 warns falsely
/// (-Wrestrict).
std::u16string Concat(std::initializer_list<std::u16string_view> parts);

/// "'text'".
std::u16string Quoted(std::u16string_view text);

/// "Terminal record 'T1'".
std::u16string RecordText(std::u16string_view objectType, std::u16string_view objectID);

/// Raises error 457 from the settings store: `attempt` is refused because
/// `text` is the ID or the name of the record whose ID is `owner`.
[[noreturn]] void RaiseTextTaken(std::u16string_view attempt, std::u16string_view text,
                                 std::u16string_view owner);

}  // namespace carrowin
