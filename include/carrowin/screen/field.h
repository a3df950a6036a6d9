#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "carrowin/automation/object.h"
#include "carrowin/host/error_reporter.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_writer.h"
#include "carrowin/screen/field_enumerations.h"

namespace carrowin {

class Drel;
class Page;
class Terminal;

/// One field of a `Page`: a numbered area of the terminal screen with a
/// style, flags, a size, its data and optional patterns and extended
/// properties. Created by `Fields`; reached through `Page::Fields()`.
///
/// While its page is on the terminal (`Page::OnTerminal`), assigning a
/// property that the terminal shows sends the matching command at once, into
/// the reply being built by the terminal's `Drel`; otherwise the change waits
/// for the next drawing. No operation catches errors: a failure of the page,
/// the terminal or the encoder reaches the caller, after the new value has
/// been stored. Once the field's page or terminal is gone (after
/// `Terminate`), an operation that needs them raises error 91.
class Field {
 public:
  Field() = default;
  Field(const Field&) = delete;
  Field& operator=(const Field&) = delete;

  /// Free slot for an object of the application's; the library never reads it.
  const std::shared_ptr<Object>& Common() const { return common_; }
  void SetCommon(std::shared_ptr<Object> value) { common_ = std::move(value); }

  /// Stores the attributes without checking them (rows and columns from 0)
  /// and sends nothing. A "@B" directive in the hidden pattern gives the
  /// buffer size in hexadecimal ("@B1E" is 30); missing or non-hexadecimal
  /// digits raise error 13, more than 32 bits error 6.
  void Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                  const std::shared_ptr<carrowin::Terminal>& objTerminal,
                  const std::shared_ptr<carrowin::Page>& objPage, std::u16string_view sFieldName,
                  int32_t lFieldNumber, int32_t lFieldRow, int32_t lFieldColumn,
                  int32_t lFieldStyle, int32_t lFieldFlags, int32_t lFieldSize,
                  std::u16string_view sFieldData, std::u16string_view sHiddenPattern,
                  std::u16string_view sVisiblePattern);
  /// Drops the page and the terminal; sends nothing.
  void Terminate();

  /// Draws the field: its definition, patterns and extended properties, data
  /// and attribute bits. The caller decides whether the page is on the
  /// terminal.
  void Display();
  /// Makes this an AIAG bar-code field with the data identifier `Data`.
  void AIAG(bool DisplayPrefix, bool SendPrefix, bool TransmitWhenFilled, bool AllowDataOverwrite,
            bool CursorPositionPriority, std::u16string_view Data);
  /// Clears the field on the terminal's selected page; `Data` is kept.
  void ClearField();

  int32_t Column() const { return column_; }
  /// The data, formatted by `DataFormat` when that is set.
  std::u16string Data() const;
  /// Stores the data and, on the terminal, sends it (widening the field when
  /// double-width characters need more columns).
  void SetData(std::u16string_view value);
  int32_t Flags() const { return flags_; }
  void SetFlags(int32_t value);
  const std::u16string& HiddenPattern() const { return hiddenPattern_; }
  void SetHiddenPattern(std::u16string_view value);
  const std::u16string& Name() const { return name_; }
  int32_t Number() const { return number_; }
  /// The page, or nullptr once the field is terminated.
  std::shared_ptr<carrowin::Page> Page() const { return page_.lock(); }
  int32_t Row() const { return row_; }
  int32_t Size() const { return size_; }
  int32_t Style() const { return style_; }
  void SetStyle(int32_t value);
  bool Touched() const { return touched_; }
  void SetTouched(bool value) { touched_ = value; }
  const std::u16string& VisibleMatch() const { return visibleMatch_; }
  void SetVisibleMatch(std::u16string_view value);

