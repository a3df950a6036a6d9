#include "automation/format/named_format.h"

#include <array>
#include <string>

#include "automation/format/format_lexer.h"

namespace carrowin::format {
namespace {

struct Entry {
  std::u16string_view name;
  NamedFormat format;
};

constexpr NamedFormat UserDefined(std::u16string_view format) {
  return {NamedFormat::Kind::kUserDefined, format, {}, {}};
}
constexpr NamedFormat TwoWords(std::u16string_view zero, std::u16string_view nonZero) {
  return {NamedFormat::Kind::kTwoWords, {}, zero, nonZero};
}

// The US English forms of the named formats.
constexpr std::array<Entry, 16> kNamedFormats = {{
    {u"general number", {NamedFormat::Kind::kGeneralNumber, {}, {}, {}}},
    {u"currency", UserDefined(u"$#,##0.00;($#,##0.00)")},
    {u"fixed", UserDefined(u"0.00")},
    {u"standard", UserDefined(u"#,##0.00")},
    {u"percent", UserDefined(u"0.00%")},
    {u"scientific", UserDefined(u"0.00E+00")},
    {u"yes/no", TwoWords(u"No", u"Yes")},
    {u"true/false", TwoWords(u"False", u"True")},
    {u"on/off", TwoWords(u"Off", u"On")},
    {u"general date", UserDefined(u"c")},
    {u"long date", UserDefined(u"dddddd")},
    {u"medium date", UserDefined(u"dd-mmm-yy")},
    {u"short date", UserDefined(u"ddddd")},
    {u"long time", UserDefined(u"ttttt")},
    {u"medium time", UserDefined(u"hh:nn AM/PM")},
    {u"short time", UserDefined(u"hh:nn")},
}};

// Names are ASCII, so folding the format's letters one by one is enough.
bool MatchesName(std::u16string_view format, std::u16string_view name) {
  if (format.size() != name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (FoldAscii(format[i]) != name[i]) return false;
  }
  return true;
}

void AppendAscii(std::string_view text, std::u16string& out) {
  out.append(text.begin(), text.end());
}

}  // namespace

std::optional<NamedFormat> FindNamedFormat(std::u16string_view name) {
  for (const Entry& entry : kNamedFormats) {
    if (MatchesName(name, entry.name)) return entry.format;
  }
  return std::nullopt;
}

std::u16string GeneralNumberText(const DecimalNumber& number) {
  if (number.IsZero()) return u"0";
  DecimalNumber value = number.Magnitude();
  value.RoundToDigits(15);
  const std::string& digits = value.Digits();
  const int64_t exponent = value.PointPosition() - 1;

  std::u16string out = number.IsNegative() ? u"-" : u"";
  if (exponent < -4 || exponent >= 15) {
    out.push_back(static_cast<char16_t>(digits[0]));
    if (digits.size() > 1) {
      out.push_back(u'.');
      AppendAscii(std::string_view(digits).substr(1), out);
    }
    out += exponent < 0 ? u"E-" : u"E+";
    const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
    if (magnitude.size() < 2) out.push_back(u'0');
    AppendAscii(magnitude, out);
    return out;
  }
  const std::string integer = value.IntegerDigits();
  if (integer.empty()) {
    out.push_back(u'0');
  } else {
    AppendAscii(integer, out);
  }
  if (value.FractionLength() > 0) {
    out.push_back(u'.');
    for (int64_t i = 0; i < value.FractionLength(); ++i) {
      out.push_back(static_cast<char16_t>(value.FractionDigit(i)));
    }
  }
  return out;
}

}  // namespace carrowin::format
