#include "carrowin/automation/error.h"

#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <typeinfo>
#include <utility>
#include <variant>

#include "carrowin/automation/utf.h"

namespace carrowin {

Error::Error(int32_t number, std::u16string source, std::u16string description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {
  what_ = ToUtf8(description_) + " (error " + std::to_string(number_);
  if (!source_.empty()) what_ += ", " + ToUtf8(source_);
  what_ += ")";
}

std::u16string StandardErrorDescription(int32_t number) {
  switch (number) {
    case errors::kInvalidProcedureCall:
      return u"Invalid procedure call or argument";
    case errors::kOverflow:
      return u"Overflow";
    case errors::kOutOfMemory:
      return u"Out of memory";
    case errors::kSubscriptOutOfRange:
      return u"Subscript out of range";
    case errors::kTypeMismatch:
      return u"Type mismatch";
    case errors::kPathFileAccessError:
      return u"Path/File access error";
    case errors::kObjectNotSet:
      return u"Object variable or With block variable not set";
    case errors::kInvalidUseOfNull:
      return u"Invalid use of Null";
    case errors::kCannotCreateObject:
      return u"Can't create object";
    case errors::kAutomationError:
      return u"Automation error";
    case errors::kDuplicateKey:
      return u"This key is already associated with an element of this collection";
    default:
      return u"Application-defined or object-defined error";
  }
}

void RaiseError(int32_t number, std::u16string_view source, std::u16string_view description) {
  throw Error(number, std::u16string(source),
              description.empty() ? StandardErrorDescription(number) : std::u16string(description));
}

namespace {

template <class... Kinds>
bool IsAny(const std::exception& e) {
  return ((dynamic_cast<const Kinds*>(&e) != nullptr) || ...);
}

int32_t NumberOf(const std::exception& e) {
  if (IsAny<std::bad_alloc, std::length_error>(e)) return errors::kOutOfMemory;
  if (IsAny<std::out_of_range>(e)) return errors::kSubscriptOutOfRange;
  if (IsAny<std::invalid_argument, std::domain_error>(e)) return errors::kInvalidProcedureCall;
  if (IsAny<std::overflow_error, std::underflow_error, std::range_error>(e)) {
    return errors::kOverflow;
  }
  // std::bad_any_cast derives from std::bad_cast.
  if (IsAny<std::bad_cast, std::bad_typeid, std::bad_variant_access>(e)) {
    return errors::kTypeMismatch;
  }
  if (IsAny<std::bad_optional_access, std::bad_weak_ptr, std::bad_function_call>(e)) {
    return errors::kObjectNotSet;
  }
  return errors::kAutomationError;
}

}  // namespace

Error ErrorFromCurrentException(std::u16string_view source) {
  const std::exception_ptr current = std::current_exception();
  if (!current) {
    return Error(errors::kAutomationError, std::u16string(source),
                 u"No exception is being handled");
  }
  try {
    std::rethrow_exception(current);
  } catch (const Error& e) {
    return e;
  } catch (const std::exception& e) {
    const int32_t number = NumberOf(e);
    // The text of an allocation failure names a library type, not the failure.
    const bool ownText = number != errors::kOutOfMemory && e.what() != nullptr && *e.what() != '\0';
    return Error(number, std::u16string(source),
                 ownText ? FromUtf8(e.what()) : StandardErrorDescription(number));
  } catch (...) {
    return Error(errors::kAutomationError, std::u16string(source), u"Unknown exception");
  }
}

}  // namespace carrowin
