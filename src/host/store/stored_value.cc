#include "host/store/stored_value.h"

#include <charconv>
#include <cstdint>
#include <system_error>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"
#include "host/settings_rules.h"

namespace carrowin {

namespace {

template <class Number>
std::string NumberText(Number number) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, number).ptr;
  return std::string(text, end);
}

template <class Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number number{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

}  // namespace

void CheckStorable(const Variant& value) {
  const Variant::Type type = value.GetType();
  if (type != Variant::Type::Object && type != Variant::Type::ByteArray) return;
  RaiseError(errors::kTypeMismatch, u"SettingsStore",
             u"A settings store keeps Empty, Null, Boolean, Integer, Long, Double and String "
             u"values, not an object or a byte array");
}

StoredValue ToStoredValue(const Variant& value) {
  CheckStorable(value);
  const Variant::Type type = value.GetType();
  const std::string typeText = NumberText(static_cast<int32_t>(type));
  switch (type) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
      return {typeText, std::nullopt};
    case Variant::Type::Boolean:
      return {typeText, value.ToBoolean() ? "1" : "0"};
    case Variant::Type::Integer:
      return {typeText, NumberText(value.ToInteger())};
    case Variant::Type::Long:
      return {typeText, NumberText(value.ToLong())};
    case Variant::Type::Double:
      return {typeText, NumberText(value.ToDouble())};
    case Variant::Type::String:
      return {typeText, ToUtf8(value.ToString())};
    case Variant::Type::Object:
    case Variant::Type::ByteArray:
      break;
  }
  return {typeText, std::nullopt};  // not reached: CheckStorable refused it
}

Variant FromStoredValue(std::optional<std::string_view> type, std::optional<std::string_view> text,
                        std::u16string_view location) {
  const auto damaged = [&]() -> Variant {
    RaiseError(
        errors::kPathFileAccessError, u"SettingsStore",
        Concat({u"Settings store ", location, u" holds a value this library cannot read (type ",
                FromUtf8(type.value_or("NULL")), u", text '", FromUtf8(text.value_or("NULL")),
                u"')"}));
  };
  const std::optional<int32_t> number = type ? ParseNumber<int32_t>(*type) : std::nullopt;
  if (!number) return damaged();
  switch (static_cast<Variant::Type>(*number)) {
    case Variant::Type::Empty:
      return Variant();
    case Variant::Type::Null:
      return Variant::Null();
    default:
      break;
  }
  if (!text) return damaged();
  switch (static_cast<Variant::Type>(*number)) {
    case Variant::Type::Boolean:
      if (*text == "1" || *text == "0") return Variant(*text == "1");
      break;
    case Variant::Type::Integer:
      if (const auto value = ParseNumber<int16_t>(*text)) return Variant(*value);
      break;
    case Variant::Type::Long:
      if (const auto value = ParseNumber<int32_t>(*text)) return Variant(*value);
      break;
    case Variant::Type::Double:
      if (const auto value = ParseNumber<double>(*text)) return Variant(*value);
      break;
    case Variant::Type::String:
      return Variant(FromUtf8(*text));
    default:
      break;
  }
  return damaged();
}

}  // namespace carrowin
