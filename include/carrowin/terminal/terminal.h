#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "carrowin/automation/event.h"
#include "carrowin/automation/object.h"
#include "carrowin/automation/variant.h"
#include "carrowin/host/connection.h"
#include "carrowin/host/error_reporter.h"
#include "carrowin/host/host_factories.h"
#include "carrowin/host/object_settings.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/thread.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

class Drel;
class Page;
class Pages;
class InboundReader;
class Parameters;
class TransactionInterpreter;

/// One connected terminal: the root of its pages, fields, encoder and
/// parameters, and the object through which its application drives it.
///
///     auto terminal = carrowin::Terminal::Create();
///     terminal->Initialize(connection, u"T1");  // reads the record "T1"
///     auto page = terminal->Pages()->Add(u"SignOn");
///     page->Fields()->AddText(1, u"Title", 1, 1, u"Sign on");
///     page->Fields()->AddEntry(2, u"User", 3, 1, 8);
///     page->Display(u"User");
///
/// A terminal lives only behind a `std::shared_ptr` (made by `Create`): its
/// pages and fields refer back to it weakly, so dropping the last reference
/// frees the whole tree, `Terminate` or not. Operations that need a child
/// before `Initialize`, or the terminal after it is gone, raise error 91.
/// One call at a time per terminal; different terminals may run on
/// different threads.
class Terminal : public std::enable_shared_from_this<Terminal> {
  struct ConstructionKey {};

 public:
  /// A new terminal that creates its host objects (trace, settings record,
  /// output buffer) from `factories`, falling back to the process defaults.
  static std::shared_ptr<Terminal> Create(HostFactories factories = {});
  explicit Terminal(ConstructionKey, HostFactories factories);
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  ~Terminal();

  Event<> evtInitialized;
  Event<> evtOffline;
  Event<> evtOnline;

  /// Free slot for an object of the application's (the user signed on, say).
  const std::shared_ptr<Object>& Common() const { return common_; }
  void SetCommon(std::shared_ptr<Object> value) { common_ = std::move(value); }
  /// The encoder; nullptr before `Initialize`.
  const std::shared_ptr<carrowin::Drel>& Drel() const { return drel_; }
  /// The connection's worker, which calls `ExecuteBackground`.
  void SetThread(std::shared_ptr<carrowin::Thread> value) { thread_ = std::move(value); }

  /// Binds the terminal to `objConnection` and reads its settings record
  /// `sObjectID`, creating its trace, parameters, pages and encoder. A
  /// failure is reported with procedure "Initialize" and stops at the
  /// failing step; whether it reaches the caller is the error reporter's
  /// decision (the built-in ones raise it).
  void Initialize(std::shared_ptr<carrowin::Connection> objConnection,
                  std::u16string_view sObjectID);
  /// Terminates the pages and the encoder and drops the connection, the
  /// interpreter and the worker. Never raises; may be called again.
  void Terminate();

  /// Forces the terminal to reinitialise.
  void Abort();
  /// Sounds the terminal's beeper.
  void Bell();
  bool ErrorBellTone() const;
  void SetErrorBellTone(bool value);
  const std::shared_ptr<carrowin::Connection>& Connection() const { return connection_; }
  const std::u16string& Name() const { return name_; }
  void SetName(std::u16string_view value) { name_ = std::u16string(value); }
  /// The pages; nullptr before `Initialize`.
  const std::shared_ptr<carrowin::Pages>& Pages() const { return pages_; }
  /// The page of this name or position, as `Pages()->Item`; error 91 before
  /// `Initialize`.
  std::shared_ptr<Page> operator[](const Variant& vntIndexKey) const;
  const std::shared_ptr<carrowin::Parameters>& Parameters() const { return parameters_; }
  const std::shared_ptr<carrowin::ProcessTrace>& ProcessTrace() const { return processTrace_; }
  /// A value kept for the application; the library never sets it.
  int32_t Status() const { return status_; }
  void SetStatus(int32_t value) { status_ = value; }
  /// The name of the page last selected on the terminal.
  const std::u16string& SelectedPage() const { return selectedPage_; }
  void SetSelectedPage(std::u16string_view value) { selectedPage_ = std::u16string(value); }
  /// The terminal's number. A change after `Initialize` does not reach the
  /// encoder's own copy, which its control messages use.
  int32_t TerminalID() const { return terminalID_; }
  void SetTerminalID(int32_t value) { terminalID_ = value; }
  /// True while the keyboard is locked, waiting for the host.
  bool Locked() const { return locked_; }
  void SetLocked(bool value) { locked_ = value; }
  /// Processes at most one message the worker queued in the `Thread`: the
  /// field updates, then the dispatch with its events, then the reply as one
  /// message. Called repeatedly by the worker; never raises (failures are
  /// reported with procedure "ExecuteBackground").
  void ExecuteBackground();
  /// The dispatch of one inbound message: `bData` up to `lLength`, function
  /// code `bFunctionCode` at index `lPositionFC`. For the worker; every read
  /// is checked, so a malformed message is reported, never read past its end.
  void ProcessTerminalMessages(std::span<const uint8_t> bData, int32_t lLength,
                               uint8_t bFunctionCode, int32_t lPositionFC);
  void UserSound(int32_t lIndex);
  void Vibrate(int32_t lOnTime, int32_t lOffTime, int32_t lIterations);
  void ScannerEnable(const Variant& bEnable);

