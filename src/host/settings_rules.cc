#include "settings_rules.h"

#include <algorithm>

#include "carrowin/automation/error.h"

namespace carrowin {

std::u16string Concat(std::initializer_list<std::u16string_view> parts) {
  std::u16string joined;
  for (const std::u16string_view part : parts) joined.append(part);
  return joined;
}

std::u16string Quoted(std::u16string_view text) {
  // Appended piece by piece, for the reason Concat gives.
  std::u16string quoted(1, u'\'');
  quoted.append(text).push_back(u'\'');
  return quoted;
}

std::u16string FoldedAsciiCase(std::u16string_view text) {
  std::u16string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldAsciiCase);
  return folded;
}

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) noexcept {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

std::u16string RecordText(std::u16string_view objectType, std::u16string_view objectID) {
  return std::u16string(objectType) + u" record " + Quoted(objectID);
}

void RaiseTextTaken(std::u16string_view attempt, std::u16string_view text,
                    std::u16string_view owner) {
  const std::u16string_view role = EqualIgnoringAsciiCase(owner, text) ? u"ID" : u"name";
  RaiseError(errors::kDuplicateKey, u"SettingsStore",
             std::u16string(attempt) + u": " + Quoted(text) + u" is the " + std::u16string(role) +
                 u" of record " + Quoted(owner));
}

}  // namespace carrowin
