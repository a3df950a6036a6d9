// The terminal's status record: named values in its settings record that
// tools outside the library read to see what each terminal is doing.
#include <chrono>

#include "carrowin/terminal/terminal.h"
#include "host/required_object.h"
#include "terminal/local_time_text.h"

namespace carrowin {

namespace {
bool HasNonSpace(std::u16string_view text) {
  return text.find_first_not_of(u' ') != std::u16string_view::npos;
}
}  // namespace

void Terminal::SetCurrentScreen(std::u16string_view value) {
  currentScreen_ = std::u16string(value);
  UpdateScreenStatus();
}

void Terminal::WriteStatus(std::u16string_view key, const Variant& value) {
  RequireObject(objectSettings_, u"Terminal", u"The terminal is not initialised")
      ->SetSetting(key, value);
}

void Terminal::SetStatusOnline() {
  if (statusUpdateLevel_ < 1 || onlineStatusWritten_) return;
  WriteStatus(u"statusOnline", Variant(int32_t{-1}));
  onlineStatusWritten_ = true;
}

void Terminal::UpdateScreenStatus() {
  if (statusUpdateLevel_ < 1) return;
  if (HasNonSpace(currentScreen_)) SetStatusOnline();
  WriteStatus(u"statusScreen", Variant(currentScreen_));
  WriteStatus(u"statusScreenChangeTime", Variant(LocalTimeText(std::chrono::system_clock::now())));
}

}  // namespace carrowin
