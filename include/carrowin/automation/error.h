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
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kPathFileAccessError = 75;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kCannotCreateObject = 429;
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

}  // namespace carrowin
