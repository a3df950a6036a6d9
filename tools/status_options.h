#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "carrowin/automation/variant.h"

namespace carrowin::status {

/// What the command line asks for.
struct StatusOptions {
  std::string location;
  bool json = false;
  std::optional<int32_t> watchSeconds;
  std::optional<std::u16string> terminal;   // one record in full
  std::optional<bool> online;               // only online (true) or offline (false) terminals
  std::optional<int64_t> olderThanSeconds;  // only terminals idle at least this long
  // The provision subcommand: the record to create or update.
  std::optional<std::u16string> provisionID;
  std::optional<std::u16string> provisionName;
  std::vector<std::pair<std::u16string, Variant>> provisionSettings;
};

/// The options of these arguments (without the program name); raises error 5
/// with a message fit for the user when they make no sense.
StatusOptions ParseStatusOptions(const std::vector<std::string>& arguments);

/// The usage text.
const char* StatusUsage();

}  // namespace carrowin::status
