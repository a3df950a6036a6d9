#pragma once

#include <string>
#include <vector>

#include "carrowin/host/settings_record.h"
#include "status_options.h"

namespace carrowin::status {

/// Whether a terminal's record passes the filters; `now` is the local time
/// as "yyyymmddhhnnss", the form of the status times.
bool PassesFilters(const SettingsRecord& record, const StatusOptions& options,
                   const std::string& now);

/// Whether this is the record of terminal `id` (ASCII letters compared
/// without case, as the store does).
bool IsTerminal(const SettingsRecord& record, std::u16string_view id);

/// One line per terminal under a heading, columns aligned.
std::string StatusTable(const std::vector<SettingsRecord>& records);

/// Every value of one record, a line each.
std::string RecordDetail(const SettingsRecord& record);

/// A JSON array of the records: each with its terminal ID, name and status
/// values, or with every value when `full`.
std::string RecordsJson(const std::vector<SettingsRecord>& records, bool full);

/// The local time `secondsAgo` seconds ago as "yyyymmddhhnnss".
std::string LocalTimeText(int64_t secondsAgo);

}  // namespace carrowin::status