  const std::u16string& DataFormat() const { return dataFormat_; }
  void SetDataFormat(std::u16string_view value) { dataFormat_ = std::u16string(value); }
  int32_t ExtendedAttributes() const { return extendedAttributes_; }
  void SetExtendedAttributes(int32_t value);
  int32_t BufferSize() const { return bufferSize_; }
  void SetBufferSize(int32_t value);
  int32_t ExtControlStyle() const { return extControlStyle_; }
  void SetExtControlStyle(int32_t value);
  int32_t ForegroundColor() const { return foregroundColor_; }
  void SetForegroundColor(int32_t value);
  int32_t BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(int32_t value);
  int32_t ExtendedVideoAttributes() const { return extendedVideoAttributes_; }
  void SetExtendedVideoAttributes(int32_t value);
  int32_t LocalProcedureIndex() const { return localProcedureIndex_; }
  void SetLocalProcedureIndex(int32_t value) { localProcedureIndex_ = value; }
  bool AllowClear() const { return allowClear_; }
  void SetAllowClear(bool value) { allowClear_ = value; }

  // --- Read-only state ------------------------------------------------------

  /// The data exactly as stored, without `DataFormat`.
  const std::u16string& RawData() const { return data_; }
  /// Columns the field occupies on the terminal.
  int32_t DisplayLength() const { return displayLength_; }
  bool IsAIAG() const { return isAIAG_; }
  int32_t AIAGFlags() const { return aiagFlags_; }
  const std::u16string& AIAGPrefix() const { return aiagPrefix_; }
  int32_t SentExtendedAttributes() const { return sentExtendedAttributes_; }
  bool UpdatingFromTerminal() const { return updatingFromTerminal_; }

  // --- For the library's own classes --------------------------------------

  /// Set around the assignment of data the terminal sent: the terminal
  /// already shows it, so the assignment only updates the model.
  void SetUpdatingFromTerminal(bool value) { updatingFromTerminal_ = value; }
  /// The columns a content of `width` needs: its width or `Size`, whichever
  /// is larger, up to the end of the virtual row; `Size` when the field has a
  /// buffer of its own size.
  int32_t ComputeDisplayLength(int32_t width) const;

 private:
  std::shared_ptr<carrowin::Page> RequirePage() const;
  std::shared_ptr<carrowin::Terminal> RequireTerminal() const;
  carrowin::Drel& TerminalDrel() const;
  bool OnTerminal() const;
  /// The Drel of the terminal after selecting the field's page.
  carrowin::Drel& SelectedDrel() const;
  int16_t TerminalVersion() const;
  /// Width of the content: double-width characters count two columns.
  int32_t ContentWidth() const;
  /// A display-only field with no flags: drawn compactly, widened quietly.
  bool IsPlainText() const;

  void SendExtendedAttributes();
  void SendBufferSize();
  void SendExtControlStyle();
  void SendColors();
  void SendExtendedVideoAttributes();
  void SendAIAG();
  void SendFieldCharact();
  /// Stores `value` in `member`; on the terminal, runs `sender` when the
  /// value changed.
  void AssignAndSend(int32_t& member, int32_t value, void (Field::*sender)());

  std::shared_ptr<Object> common_;
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  std::weak_ptr<carrowin::Terminal> terminal_;
  std::weak_ptr<carrowin::Page> page_;
  std::u16string name_;
  std::u16string data_;
  std::u16string hiddenPattern_;
  std::u16string visibleMatch_;
  std::u16string dataFormat_;
  std::u16string aiagPrefix_;
  int32_t number_ = 0;
  int32_t row_ = 0;
  int32_t column_ = 0;
  int32_t style_ = 0;
  int32_t flags_ = 0;
  int32_t size_ = 0;
  int32_t bufferSize_ = 0;
  int32_t aiagFlags_ = 0;
  int32_t extendedAttributes_ = 0;
  int32_t sentExtendedAttributes_ = 0;
  int32_t displayLength_ = 0;
  int32_t extControlStyle_ = FieldExtControlStyleNormal;
  int32_t foregroundColor_ = Default;
  int32_t backgroundColor_ = Default;
  int32_t extendedVideoAttributes_ = ExVideoAttribDefault;
  int32_t localProcedureIndex_ = -1;
  bool touched_ = false;
  bool isAIAG_ = false;
  bool updatingFromTerminal_ = false;
  bool allowClear_ = true;
};

}  // namespace carrowin
