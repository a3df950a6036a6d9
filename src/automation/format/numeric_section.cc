#include "automation/format/numeric_section.h"

#include <algorithm>
#include <string>
#include <utility>

namespace carrowin::format {
namespace {

bool IsDigitPlaceholder(const FormatChar& c) {
  return !c.literal && (c.ch == u'0' || c.ch == u'#');
}

// Hands out the digits of a whole number to placeholders from left to right.
// The placeholders are numbered by place value (the last one is the units);
// digits beyond the placeholders all go to the first, and once a digit has
// been shown every later placeholder shows one, so that inner zeros stay.
class PlaceFiller {
 public:
  PlaceFiller(std::string digits, int64_t placeholders, bool grouping)
      : digits_(std::move(digits)),
        length_(static_cast<int64_t>(digits_.size())),
        place_(placeholders),
        grouping_(grouping) {}

  void Next(char16_t placeholder, std::u16string& out) {
    if (place_ <= 0) return;
    --place_;
    if (!overflowDone_) {
      overflowDone_ = true;
      for (int64_t p = length_ - 1; p > place_; --p) Put(p, out);
    }
    if (place_ < length_ || placeholder == u'0' || started_) Put(place_, out);
  }

  /// Shows every digit at once, for a number without placeholders.
  void All(std::u16string& out) {
    for (int64_t p = length_ - 1; p >= 0; --p) Put(p, out);
  }

 private:
  void Put(int64_t place, std::u16string& out) {
    out.push_back(place < length_ ? static_cast<char16_t>(digits_[length_ - 1 - place]) : u'0');
    started_ = true;
    if (grouping_ && place > 0 && place % 3 == 0) out.push_back(u',');
  }

  std::string digits_;
  int64_t length_;
  int64_t place_;
  bool grouping_;
  bool overflowDone_ = false;
  bool started_ = false;
};

}  // namespace

NumericSection::NumericSection(const LexedSection& section) { Parse(section); }

bool NumericSection::HasPlaceholder(const LexedSection& section) {
  return std::any_of(section.begin(), section.end(), IsDigitPlaceholder);
}

size_t NumericSection::FindExponent(const LexedSection& section) {
  // A section without placeholders shows only its literals, an "E+" too.
  if (!HasPlaceholder(section)) return std::u16string_view::npos;
  for (size_t i = 0; i + 1 < section.size(); ++i) {
    const FormatChar& c = section[i];
    const FormatChar& sign = section[i + 1];
    if (!c.literal && (c.ch == u'E' || c.ch == u'e') && !sign.literal &&
        (sign.ch == u'+' || sign.ch == u'-')) {
      return i;
    }
  }
  return std::u16string_view::npos;
}

void NumericSection::Parse(const LexedSection& section) {
  enum class Part { kInteger, kFraction, kExponent };
  Part part = Part::kInteger;
  const size_t exponentAt = FindExponent(section);
  // Commas after an integer placeholder: they group when another integer
  // placeholder follows, and scale by 1,000 each when none does.
  int64_t pendingCommas = 0;
  const auto endIntegerPart = [&] {
    if (part == Part::kInteger) powerOfTen_ -= 3 * pendingCommas;
    pendingCommas = 0;
  };

  for (size_t i = 0; i < section.size(); ++i) {
    const FormatChar& c = section[i];
    if (c.literal) {
      items_.push_back({Kind::kLiteral, c.ch});
    } else if (i == exponentAt) {
      endIntegerPart();
      part = Part::kExponent;
      scientific_ = true;
      exponentPlus_ = section[++i].ch == u'+';
      items_.push_back({Kind::kExponent, c.ch});
    } else if (c.ch == u'0' || c.ch == u'#') {
      if (part == Part::kInteger) {
        if (pendingCommas > 0) grouping_ = true;
        pendingCommas = 0;
        ++integerPlaceholders_;
        items_.push_back({Kind::kIntegerDigit, c.ch});
      } else if (part == Part::kFraction) {
        ++fractionPlaceholders_;
        if (c.ch == u'0') fractionShown_ = fractionPlaceholders_;
        items_.push_back({Kind::kFractionDigit, c.ch});
      } else if (c.ch == u'0') {  // a '#' adds no digit to the exponent
        ++exponentZeros_;
        items_.push_back({Kind::kExponentDigit, c.ch});
      }
    } else if (c.ch == u'.' && part == Part::kInteger) {
      endIntegerPart();
      part = Part::kFraction;
      items_.push_back({Kind::kPoint, c.ch});
    } else if (c.ch == u',') {
      if (part == Part::kInteger && integerPlaceholders_ > 0) ++pendingCommas;
    } else if (c.ch == u'%') {
      powerOfTen_ += 2;
      items_.push_back({Kind::kLiteral, c.ch});
    } else if (c.ch != u'<' && c.ch != u'>' && c.ch != u'!') {
      items_.push_back({Kind::kLiteral, c.ch});
    }
  }
  endIntegerPart();
}

std::u16string NumericSection::Format(const DecimalNumber& magnitude, bool minus) const {
  DecimalNumber value = magnitude.Magnitude();
  value.ShiftPoint(powerOfTen_);
  int64_t exponent = 0;
  if (scientific_ && !value.IsZero()) {
    exponent = value.PointPosition() - integerPlaceholders_;
    value.ShiftPoint(-exponent);
    value.RoundToFraction(fractionPlaceholders_);
    if (value.PointPosition() > integerPlaceholders_) {  // 9.99 rounded up to 10.0
      value.ShiftPoint(-1);
      ++exponent;
    }
  } else {
    value.RoundToFraction(fractionPlaceholders_);
  }

  std::u16string out;
  if (minus) out.push_back(u'-');
  PlaceFiller integer(value.IntegerDigits(), integerPlaceholders_, grouping_);
  // The exponent shows all its digits, and zeros up to its '0' placeholders.
  PlaceFiller exponentFiller(std::to_string(exponent < 0 ? -exponent : exponent), exponentZeros_,
                             false);
  int64_t fractionIndex = 0;
  const int64_t fractionLength = value.FractionLength();

  for (const Item& item : items_) {
    switch (item.kind) {
      case Kind::kLiteral:
        out.push_back(item.ch);
        break;
      case Kind::kIntegerDigit:
        integer.Next(item.ch, out);
        break;
      case Kind::kPoint:
        // Without integer placeholders the whole part still shows, before the point.
        if (integerPlaceholders_ == 0) integer.All(out);
        out.push_back(u'.');
        break;
      case Kind::kFractionDigit:
        // A '#' after the last '0' only drops trailing zeros.
        if (fractionIndex < fractionShown_ || fractionIndex < fractionLength) {
          out.push_back(static_cast<char16_t>(value.FractionDigit(fractionIndex)));
        }
        ++fractionIndex;
        break;
      case Kind::kExponent:
        out.push_back(item.ch);
        if (exponent < 0) {
          out.push_back(u'-');
        } else if (exponentPlus_) {
          out.push_back(u'+');
        }
        // Without '0' placeholders the digits follow the sign.
        if (exponentZeros_ == 0) exponentFiller.All(out);
        break;
      case Kind::kExponentDigit:
        exponentFiller.Next(item.ch, out);
        break;
    }
  }
  return out;
}

}  // namespace carrowin::format