  /// Raise the terminal's events; a failure, of the application's handler
  /// too, is reported with the operation's name and goes no further.
  void RaiseInitialized();
  void RaiseOffline();
  void RaiseOnline();
  /// Have the page last displayed (`CurrentScreen`) raise its event; the
  /// arguments are the caller's variables, which handlers may change. No
  /// such page, or a failing handler, is reported with the operation's name.
  void RaiseFunctionKey(int32_t& lFunctionKey, int32_t lFieldNumber);
  void RaiseHeyYou(std::u16string& sData);
  void RaiseSerialInput(int32_t& Port, std::u16string& Data);
  void RaiseTransmitOnEntry(int32_t lFieldNumber);

  // --- For the library's own classes --------------------------------------

  /// The terminal page number last selected through a page; -1 before.
  int32_t CurrentPageNumber() const { return currentPageNumber_; }
  void SetCurrentPageNumber(int32_t value) { currentPageNumber_ = value; }
  /// The name of the page last displayed; assigning it publishes the screen
  /// in the status record.
  const std::u16string& CurrentScreen() const { return currentScreen_; }
  void SetCurrentScreen(std::u16string_view value);
  /// Both passes over one message; an error of the dispatch reaches the caller.
  void HandleInboundMessage(std::span<const uint8_t> bData, int32_t lLength, uint8_t bFunctionCode,
                            int32_t lPositionFC);

 private:
  carrowin::Drel& RequireDrel() const;

  std::shared_ptr<Page> ScreenPage() const;
  void SetApplicationMode(bool value);
  void StopProcessing(carrowin::Thread& thread, bool afterMessage);

  // Inbound dispatch.
  void ProcessFieldUpdates(std::span<const uint8_t> bData, int32_t lLength, uint8_t bFunctionCode,
                           int32_t lPositionFC);
  void DispatchMessage(const InboundReader& message, uint8_t bFunctionCode, int32_t lPositionFC,
                       bool& handlerActive);
  void DispatchResponse(const InboundReader& message, int32_t lPositionFC, bool& handlerActive);
  void AnswerInitialized();
  void Reattach();
  void StartInterpreter();
  /// Runs `step` with errors ignored, as the dispatch does around the events
  /// a record raises; afterwards the dispatch has no handler of its own.
  template <class Step>
  void IgnoringErrors(bool& handlerActive, Step&& step);

  // Status record: how much the terminal publishes, and the writes of one
  // processing cycle.
  void RefreshStatusLevel();
  void SetStatusOnline();
  void SetStatusOffline();
  void UpdateScreenStatus();
  void UpdateFunctionStatus();
  void MarkExecutionStart();
  void MarkExecutionEnd();
  void WriteStatus(std::u16string_view key, const Variant& value);
  std::u16string Now() const;

  HostFactories factories_;
  std::shared_ptr<Object> common_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  std::shared_ptr<carrowin::ProcessTrace> processTrace_;
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<carrowin::Connection> connection_;
  std::shared_ptr<carrowin::Parameters> parameters_;
  std::shared_ptr<carrowin::Pages> pages_;
  std::shared_ptr<carrowin::Drel> drel_;
  int32_t status_ = 0;
  int32_t terminalID_ = 0;
  std::u16string selectedPage_;
  std::u16string name_;
  bool locked_ = false;
  std::shared_ptr<ObjectSettings> objectSettings_;
  std::shared_ptr<TransactionInterpreter> interpreter_;
  int32_t currentPageNumber_ = -1;
  std::u16string currentScreen_;
  int32_t codePage_ = 0;
  bool terminating_ = false;
  int32_t statusUpdateLevel_ = 0;
  int32_t previousStatusLevel_ = 0;
  bool onlineStatusWritten_ = false;
  // Offline wins within a cycle: once False is written, True is not.
  bool offlineStatusWritten_ = false;
  uint8_t lastFunctionCode_ = 0;
  uint8_t lastResponseType_ = 0;
  bool applicationMode_ = false;
  bool handleHebrewDisplay_ = false;
  int32_t printerCodePage_ = 0;
  std::shared_ptr<carrowin::Thread> thread_;
};

}  // namespace carrowin
