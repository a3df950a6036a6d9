// carrowin-status: shows the terminals' status records kept in a settings
// store, and provisions a terminal's record on request. Reading never writes
// a status value.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"
#include "carrowin/host/database_settings_store.h"
#include "status_options.h"
#include "status_view.h"

namespace {

constexpr std::u16string_view kTerminal = u"Terminal";

using carrowin::SettingsRecord;
using carrowin::status::StatusOptions;

std::shared_ptr<carrowin::DatabaseSettingsStore> OpenExisting(const std::string& location) {
  // Opening would create a missing SQLite file: a mistyped path must say so.
  constexpr std::string_view kSqlite = "sqlite:";
  if (location.starts_with(kSqlite) && !std::filesystem::exists(location.substr(kSqlite.size()))) {
    std::u16string message(u"No settings store at '");
    message.append(carrowin::FromUtf8(location)).push_back(u'\'');
    carrowin::RaiseError(carrowin::errors::kPathFileAccessError, u"carrowin-status", message);
  }
  return carrowin::DatabaseSettingsStore::Open(location);
}

int Provision(carrowin::DatabaseSettingsStore& store, const StatusOptions& options) {
  if (options.provisionName) store.SetName(kTerminal, *options.provisionID, *options.provisionName);
  for (const auto& [key, value] : options.provisionSettings) {
    store.SetSetting(kTerminal, *options.provisionID, key, value);
  }
  if (!options.provisionName && options.provisionSettings.empty()) {
    store.SetName(kTerminal, *options.provisionID, u"");  // creates the record
  }
  store.Flush();
  return 0;
}

std::string Render(const carrowin::DatabaseSettingsStore& store, const StatusOptions& options) {
  std::vector<SettingsRecord> records = store.Records(kTerminal);
  if (options.terminal) {
    std::erase_if(records, [&](const SettingsRecord& record) {
      return !carrowin::status::IsTerminal(record, *options.terminal);
    });
    if (records.empty()) {
      carrowin::RaiseError(carrowin::errors::kInvalidProcedureCall, u"carrowin-status",
                           u"No terminal record '" + *options.terminal + u"'");
    }
    return options.json ? carrowin::status::RecordsJson(records, true)
                        : carrowin::status::RecordDetail(records.front());
  }
  const std::string now = carrowin::status::LocalTimeText(options.olderThanSeconds.value_or(0));
  std::erase_if(records, [&](const SettingsRecord& record) {
    return !carrowin::status::PassesFilters(record, options, now);
  });
  return options.json ? carrowin::status::RecordsJson(records, false)
                      : carrowin::status::StatusTable(records);
}

}  // namespace

int main(int argc, char** argv) {
  StatusOptions options;
  try {
    options = carrowin::status::ParseStatusOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const carrowin::Error& error) {
    std::fprintf(stderr, "carrowin-status: %s\n%s", carrowin::ToUtf8(error.Description()).c_str(),
                 carrowin::status::StatusUsage());
    return 2;
  }
  try {
    const auto store = OpenExisting(options.location);
    if (options.provisionID) return Provision(*store, options);
    for (;;) {
      const std::string text = Render(*store, options);
      if (!options.watchSeconds) {
        std::fputs(text.c_str(), stdout);
        return 0;
      }
      // Home, clear, then the new table: refreshed in place.
      std::fputs(("\x1b[H\x1b[2J" + text).c_str(), stdout);
      std::fflush(stdout);
      std::this_thread::sleep_for(std::chrono::seconds(*options.watchSeconds));
    }
  } catch (const carrowin::Error& error) {
    std::fprintf(stderr, "carrowin-status: %s\n", carrowin::ToUtf8(error.Description()).c_str());
    return 1;
  }
}
