#include "carrowin/host/error_reporter.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <stdexcept>

#include "carrowin/host/memory_process_trace.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::RaisedBy;

class ErrorReporterTest : public testing::Test {
 protected:
  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
  std::shared_ptr<ErrorReporter> reporter =
      trace->GetTraceWriter(u"CarrowinZVK", u"Terminal")->GetErrorReporter();
};

TEST_F(ErrorReporterTest, AHandlerReportsWhateverWasThrownAndRaisesOnlyWhenFlagged) {
  const auto handle = [&](auto thrown, bool raise) {
    try {
      throw thrown;
    } catch (...) {
      ReportCurrentException(*reporter, u"RaiseOnline", raise);
    }
  };
  handle(std::runtime_error("printer offline"), false);
  handle(std::bad_alloc(), false);
  EXPECT_EQ(RaisedBy([&] { handle(std::invalid_argument("bad page"), true); }).Number(),
            errors::kInvalidProcedureCall);
  const auto errors = trace->Errors();
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0].number, errors::kAutomationError);
  EXPECT_EQ(errors[0].description, u"printer offline");
  EXPECT_EQ(errors[1].number, errors::kOutOfMemory);
  EXPECT_TRUE(trace->HasLine(1, u"RaiseOnline", u"Error 7: Out of memory (RaiseOnline)"));
}

TEST_F(ErrorReporterTest, AFlaggedReportOfADescribedErrorRaisesItWithTheReportedNumber) {
  reporter->SetDescription(u"Unable to Execute Initialize Method For Interpreter");
  const Error raised = RaisedBy([&] { reporter->Report(true, 1, 6004, u"Initialize"); });
  EXPECT_EQ(raised.Number(), 6004);
  EXPECT_EQ(raised.Source(), u"CarrowinZVK.Terminal");
}

}  // namespace
}  // namespace carrowin
