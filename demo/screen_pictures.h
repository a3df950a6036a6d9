#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace carrowin::demo {

/// Writes the screens of one terminal's session to a folder as SVG pictures,
/// one a step, named after the terminal, the step's place and its title:
/// "T1-05-a-scan-of-the-wrong-shelf.svg". Earlier pictures of the same name
/// are replaced.
class ScreenPictures {
 public:
  /// `folder` must exist.
  ScreenPictures(std::filesystem::path folder, int32_t terminalNumber);

  /// Writes the picture `svg` of the step `title`; a picture that cannot be
  /// written in full raises errors::kPathFileAccessError.
  void Save(std::string_view title, const std::string& svg);

 private:
  const std::filesystem::path folder_;
  const int32_t terminalNumber_;
  int32_t steps_ = 0;
};

}  // namespace carrowin::demo
