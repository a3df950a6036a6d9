// The terminal's status record: named values in its settings record that
// tools outside the library read to see what each terminal is doing.
#include <vector>

#include "carrowin/terminal/terminal.h"
#include "host/required_object.h"
#include "terminal/local_time_text.h"
#include "terminal/status_names.h"

namespace carrowin {

namespace {
constexpr int32_t kTrue = -1;
constexpr int32_t kFalse = 0;

// The values each level adds, removed when the level drops below it.
const std::vector<std::u16string> kLevel3Keys = {u"statusFunctionCode", u"statusResponseType"};
const std::vector<std::u16string> kLevel2Keys = {u"statusExecuting", u"statusExecStartTime",
                                                 u"statusExecEndTime"};
const std::vector<std::u16string> kLevel1Keys = {u"statusScreen", u"statusScreenChangeTime",
                                                 u"statusOnline"};

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

std::u16string Terminal::Now() const { return LocalTimeText(factories_.clock()); }

void Terminal::RefreshStatusLevel() {
  ObjectSettings& settings =
      *RequireObject(objectSettings_, u"Terminal", u"The terminal is not initialised");
  statusUpdateLevel_ = settings.GetSetting(u"statusUpdateLevel", Variant(int32_t{0})).ToLong();
  onlineStatusWritten_ = false;
  offlineStatusWritten_ = false;
  if (statusUpdateLevel_ < previousStatusLevel_) {
    const auto eraser = factories_.CreateSettingsEraser();
    eraser->SetObjectType(settings.ObjectType());
    eraser->SetObjectID(settings.Name());
    // One key per call, in this order, as the record's readers expect.
    const auto remove = [&](const std::vector<std::u16string>& keys) {
      for (const auto& key : keys) eraser->RemoveSettings({key});
    };
    if (statusUpdateLevel_ <= 2) remove(kLevel3Keys);
    if (statusUpdateLevel_ <= 1) remove(kLevel2Keys);
    if (statusUpdateLevel_ == 0) remove(kLevel1Keys);
  }
  previousStatusLevel_ = statusUpdateLevel_;
}

void Terminal::SetStatusOnline() {
  // Once per cycle, and never over an offline write of the same cycle.
  if (statusUpdateLevel_ < 1 || onlineStatusWritten_) return;
  WriteStatus(u"statusOnline", Variant(kTrue));
  onlineStatusWritten_ = true;
}

void Terminal::SetStatusOffline() {
  // Offline wins: it replaces an online write of the same cycle.
  if (statusUpdateLevel_ < 1 || offlineStatusWritten_) return;
  WriteStatus(u"statusOnline", Variant(kFalse));
  onlineStatusWritten_ = true;
  offlineStatusWritten_ = true;
}

void Terminal::UpdateScreenStatus() {
  if (statusUpdateLevel_ < 1) return;
  if (HasNonSpace(currentScreen_)) SetStatusOnline();
  WriteStatus(u"statusScreen", Variant(currentScreen_));
  WriteStatus(u"statusScreenChangeTime", Variant(Now()));
}

void Terminal::UpdateFunctionStatus() {
  if (statusUpdateLevel_ < 3) return;
  WriteStatus(u"statusFunctionCode", Variant(FunctionCodeName(lastFunctionCode_)));
  WriteStatus(u"statusResponseType", Variant(ResponseTypeName(lastResponseType_)));
  UpdateScreenStatus();
}

void Terminal::MarkExecutionStart() {
  if (statusUpdateLevel_ < 2) return;
  WriteStatus(u"statusExecuting", Variant(kTrue));
  WriteStatus(u"statusExecStartTime", Variant(Now()));
  WriteStatus(u"statusExecEndTime", Variant(u""));
}

void Terminal::MarkExecutionEnd() {
  if (statusUpdateLevel_ < 2) return;
  WriteStatus(u"statusExecuting", Variant(kFalse));
  WriteStatus(u"statusExecEndTime", Variant(Now()));
}

}  // namespace carrowin
