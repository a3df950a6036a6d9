#include "screen_pictures.h"

#include <carrowin/carrowin.h>

#include <fstream>
#include <utility>

namespace carrowin::demo {

namespace {

// Long enough to tell the steps apart, short enough for any file system.
constexpr size_t kMostTitleCharacters = 40;

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

/// The title in lower case, with one dash for each run of anything else:
/// an operator's line may hold slashes, dots or spaces.
std::string Slug(std::string_view title) {
  std::string slug;
  for (const char c : title) {
    if (slug.size() >= kMostTitleCharacters) break;
    if (IsNameCharacter(c)) {
      slug += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

/// The file name of the `step`th picture (from 1), titled `title`.
std::string FileName(int32_t terminalNumber, int32_t step, std::string_view title) {
  std::string name = "T";
  name += std::to_string(terminalNumber);
  name += step < 10 ? "-0" : "-";
  name += std::to_string(step);
  const std::string slug = Slug(title);
  if (!slug.empty()) {
    name += '-';
    name += slug;
  }
  name += ".svg";
  return name;
}

}  // namespace

ScreenPictures::ScreenPictures(std::filesystem::path folder, int32_t terminalNumber)
    : folder_(std::move(folder)), terminalNumber_(terminalNumber) {}

void ScreenPictures::Save(std::string_view title, const std::string& svg) {
  const std::filesystem::path path = folder_ / FileName(terminalNumber_, ++steps_, title);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << svg;
  file.close();
  if (!file) {
    std::string message = "cannot write the screen's picture to ";
    message += path.string();
    RaiseError(errors::kPathFileAccessError, u"carrowin-demo", FromUtf8(message));
  }
}

}  // namespace carrowin::demo
