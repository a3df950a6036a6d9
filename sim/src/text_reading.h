#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "command_cursor.h"

namespace carrowin {

/// A text argument (length code and bytes) converted through `codepage`.
/// Screen text (`marked`) of a double-byte code page carries the byte 11
/// before its first double-byte character, which is not part of the text.
/// A text that ends inside a double-byte character, lacks that marker, or
/// that the code page cannot convert, is a protocol error.
std::u16string ReadConvertedText(CommandCursor& cursor, int32_t codepage, std::string_view what,
                                 bool marked);

/// A text argument sent unconverted: one character per byte.
std::u16string ReadPlainText(CommandCursor& cursor, std::string_view what);

/// Bytes sent unconverted, one character each.
std::u16string PlainText(std::span<const uint8_t> bytes);

}  // namespace carrowin
