#include "reply_builder.h"

#include "carrowin/automation/error.h"
#include "carrowin/drel/code_pages.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kSource = u"SimTerminal";
}  // namespace

ReplyBuilder& ReplyBuilder::Byte(uint8_t byte) {
  bytes_.push_back(byte);
  return *this;
}

ReplyBuilder& ReplyBuilder::Number(int32_t value) {
  if (value < -1 || value > 207) {
    RaiseError(errors::kInvalidProcedureCall, kSource, u"A number outside -1 to 207");
  }
  return Byte(static_cast<uint8_t>(value + 48));
}

ReplyBuilder& ReplyBuilder::Text(int32_t codepage, std::u16string_view text) {
  std::vector<uint8_t> converted;
  if (!text.empty() && WideCharToMultiByte(codepage, text, converted).lastError != 0) {
    RaiseError(errors::kInvalidProcedureCall, kSource,
               u"The text cannot be converted through the terminal's code page");
  }
  const size_t length = converted.size();
  if (length > 43263) {
    RaiseError(errors::kInvalidProcedureCall, kSource, u"The text is longer than 43263 bytes");
  }
  if (length < 208) {
    Byte(static_cast<uint8_t>(length + 48));
  } else {
    Byte('!');
    Byte(static_cast<uint8_t>(length / 208 + 48));
    Byte(static_cast<uint8_t>(length % 208 + 48));
  }
  bytes_.insert(bytes_.end(), converted.begin(), converted.end());
  return *this;
}

}  // namespace carrowin
