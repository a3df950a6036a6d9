#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "carrowin/automation/event.h"
#include "carrowin/automation/object.h"
#include "carrowin/automation/variant.h"
#include "carrowin/host/error_reporter.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

class Drel;
class Fields;
class Terminal;

/// The model of one terminal screen: a named set of fields shown on the
/// terminal page `PageNumber`. Created by `Pages::Add`.
///
/// The screen operations append commands to the reply the terminal's `Drel`
/// is building; nothing is sent until that reply goes out. They keep the
/// terminal's record of the selected page and of the keyboard lock: the
/// operator's function key, transmitted field and hey-you answer lock the
/// keyboard, `Display`, `StartEntry`, `StartEntryAdv` and `StartHeyYou`
/// unlock it. No operation catches errors; steps done before a failure stay
/// done. After `Terminate` an operation that needs the terminal raises 91.
class Page : public std::enable_shared_from_this<Page> {
 public:
  Page() = default;
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  /// The operator pressed a function key (key, field name; "" for no field).
  Event<int32_t&, std::u16string&> evtFunctionKey;
  /// The operator answered a hey-you question (the answer).
  Event<std::u16string&> evtHeyYou;
  /// The operator transmitted a transmit-on-entry field (its name).
  Event<std::u16string&> evtTransmitOnEntry;
  /// Input arrived on a serial port (port, data).
  Event<int32_t&, std::u16string&> evtSerialInput;

  /// Free slot for an object of the application's; the library never reads it.
  const std::shared_ptr<Object>& Common() const { return common_; }
  void SetCommon(std::shared_ptr<Object> value) { common_ = std::move(value); }

  /// Creates the page's `Fields`; called by `Pages::Add`.
  void Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                  const std::shared_ptr<carrowin::Terminal>& objTerminal,
                  std::u16string_view sPageName);
  /// Terminates the fields and drops the terminal.
  void Terminate();

  /// Raises `evtFunctionKey`; `lFunctionKey` is the caller's variable, which
  /// a handler may change.
  void RaiseFunctionKey(int32_t& lFunctionKey, int32_t lFieldNumber);
  void RaiseHeyYou(std::u16string& sData);
  void RaiseSerialInput(int32_t& Port, std::u16string& Data);
  void RaiseTransmitOnEntry(int32_t lFieldNumber);

  /// Clears every entry field of the terminal's selected page, whichever
  /// page that is.
  void ClearAll();
  /// Makes this the terminal's selected page; the select command is sent
  /// only when the terminal is on another page number.
  void SelectPage();
  /// Shows the page with the cursor in `sStartInFieldName` ("" or an unknown
  /// name: no field). A page with `Reuse` is only switched to, not redrawn.
  void Display(std::u16string_view sStartInFieldName);
  /// Opens the named field for entry (an unknown name: no field).
  void StartEntry(std::u16string_view sFieldName);
  /// Opens the named entry field with an advisory message on the last line.
  void StartEntryAdv(std::u16string_view sFieldName, std::u16string_view sMessage);
  /// Asks the operator a hey-you question; the answer arrives as `evtHeyYou`.
  void StartHeyYou(int32_t lResponseSize, std::u16string_view sMessage);

  const std::shared_ptr<carrowin::Fields>& Fields() const { return fields_; }
  const std::u16string& Name() const { return name_; }
  const std::u16string& RecentStartEntryFld() const { return recentStartEntryFld_; }
  const std::u16string& RecentStartEntryMsg() const { return recentStartEntryMsg_; }
  /// The terminal, or nullptr once the page is terminated.
  std::shared_ptr<carrowin::Terminal> Terminal() const { return terminal_.lock(); }
  const Variant& Tag() const { return tag_; }
  void SetTag(Variant value) { tag_ = std::move(value); }
  int32_t PageNumber() const { return pageNumber_; }
  void SetPageNumber(int32_t value) { pageNumber_ = value; }
  bool Reuse() const { return reuse_; }
  void SetReuse(bool value) { reuse_ = value; }
  /// Whether the terminal holds the page: as its selected page, or as a
  /// saved page (`Reuse`) whose page number the selected page does not use.
  bool OnTerminal() const;

 private:
  std::shared_ptr<carrowin::Terminal> RequireTerminal() const;
  carrowin::Drel& TerminalDrel(carrowin::Terminal& terminal) const;
  /// The name of the field numbered `lFieldNumber`; "" for -1 or no such field.
  std::u16string FieldNameOf(int32_t lFieldNumber) const;

  std::shared_ptr<Object> common_;
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  std::weak_ptr<carrowin::Terminal> terminal_;
  std::shared_ptr<carrowin::Fields> fields_;
  std::u16string name_;
  std::u16string recentStartEntryFld_;
  std::u16string recentStartEntryMsg_;
  Variant tag_;
  int32_t pageNumber_ = 0;
  bool reuse_ = false;
};

}  // namespace carrowin
