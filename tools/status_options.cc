#include "status_options.h"

#include <charconv>
#include <system_error>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"

namespace carrowin::status {

namespace {

[[noreturn]] void Refuse(const std::string& what) {
  RaiseError(errors::kInvalidProcedureCall, u"carrowin-status", FromUtf8(what));
}

template <class Number>
Number ParseNumber(const std::string& text, const std::string& what) {
  Number number{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) {
    Refuse(what + " must be a number, not '" + text + "'");
  }
  return number;
}

// KEY=TEXT, or KEY:TYPE=VALUE with TYPE long, integer, double or bool.
std::pair<std::u16string, Variant> ParseSetting(const std::string& argument) {
  const size_t equals = argument.find('=');
  if (equals == std::string::npos || equals == 0) {
    Refuse("a setting is KEY=VALUE or KEY:TYPE=VALUE, not '" + argument + "'");
  }
  const std::string name = argument.substr(0, equals);
  const std::string value = argument.substr(equals + 1);
  const size_t colon = name.find(':');
  const std::u16string key = FromUtf8(name.substr(0, colon));
  if (colon == std::string::npos) return {key, Variant(FromUtf8(value))};
  const std::string type = name.substr(colon + 1);
  const std::string what = "the value of " + name.substr(0, colon);
  if (type == "long") return {key, Variant(ParseNumber<int32_t>(value, what))};
  if (type == "integer") return {key, Variant(ParseNumber<int16_t>(value, what))};
  if (type == "double") return {key, Variant(ParseNumber<double>(value, what))};
  if (type == "bool" && (value == "true" || value == "false")) {
    return {key, Variant(value == "true")};
  }
  Refuse("'" + argument + "': the type is long, integer, double or bool (true or false)");
}

}  // namespace

const char* StatusUsage() {
  return "usage: carrowin-status LOCATION [--json] [--terminal ID] [--online | --offline]\n"
         "                       [--older-than SECONDS] [--watch [SECONDS]]\n"
         "       carrowin-status LOCATION provision ID [--name NAME] [KEY=TEXT | "
         "KEY:TYPE=VALUE ...]\n"
         "LOCATION is sqlite:PATH or a postgresql:// URI; TYPE is long, integer, double or bool.\n";
}

StatusOptions ParseStatusOptions(const std::vector<std::string>& arguments) {
  if (arguments.empty()) Refuse("no store location given");
  StatusOptions options;
  options.location = arguments[0];
  size_t i = 1;
  const auto next = [&](const std::string& option) -> const std::string& {
    if (i + 1 >= arguments.size()) Refuse(option + " needs a value");
    return arguments[++i];
  };
  if (arguments.size() > 1 && arguments[1] == "provision") {
    if (arguments.size() < 3) Refuse("provision needs the terminal's ID");
    options.provisionID = FromUtf8(arguments[2]);
    for (i = 3; i < arguments.size(); ++i) {
      if (arguments[i] == "--name") {
        options.provisionName = FromUtf8(next("--name"));
      } else {
        options.provisionSettings.push_back(ParseSetting(arguments[i]));
      }
    }
    return options;
  }
  for (; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--json") {
      options.json = true;
    } else if (argument == "--terminal") {
      options.terminal = FromUtf8(next(argument));
    } else if (argument == "--online" || argument == "--offline") {
      options.online = argument == "--online";
    } else if (argument == "--older-than") {
      options.olderThanSeconds = ParseNumber<int64_t>(next(argument), argument);
    } else if (argument == "--watch") {
      options.watchSeconds = 2;
      if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
        options.watchSeconds = ParseNumber<int32_t>(arguments[++i], argument);
      }
      if (*options.watchSeconds <= 0) Refuse("--watch needs a positive number of seconds");
    } else {
      Refuse("unknown option '" + argument + "'");
    }
  }
  return options;
}

}  // namespace carrowin::status
