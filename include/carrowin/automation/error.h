#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace carrowin {

/// The automation error numbers the library raises or passes on.
namespace errors {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kPathFileAccessError = 75;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kCannotCreateObject = 429;
inline constexpr int32_t kAutomationError = 440;
inline constexpr int32_t kDuplicateKey = 457;
/// The number a failed platform conversion raises (inbound text).
inline constexpr int32_t kApiFailure = 100;
}  // namespace errors

/// The one exception type of the library: an automation error with its
/// number, the component or call that raised it and a readable description.
class Error : public std::exception {
 public:
  Error(int32_t number, std::u16string source, std::u16string description);

  int32_t Number() const noexcept { return number_; }
  const std::u16string& Source() const noexcept { return source_; }
  const std::u16string& Description() const noexcept { return description_; }

  /// "Description (error N, Source)" in UTF-8.
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int32_t number_;
  std::u16string source_;
  std::u16string description_;
  std::string what_;
};

/// The standard description of an automation error number ("Overflow",
/// "Type mismatch", ...), or "Application-defined or object-defined error"
/// for a number the library does not know.
std::u16string StandardErrorDescription(int32_t number);

/// Raises an Error. Every failure of the library goes through here, so each
/// one carries its number and, when `description` is empty, the standard text.
[[noreturn]] void RaiseError(int32_t number, std::u16string_view source,
                             std::u16string_view description = {});

/// The exception being handled, whatever its type, as an Error; call it only
/// inside a catch block. An application's event handler may throw anything,
/// and an operation with an error handler must still report it and return:
///
/// | Exception | Number | Description |
/// |---|---|---|
/// | `carrowin::Error` | its own (source too) | its own |
/// | `std::bad_alloc`, `std::length_error` | 7 | "Out of memory" |
/// | `std::out_of_range` | 9 | its `what()` |
/// | `std::invalid_argument`, `std::domain_error` | 5 | its `what()` |
/// | `std::overflow_error`, `std::underflow_error`, `std::range_error` | 6 | its `what()` |
/// | `std::bad_cast`, `std::bad_typeid`, `std::bad_variant_access`, `std::bad_any_cast` | 13 | its
/// `what()` | | `std::bad_optional_access`, `std::bad_weak_ptr`, `std::bad_function_call` | 91 |
/// its `what()` | | any other `std::exception` | 440 | its `what()` | | anything else | 440 |
/// "Unknown exception" |
///
/// Every error but a `carrowin::Error` gets `source`; an empty `what()`
/// gets the standard text of the number. Outside a catch block: error 440,
/// "No exception is being handled".
Error ErrorFromCurrentException(std::u16string_view source);

}  // namespace carrowin
