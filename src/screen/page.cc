#include "carrowin/screen/page.h"

#include <string>

#include "automation/decimal_text.h"
#include "carrowin/drel/drel.h"
#include "carrowin/screen/field.h"
#include "carrowin/screen/fields.h"
#include "carrowin/screen/pages.h"
#include "carrowin/terminal/terminal.h"
#include "host/object_trace.h"
#include "host/required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kObjectName = u"Page";

// Joins the pieces of a trace line.
std::u16string Line(std::initializer_list<std::u16string_view> pieces) {
  std::u16string line;
  for (std::u16string_view piece : pieces) line.append(piece);
  return line;
}
}  // namespace

void Page::Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                      const std::shared_ptr<carrowin::Terminal>& objTerminal,
                      std::u16string_view sPageName) {
  recentStartEntryFld_.clear();
  recentStartEntryMsg_.clear();
  traceWriter_ = ObtainTraceWriter(
      *RequireObject(objProcessTrace, kObjectName, u"The process trace is Nothing"), kObjectName);
  traceWriter_->Trace(3, u"Initialize", u"Trace created");
  errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
  terminal_ = objTerminal;
  fields_ = std::make_shared<carrowin::Fields>();
  fields_->Initialize(objProcessTrace, objTerminal, shared_from_this());
  name_ = std::u16string(sPageName);
}

void Page::Terminate() {
  fields_->Terminate();
  terminal_.reset();
}

std::shared_ptr<carrowin::Terminal> Page::RequireTerminal() const {
  return RequireObject(terminal_, kObjectName, u"The page has no terminal");
}

carrowin::Drel& Page::TerminalDrel(carrowin::Terminal& terminal) const {
  return *RequireObject(terminal.Drel(), kObjectName, u"The terminal is not initialised");
}

std::u16string Page::FieldNameOf(int32_t lFieldNumber) const {
  if (lFieldNumber == -1) return {};
  const std::shared_ptr<Field> field = fields_->Item(Variant(lFieldNumber));
  return field ? field->Name() : std::u16string();
}

void Page::RaiseFunctionKey(int32_t& lFunctionKey, int32_t lFieldNumber) {
  recentStartEntryMsg_.clear();
  recentStartEntryFld_.clear();
  std::u16string fieldName = FieldNameOf(lFieldNumber);
  RequireTerminal()->SetLocked(true);
  traceWriter_->Trace(
      1, u"RaiseFunctionKey",
      Line({u"Raising FunctionKey ", DecimalText(lFunctionKey), u" in Field ", fieldName}));
  evtFunctionKey.Raise(lFunctionKey, fieldName);
}

void Page::RaiseHeyYou(std::u16string& sData) {
  traceWriter_->Trace(1, u"RaiseHeyYou", Line({u"Raising HeyYou Event with data '", sData, u"'"}));
  RequireTerminal()->SetLocked(true);
  evtHeyYou.Raise(sData);
}

void Page::RaiseSerialInput(int32_t& Port, std::u16string& Data) {
  traceWriter_->Trace(
      1, u"RaiseSerialInput",
      Line({u"Raising SerialInput Event, port = ", DecimalText(Port), u", data = '", Data, u"'"}));
  evtSerialInput.Raise(Port, Data);
}

void Page::RaiseTransmitOnEntry(int32_t lFieldNumber) {
  recentStartEntryMsg_.clear();
  recentStartEntryFld_.clear();
  std::u16string fieldName = FieldNameOf(lFieldNumber);
  RequireTerminal()->SetLocked(true);
  traceWriter_->Trace(1, u"RaiseTransmitOnEntry",
                      Line({u"Raising TransmitOnEntry in Field ", fieldName}));
  evtTransmitOnEntry.Raise(fieldName);
}

void Page::ClearAll() {
  const auto terminal = RequireTerminal();
  TerminalDrel(*terminal).ClearAll();
}

void Page::SelectPage() {
  const auto terminal = RequireTerminal();
  terminal->SetSelectedPage(name_);
  if (terminal->CurrentPageNumber() != pageNumber_) {
    terminal->SetCurrentPageNumber(pageNumber_);
    TerminalDrel(*terminal).SelectPage(pageNumber_);
  }
}

void Page::Display(std::u16string_view sStartInFieldName) {
  traceWriter_->Trace(
      1, u"Display", Line({u"Displaying Page ", name_, u" Starting in field ", sStartInFieldName}));
  SelectPage();
  const auto terminal = RequireTerminal();
  carrowin::Drel& drel = TerminalDrel(*terminal);
  if (!reuse_) {
    drel.EraseAll();
    for (const auto& field : *fields_) {
      field->Display();
      field->SetTouched(false);
    }
  }
  int32_t startField = -1;
  if (!sStartInFieldName.empty()) {
    if (const auto field = fields_->Item(Variant(std::u16string(sStartInFieldName)))) {
      startField = field->Number();
    }
  }
  drel.DisplayPage(pageNumber_);
  drel.OpenField(startField);
  terminal->SetCurrentScreen(name_);
  recentStartEntryFld_ = std::u16string(sStartInFieldName);
  recentStartEntryMsg_.clear();
  terminal->SetLocked(false);
}

void Page::StartEntry(std::u16string_view sFieldName) {
  const auto field = fields_->Item(Variant(std::u16string(sFieldName)));
  traceWriter_->Trace(
      1, u"StartEntry",
      Line({u"Starting Entry on Page ", name_, u" Starting in field ", sFieldName}));
  SelectPage();
  const auto terminal = RequireTerminal();
  if (field) {
    TerminalDrel(*terminal).OpenField(field->Number());
    recentStartEntryFld_ = field->Name();
  } else {
    TerminalDrel(*terminal).OpenField(-1);
    recentStartEntryFld_.clear();
    recentStartEntryMsg_.clear();
  }
  terminal->SetLocked(false);
}

void Page::StartEntryAdv(std::u16string_view sFieldName, std::u16string_view sMessage) {
  traceWriter_->Trace(1, u"StartEntryAdv",
                      Line({u"Starting Entry Advisory on Page ", name_, u" Starting in field ",
                            sFieldName, u" and Message ", sMessage}));
  const auto field = fields_->Item(Variant(std::u16string(sFieldName)));
  recentStartEntryFld_.clear();
  int32_t fieldNumber = -1;
  if (field && (field->Style() & StyleTypeMask) == StyleEntry) {
    fieldNumber = field->Number();
    recentStartEntryFld_ = field->Name();
  }
  SelectPage();
  const auto terminal = RequireTerminal();
  TerminalDrel(*terminal).Advisory(fieldNumber, sMessage);
  recentStartEntryMsg_ = std::u16string(sMessage);
  terminal->SetLocked(false);
}

void Page::StartHeyYou(int32_t lResponseSize, std::u16string_view sMessage) {
  traceWriter_->Trace(
      1, u"StartHeyYou",
      Line({u"Sending Hey You with Message ", sMessage, u" Size ", DecimalText(lResponseSize)}));
  SelectPage();
  const auto terminal = RequireTerminal();
  TerminalDrel(*terminal).HeyYou(lResponseSize, sMessage);
  terminal->SetLocked(false);
}

bool Page::OnTerminal() const {
  const auto terminal = RequireTerminal();
  const std::u16string& selected = terminal->SelectedPage();
  if (selected == name_) return true;
  if (selected.empty() || !reuse_) return false;
  const auto& pages = terminal->Pages();
  const std::shared_ptr<Page> selectedPage = pages ? pages->Item(Variant(selected)) : nullptr;
  return selectedPage && selectedPage->PageNumber() != pageNumber_;
}

}  // namespace carrowin
