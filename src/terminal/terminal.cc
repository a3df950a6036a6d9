#include "carrowin/terminal/terminal.h"

#include <string>
#include <utility>

#include "automation/decimal_text.h"
#include "carrowin/drel/drel.h"
#include "carrowin/params/parameters.h"
#include "carrowin/screen/pages.h"
#include "carrowin/terminal/transaction_interpreter.h"
#include "host/object_trace.h"
#include "host/required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kObjectName = u"Terminal";
// The descriptive values, copied from the record's settings of the same name.
using DescriptiveSetter = void (ObjectSettings::*)(std::u16string_view);
constexpr std::pair<std::u16string_view, DescriptiveSetter> kDescriptiveSettings[] = {
    {u"DateCreated", &ObjectSettings::SetDateCreated},
    {u"ParentObjectType", &ObjectSettings::SetParentObjectType},
    {u"ParentObjectID", &ObjectSettings::SetParentObjectID},
    {u"DisplayText", &ObjectSettings::SetDisplayText},
    {u"ClassID", &ObjectSettings::SetClassID},
};
}  // namespace

std::shared_ptr<Terminal> Terminal::Create(HostFactories factories) {
  return std::make_shared<Terminal>(ConstructionKey{}, std::move(factories));
}

Terminal::Terminal(ConstructionKey, HostFactories factories) : factories_(factories.Resolved()) {
  // A trace of its own, dropped at once, so the object can trace and report
  // even when it is never initialised.
  traceWriter_ = ObtainTraceWriter(*factories_.CreateProcessTrace(), kObjectName);
  errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
}

Terminal::~Terminal() {
  try {
    traceWriter_->Trace(2, u"Class_Terminate", u"Terminating class");
  } catch (...) {
    // A destructor must not throw; a trace that fails here has nowhere to report.
  }
}

void Terminal::Initialize(std::shared_ptr<carrowin::Connection> objConnection,
                          std::u16string_view sObjectID) {
  try {
    connection_ = std::move(objConnection);
    processTrace_ = RequireObject(factories_.CreateProcessTrace(), kObjectName,
                                  u"The host gave no process trace");
    processTrace_->Open(kObjectName, sObjectID);
    traceWriter_ = ObtainTraceWriter(*processTrace_, kObjectName);
    traceWriter_->Trace(3, u"Initialize", u"Trace created");
    errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
    std::u16string threadLine = u"Initializing objects in main thread: ";
    threadLine.append(DecimalText(factories_.threadId()));
    traceWriter_->Trace(2, u"Initialize", threadLine);

    parameters_ = std::make_shared<carrowin::Parameters>(factories_);
    parameters_->Initialize(processTrace_);

    objectSettings_ = RequireObject(factories_.CreateObjectSettings(), kObjectName,
                                    u"The host gave no settings record");
    objectSettings_->SetObjectType(u"Terminal");
    objectSettings_->Load(sObjectID);
    ObjectSettings& settings = *objectSettings_;
    for (const auto& [key, setter] : kDescriptiveSettings) {
      (settings.*setter)(settings.GetSetting(key, Variant(u"")).ToString());
    }
    terminalID_ = settings.GetSetting(u"TerminalId", Variant(int32_t{0})).ToLong();
    name_ = settings.Name();
    parameters_->SetRows(settings.GetSetting(u"Rows", Variant(int32_t{10})).ToInteger());
    parameters_->SetColumns(settings.GetSetting(u"Cols", Variant(int32_t{26})).ToInteger());
    parameters_->SetLanguageID(settings.GetSetting(u"LanguageID", Variant(u"EN")).ToString());
    codePage_ = settings.GetSetting(u"Codepage", Variant(int16_t{0})).ToLong();
    handleHebrewDisplay_ = settings.GetSetting(u"HandleHebrewDisplay", Variant(false)).ToBoolean();
    printerCodePage_ = settings.GetSetting(u"PrinterCodepage", Variant(int16_t{0})).ToLong();

    pages_ = std::make_shared<carrowin::Pages>();
    pages_->Initialize(processTrace_, shared_from_this());

    drel_ = std::make_shared<carrowin::Drel>(factories_);
    drel_->SetParameters(parameters_);
    drel_->SetHandleHebrewDisplay(handleHebrewDisplay_);
    auto sender = RequireObject(connection_, kObjectName, u"The connection is Nothing")->Sender();
    drel_->Initialize(processTrace_, sender, connection_->OutputBufferSize(), terminalID_);
    drel_->SetCodepage(codePage_);
    drel_->SetPrinterCodepage(printerCodePage_);
    drel_->SetPrinterPortPassPacketSize(
        settings.GetSetting(u"zvkPrinterPortPassPacketSize", Variant(int32_t{32})).ToLong());
    previousStatusLevel_ = 4;
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"Initialize", !terminating_);
  }
}

void Terminal::Terminate() {
  terminating_ = true;
  try {
    if (pages_) pages_->Terminate();
  } catch (...) {
    // Terminating goes on whatever a page does.
  }
  try {
    if (drel_) drel_->Terminate();
  } catch (...) {
    // As above.
  }
  connection_.reset();
  interpreter_.reset();
  thread_.reset();
}

carrowin::Drel& Terminal::RequireDrel() const {
  return *RequireObject(drel_, kObjectName, u"The terminal is not initialised");
}

void Terminal::Abort() { RequireDrel().AbortTerminal(); }

void Terminal::Bell() { RequireDrel().Bell(); }

bool Terminal::ErrorBellTone() const { return RequireDrel().ErrorBellTone(); }

void Terminal::SetErrorBellTone(bool value) { RequireDrel().SetErrorBellTone(value); }

std::shared_ptr<Page> Terminal::operator[](const Variant& vntIndexKey) const {
  return RequireObject(pages_, kObjectName, u"The terminal is not initialised")->Item(vntIndexKey);
}

void Terminal::UserSound(int32_t lIndex) { RequireDrel().UserSoundSend(lIndex); }

void Terminal::Vibrate(int32_t lOnTime, int32_t lOffTime, int32_t lIterations) {
  RequireDrel().VibrateSend(lOnTime, lOffTime, lIterations);
}

void Terminal::ScannerEnable(const Variant& bEnable) { RequireDrel().ScannerEnableSend(bEnable); }

}  // namespace carrowin
