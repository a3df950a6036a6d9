// A field's attributes and how each change reaches the terminal.
#include "carrowin/screen/field.h"

#include <algorithm>
#include <limits>

#include "carrowin/drel/drel.h"
#include "carrowin/drel/text_width.h"
#include "carrowin/params/parameters.h"
#include "carrowin/screen/page.h"
#include "carrowin/terminal/terminal.h"
#include "host/object_trace.h"
#include "host/required_object.h"
#include "screen/buffer_size_directive.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kObjectName = u"Field";
// Terminals of these versions and later know the extended field commands.
constexpr int16_t kBufferSizeVersion = 68;
constexpr int16_t kExtendedCommandsVersion = 69;
}  // namespace

void Field::Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                       const std::shared_ptr<carrowin::Terminal>& objTerminal,
                       const std::shared_ptr<carrowin::Page>& objPage,
                       std::u16string_view sFieldName, int32_t lFieldNumber, int32_t lFieldRow,
                       int32_t lFieldColumn, int32_t lFieldStyle, int32_t lFieldFlags,
                       int32_t lFieldSize, std::u16string_view sFieldData,
                       std::u16string_view sHiddenPattern, std::u16string_view sVisiblePattern) {
  traceWriter_ = ObtainTraceWriter(
      *RequireObject(objProcessTrace, kObjectName, u"The process trace is Nothing"), kObjectName);
  traceWriter_->Trace(3, u"Initialize", u"Trace created");
  errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
  terminal_ = objTerminal;
  page_ = objPage;
  name_ = std::u16string(sFieldName);
  number_ = lFieldNumber;
  row_ = lFieldRow;
  column_ = lFieldColumn;
  style_ = lFieldStyle;
  flags_ = lFieldFlags;
  size_ = lFieldSize;
  data_ = std::u16string(sFieldData);
  hiddenPattern_ = std::u16string(sHiddenPattern);
  visibleMatch_ = std::u16string(sVisiblePattern);
  touched_ = false;
  isAIAG_ = false;
  bufferSize_ = BufferSizeDirective(hiddenPattern_).value_or(size_);
  displayLength_ =
      ContainsDoubleWidth(data_) ? ComputeDisplayLength(DisplayWidth(data_, true)) : size_;
}

void Field::Terminate() {
  page_.reset();
  terminal_.reset();
}

std::shared_ptr<carrowin::Page> Field::RequirePage() const {
  return RequireObject(page_, kObjectName, u"The field has no page");
}

std::shared_ptr<carrowin::Terminal> Field::RequireTerminal() const {
  return RequireObject(terminal_, kObjectName, u"The field has no terminal");
}

carrowin::Drel& Field::TerminalDrel() const {
  return *RequireObject(RequireTerminal()->Drel(), kObjectName, u"The terminal is not initialised");
}

bool Field::OnTerminal() const { return RequirePage()->OnTerminal(); }

carrowin::Drel& Field::SelectedDrel() const {
  RequirePage()->SelectPage();
  return TerminalDrel();
}

int16_t Field::TerminalVersion() const {
  const auto terminal =
      RequireObject(RequirePage()->Terminal(), kObjectName, u"The page has no terminal");
  return RequireObject(terminal->Parameters(), kObjectName, u"The terminal is not initialised")
      ->Version();
}

int32_t Field::ComputeDisplayLength(int32_t width) const {
  if (bufferSize_ != size_) return size_;
  const auto& parameters = RequireObject(RequireTerminal()->Parameters(), kObjectName,
                                         u"The terminal is not initialised");
  // In 64 bits: a column far outside the screen must not overflow the room left.
  const int64_t roomLeft = int64_t{parameters->VirtualColumns()} - column_;
  const int64_t length = std::min<int64_t>(std::max(width, size_), roomLeft);
  return static_cast<int32_t>(std::max<int64_t>(length, std::numeric_limits<int32_t>::min()));
}

// --- Senders ----------------------------------------------------------------

void Field::SendExtendedAttributes() {
  if (((extendedAttributes_ ^ sentExtendedAttributes_) & ExtendedAttributesAllMask) == 0) return;
  SelectedDrel().Bits(number_, extendedAttributes_);
  sentExtendedAttributes_ = extendedAttributes_;
}

void Field::SendBufferSize() {
  if (bufferSize_ > displayLength_ && TerminalVersion() >= kBufferSizeVersion) {
    SelectedDrel().FieldBufferSizeSend(number_, bufferSize_);
  }
}

void Field::SendExtControlStyle() {
  if (TerminalVersion() >= kExtendedCommandsVersion && extControlStyle_ != 0) {
    SelectedDrel().PushButtonFieldSend(number_, localProcedureIndex_);
  }
}

void Field::SendColors() {
  if (foregroundColor_ != Default && backgroundColor_ != Default &&
      TerminalVersion() >= kExtendedCommandsVersion) {
    SelectedDrel().SetColorSend(number_, foregroundColor_, backgroundColor_);
  }
}

void Field::SendExtendedVideoAttributes() {
  if (extendedVideoAttributes_ != ExVideoAttribDefault &&
      TerminalVersion() >= kExtendedCommandsVersion) {
    SelectedDrel().ExtendedFieldVideoSend(number_, extendedVideoAttributes_);
  }
}

void Field::SendFieldCharact() { SelectedDrel().SetFieldCharact(number_, style_, flags_); }

// --- Property lets ----------------------------------------------------------

void Field::SetStyle(int32_t value) {
  style_ = value;
  if (OnTerminal()) SendFieldCharact();
}

void Field::SetFlags(int32_t value) { AssignAndSend(flags_, value, &Field::SendFieldCharact); }

void Field::SetHiddenPattern(std::u16string_view value) {
  hiddenPattern_ = std::u16string(value);
  if (OnTerminal()) SelectedDrel().HiddenMatch(number_, hiddenPattern_);
}

void Field::SetVisibleMatch(std::u16string_view value) {
  visibleMatch_ = std::u16string(value);
  // Sent at once, to whatever page the terminal has selected.
  TerminalDrel().VisibleMatch(number_, visibleMatch_);
}

void Field::SetExtendedAttributes(int32_t value) {
  AssignAndSend(extendedAttributes_, value, &Field::SendExtendedAttributes);
}

void Field::SetBufferSize(int32_t value) {
  AssignAndSend(bufferSize_, value, &Field::SendBufferSize);
}

void Field::SetExtControlStyle(int32_t value) {
  AssignAndSend(extControlStyle_, value, &Field::SendExtControlStyle);
}

void Field::SetForegroundColor(int32_t value) {
  AssignAndSend(foregroundColor_, value, &Field::SendColors);
}

void Field::SetBackgroundColor(int32_t value) {
  AssignAndSend(backgroundColor_, value, &Field::SendColors);
}

void Field::SetExtendedVideoAttributes(int32_t value) {
  AssignAndSend(extendedVideoAttributes_, value, &Field::SendExtendedVideoAttributes);
}

void Field::AssignAndSend(int32_t& member, int32_t value, void (Field::*sender)()) {
  const bool changed = member != value;
  member = value;  // stored first: the model keeps the value even when sending fails
  if (changed && OnTerminal()) (this->*sender)();
}

}  // namespace carrowin
