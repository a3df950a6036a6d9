#pragma once

#include <array>
#include <string_view>

namespace carrowin::format {

/// English month names, January first.
inline constexpr std::array<std::u16string_view, 12> kMonthNames = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};

/// English day names, Sunday first.
inline constexpr std::array<std::u16string_view, 7> kDayNames = {
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};

/// The abbreviation of a month or day name: its first three letters.
constexpr std::u16string_view Abbreviated(std::u16string_view name) { return name.substr(0, 3); }

}  // namespace carrowin::format
