// Events and the worker's processing cycle.
#include <string>

#include "automation/decimal_text.h"
#include "carrowin/drel/drel.h"
#include "carrowin/screen/page.h"
#include "carrowin/screen/pages.h"
#include "carrowin/terminal/terminal.h"
#include "host/required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kBackground = u"ExecuteBackground";
}  // namespace

void Terminal::RaiseInitialized() {
  try {
    traceWriter_->Trace(2, u"RaiseInitialized", u"Raising Initialized Event");
    evtInitialized.Raise();
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"RaiseInitialized");
  }
}

void Terminal::RaiseOffline() {
  try {
    traceWriter_->Trace(2, u"RaiseOffline", u"Raising Offline Event");
    evtOffline.Raise();
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"RaiseOffline");
  }
}

void Terminal::RaiseOnline() {
  try {
    traceWriter_->Trace(2, u"RaiseOnline", u"Raising Online Event");
    evtOnline.Raise();
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"RaiseOnline");
  }
}

std::shared_ptr<Page> Terminal::ScreenPage() const {
  // The page last displayed, which is the one the operator is looking at.
  return RequireObject(
      RequireObject(pages_, u"Terminal", u"The terminal is not initialised")->Item(currentScreen_),
      u"Terminal", u"No page of the terminal is on its screen");
}

void Terminal::RaiseFunctionKey(int32_t& lFunctionKey, int32_t lFieldNumber) {
  try {
    ScreenPage()->RaiseFunctionKey(lFunctionKey, lFieldNumber);
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"RaiseFunctionKey");
  }
}

void Terminal::RaiseHeyYou(std::u16string& sData) {
  try {
    ScreenPage()->RaiseHeyYou(sData);
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"RaiseHeyYou");
  }
}

void Terminal::RaiseSerialInput(int32_t& Port, std::u16string& Data) {
  try {
    ScreenPage()->RaiseSerialInput(Port, Data);
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"RaiseSerialInput");
  }
}

void Terminal::RaiseTransmitOnEntry(int32_t lFieldNumber) {
  try {
    ScreenPage()->RaiseTransmitOnEntry(lFieldNumber);
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"RaiseTransmitOnEntry");
  }
}

void Terminal::SetApplicationMode(bool value) {
  if (value == applicationMode_) return;
  const auto thread = RequireObject(thread_, u"Terminal", u"The terminal has no worker thread");
  applicationMode_ = value;
  thread->SetApplicationMode(value);
}

void Terminal::StopProcessing(carrowin::Thread& thread, bool afterMessage) {
  RaiseOffline();
  SetStatusOffline();
  if (afterMessage) MarkExecutionEnd();
  thread.SetStopped(true);
  Terminate();
}

void Terminal::ExecuteBackground() {
  // Whether the reply of the message is complete: one cut short by an error
  // is discarded, one whose sending failed stays for the next send.
  bool replyComplete = true;
  try {
    std::u16string line = u"Executing thread: ";
    line.append(DecimalText(factories_.threadId()));
    traceWriter_->Trace(2, kBackground, line);
    RefreshStatusLevel();
    // Held for the whole cycle: a Terminate message drops the terminal's own
    // reference while the cycle still has to close the message.
    const std::shared_ptr<carrowin::Thread> thread =
        RequireObject(thread_, u"Terminal", u"The terminal has no worker thread");
    if (thread->StopRequested()) {
      StopProcessing(*thread, false);
      return;
    }
    if (std::shared_ptr<InboundMessage> message = thread->NextMessage()) {
      thread->BeginMessage();
      MarkExecutionStart();
      replyComplete = false;
      const bool terminatedBefore = terminating_;
      HandleInboundMessage(message->DataBytes(), message->Length(), message->FunctionCode(),
                           message->PositionFC());
      message.reset();
      if (terminating_ && !terminatedBefore) {
        // Terminated by the message itself: nothing more is sent.
        MarkExecutionEnd();
        thread->EndMessage();
        thread->SetStopped(true);
      } else if (thread->StopRequested()) {
        StopProcessing(*thread, true);
        return;
      } else {
        replyComplete = true;
        RequireDrel().SendData();
        RequireDrel().OutBufReset();
        thread->EndMessage();
        MarkExecutionEnd();
      }
    }
    traceWriter_->Trace(2, kBackground, u"Done executing thread");
  } catch (...) {
    if (!replyComplete && drel_) {
      try {
        drel_->OutBufReset();
      } catch (...) {
        // The error being reported matters more than a failing discard.
      }
    }
    ReportCurrentException(*errorReporter_, kBackground);
  }
}

}  // namespace carrowin
