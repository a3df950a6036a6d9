#include "status_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <optional>

#include "carrowin/automation/utf.h"

namespace carrowin::status {

namespace {

// How a status value is shown.
enum class Shape {
  kText,
  kFlag,  // True (-1) or False (0), as a Long: "yes" or "no"
  kTime,  // "yyyymmddhhnnss": "yyyy-mm-dd hh:nn:ss"
};

// The status values the library writes, in the order they are shown.
struct StatusColumn {
  const char16_t* key;
  const char* heading;
  Shape shape;
};
constexpr StatusColumn kColumns[] = {
    {u"statusOnline", "ONLINE", Shape::kFlag},
    {u"statusScreen", "SCREEN", Shape::kText},
    {u"statusScreenChangeTime", "SCREEN CHANGED", Shape::kTime},
    {u"statusExecuting", "EXECUTING", Shape::kFlag},
    {u"statusExecStartTime", "EXECUTION START", Shape::kTime},
    {u"statusExecEndTime", "EXECUTION END", Shape::kTime},
    {u"statusFunctionCode", "LAST FUNCTION", Shape::kText},
    {u"statusResponseType", "RESPONSE", Shape::kText},
    {u"statusUpdateLevel", "LEVEL", Shape::kText},
};
constexpr const char16_t* kTimeKeys[] = {u"statusScreenChangeTime", u"statusExecStartTime",
                                         u"statusExecEndTime"};

bool SameKey(std::u16string_view a, std::u16string_view b) {
  const auto fold = [](char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

const Variant* Find(const SettingsRecord& record, std::u16string_view key) {
  for (const auto& [name, value] : record.settings) {
    if (SameKey(name, key)) return &value;
  }
  return nullptr;
}

std::string Shown(const Variant* value, Shape shape) {
  if (value == nullptr || value->IsEmpty() || value->IsNull()) return "";
  if (value->GetType() == Variant::Type::Boolean ||
      (shape == Shape::kFlag && value->GetType() != Variant::Type::String)) {
    return value->ToBoolean() ? "yes" : "no";
  }
  std::string text = ToUtf8(value->ToString());
  if (shape == Shape::kTime && text.size() == 14 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    text = text.substr(0, 4) + "-" + text.substr(4, 2) + "-" + text.substr(6, 2) + " " +
           text.substr(8, 2) + ":" + text.substr(10, 2) + ":" + text.substr(12, 2);
  }
  return text;
}

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string JsonValue(const Variant& value) {
  switch (value.GetType()) {
    case Variant::Type::Boolean:
      return value.ToBoolean() ? "true" : "false";
    case Variant::Type::Integer:
    case Variant::Type::Long:
      return std::to_string(value.ToLong());
    case Variant::Type::Double: {
      if (!std::isfinite(value.ToDouble())) return "null";
      char text[32];
      std::snprintf(text, sizeof text, "%.17g", value.ToDouble());
      return text;
    }
    case Variant::Type::String:
      return JsonString(ToUtf8(value.ToString()));
    default:
      return "null";
  }
}

}  // namespace

bool IsTerminal(const SettingsRecord& record, std::u16string_view id) {
  return SameKey(record.objectID, id);
}

std::string LocalTimeText(int64_t secondsAgo) {
  const std::time_t then = std::time(nullptr) - static_cast<std::time_t>(secondsAgo);
  std::tm local{};
  localtime_r(&then, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
  return text;
}

bool PassesFilters(const SettingsRecord& record, const StatusOptions& options,
                   const std::string& now) {
  if (options.online) {
    const Variant* online = Find(record, u"statusOnline");
    bool isOnline = false;
    try {
      isOnline = online != nullptr && !online->IsNull() && online->ToBoolean();
    } catch (...) {
      // A value that is no Boolean is not "online".
    }
    if (isOnline != *options.online) return false;
  }
  if (options.olderThanSeconds) {
    // The latest of the terminal's status times; a terminal without one is
    // idle for good.
    std::string latest;
    for (const char16_t* key : kTimeKeys) {
      const Variant* value = Find(record, key);
      if (value != nullptr && value->GetType() == Variant::Type::String) {
        latest = std::max(latest, ToUtf8(value->ToString()));
      }
    }
    if (latest > now) return false;
  }
  return true;
}

std::string StatusTable(const std::vector<SettingsRecord>& records) {
  std::vector<std::vector<std::string>> rows;
  rows.emplace_back(1, "TERMINAL");
  for (const StatusColumn& column : kColumns) rows.back().push_back(column.heading);
  for (const SettingsRecord& record : records) {
    rows.emplace_back(1, ToUtf8(record.objectID));
    for (const StatusColumn& column : kColumns) {
      rows.back().push_back(Shown(Find(record, column.key), column.shape));
    }
  }
  std::vector<size_t> widths(rows.front().size(), 0);
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  std::string table;
  for (const auto& row : rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size() + 2, ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);  // no trailing blanks for empty columns
    table += line + "\n";
  }
  return table;
}

std::string RecordDetail(const SettingsRecord& record) {
  std::string detail =
      "terminal: " + ToUtf8(record.objectID) + "\nname: " + ToUtf8(record.name) + "\n";
  for (const auto& [key, value] : record.settings) {
    detail += ToUtf8(key) + ": " + (value.IsNull() ? "Null" : Shown(&value, Shape::kText)) + "\n";
  }
  return detail;
}

std::string RecordsJson(const std::vector<SettingsRecord>& records, bool full) {
  std::string json = "[";
  for (const SettingsRecord& record : records) {
    if (json.size() > 1) json += ",";
    json += "\n  {\"terminal\": " + JsonString(ToUtf8(record.objectID)) +
            ", \"name\": " + JsonString(ToUtf8(record.name));
    if (full) {
      for (const auto& [key, value] : record.settings) {
        json += ", " + JsonString(ToUtf8(key)) + ": " + JsonValue(value);
      }
    } else {
      for (const StatusColumn& column : kColumns) {
        const Variant* value = Find(record, column.key);
        json += ", " + JsonString(ToUtf8(column.key)) + ": " +
                (value != nullptr ? JsonValue(*value) : "null");
      }
    }
    json += "}";
  }
  return json + (records.empty() ? "]\n" : "\n]\n");
}

}  // namespace carrowin::status
