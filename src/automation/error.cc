#include "carrowin/automation/error.h"

#include <utility>

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
    case errors::kDuplicateKey:
      return u"This key is already associated with an element of this collection";
    default:
      return u"Application-defined or object-defined error";
  }
}

void RaiseError(int32_t number, std::u16string_view source, std::u16string_view description) {
  throw Error(number, std::u16string(source),
              description.empty() ? StandardErrorDescription(number)
                                  : std::u16string(description));
}

}  // namespace carrowin
