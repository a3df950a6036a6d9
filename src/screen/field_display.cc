// How a field is drawn, how its data reaches the terminal, and AIAG fields.
#include <algorithm>
#include <string>

#include "carrowin/automation/format_expression.h"
#include "carrowin/drel/drel.h"
#include "carrowin/drel/text_width.h"
#include "carrowin/screen/field.h"
#include "carrowin/screen/page.h"

namespace carrowin {

namespace {
// The character of a one-byte value (value + 48) in the AIAG command; the
// value must fit in a byte.
char16_t ValueCharacter(int32_t value) {
  if (value < -48 || value > 255 - 48) {
    RaiseError(errors::kOverflow, u"Field", u"The AIAG field number or prefix is too large");
  }
  return static_cast<char16_t>(value + 48);
}
}  // namespace

int32_t Field::ContentWidth() const {
  if (ContainsDoubleWidth(data_)) return DisplayWidth(data_, true);
  return SmallerOf(static_cast<int32_t>(data_.size()), size_);
}

bool Field::IsPlainText() const { return flags_ == 0 && style_ == StyleFixed; }

void Field::Display() {
  const int32_t width = ContentWidth();
  carrowin::Drel& drel = SelectedDrel();
  if (IsPlainText() && size_ > 0 && size_ == static_cast<int32_t>(data_.size())) {
    drel.FixedField(number_, row_, column_, data_);
  } else {
    displayLength_ = ComputeDisplayLength(width);
    drel.InitField(number_, row_, column_, style_, flags_, displayLength_);
    if ((style_ & StyleFixed) != 0) {
      if (!hiddenPattern_.empty()) {
        drel.HiddenMatch(number_, hiddenPattern_);
      } else if (!visibleMatch_.empty()) {
        drel.VisibleMatch(number_, visibleMatch_);
      }
      SendBufferSize();
      SendExtControlStyle();
      SendColors();
      SendExtendedVideoAttributes();
      SendAIAG();
    }
    if (!data_.empty()) drel.UpdateFieldWithMaxLen(number_, data_, bufferSize_);
  }
  sentExtendedAttributes_ = ExtendedAttributesBase;
  SendExtendedAttributes();
  touched_ = false;
}

std::u16string Field::Data() const {
  if (dataFormat_.empty()) return data_;
  return FormatExpression(data_, dataFormat_, FirstDayOfWeek::kSunday, FirstWeekOfYear::kJan1);
}

void Field::SetData(std::u16string_view value) {
  const bool hadData = !data_.empty();
  data_ = std::u16string(value);  // stored first: the model keeps it even when sending fails
  if (hadData) SendAIAG();
  const int32_t width = ContentWidth();
  if (OnTerminal()) {
    // Data from the terminal only updates the model: the terminal already
    // shows what its operator typed, and selecting the page here would
    // change the model's idea of the selected page behind the terminal's back.
    const bool echo = !updatingFromTerminal_;
    if (IsPlainText()) {
      if (displayLength_ < width) {
        // Without a buffer size of its own the buffer grows with the field,
        // or the data would be cut to the old size.
        if (bufferSize_ == size_) bufferSize_ = static_cast<int32_t>(data_.size());
        size_ = static_cast<int32_t>(data_.size());
        displayLength_ = ComputeDisplayLength(width);
      }
    } else if (displayLength_ < width) {
      const int32_t widened = ComputeDisplayLength(width);
      // Only a new length is worth a new definition: erasing the field also
      // closes it when it is open.
      const bool redefine = echo && widened != displayLength_;
      displayLength_ = widened;
      if (redefine) {
        // Written before the page selection: a saved page that is not
        // selected gets them on whatever page the terminal shows.
        carrowin::Drel& drel = TerminalDrel();
        drel.EraseField(number_);
        drel.InitField(number_, row_, column_, style_, flags_, displayLength_);
      }
    }
    if (echo) {
      carrowin::Drel& drel = SelectedDrel();
      if (data_.empty() && (style_ & StyleNoEcho) != 0) {
        drel.ClearField(number_);
      } else {
        drel.UpdateFieldWithMaxLen(number_, data_, bufferSize_);
      }
    }
  }
  if (data_.empty()) SendAIAG();
  touched_ = false;
}

void Field::ClearField() {
  TerminalDrel().ClearField(number_);
  touched_ = false;
}

void Field::AIAG(bool DisplayPrefix, bool SendPrefix, bool TransmitWhenFilled,
                 bool AllowDataOverwrite, bool CursorPositionPriority, std::u16string_view Data) {
  isAIAG_ = true;
  aiagPrefix_ = std::u16string(Data);
  aiagFlags_ = (DisplayPrefix ? 0 : 1) + (SendPrefix ? 0 : 2) + (TransmitWhenFilled ? 4 : 0) +
               (AllowDataOverwrite ? 8 : 0) + (CursorPositionPriority ? 16 : 0);
  if (OnTerminal()) SendAIAG();
}

void Field::SendAIAG() {
  if (!isAIAG_ || updatingFromTerminal_) return;
  std::u16string command = u"y";
  command += ValueCharacter(number_);
  command += ValueCharacter(aiagFlags_);
  command += ValueCharacter(static_cast<int32_t>(std::min<size_t>(aiagPrefix_.size(), 256)));
  command += aiagPrefix_;
  SelectedDrel().SendRawData(command);
}

}  // namespace carrowin
