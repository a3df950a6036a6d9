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

TEST_F(ErrorReporterTest, AHandlerReportsWhateverWasThrownAndReturns) {
  const auto handle = [&](auto thrown) {
    try {
      throw thrown;
    } catch (...) {
      ReportCurrentException(*reporter, u"RaiseOnline");
    }
  };
  handle(std::runtime_error("printer offline"));
  handle(std::bad_alloc());
  const auto errors = trace->Errors();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].number, errors::kAutomationError);
  EXPECT_EQ(errors[0].description, u"printer offline");
  EXPECT_EQ(errors[0].procedure, u"RaiseOnline");
  EXPECT_EQ(errors[0].reportedNumber, 100);
  EXPECT_EQ(errors[1].number, errors::kOutOfMemory);
  EXPECT_TRUE(trace->HasLine(1, u"RaiseOnline", u"Error 7: Out of memory (RaiseOnline)"));
}

TEST_F(ErrorReporterTest, AFlaggedReportOfADescribedErrorRaisesItWithTheReportedNumber) {
  reporter->SetDescription(u"Unable to Execute Initialize Method For Interpreter");
  const Error raised = RaisedBy([&] { reporter->Report(true, 1, 6004, u"Initialize"); });
  EXPECT_EQ(raised.Number(), 6004);
  EXPECT_EQ(raised.Description(), u"Unable to Execute Initialize Method For Interpreter");
  EXPECT_EQ(raised.Source(), u"CarrowinZVK.Terminal");
  // Raised through the flagged handler too, after being recorded.
  const Error rethrown = RaisedBy([&] {
    try {
      throw std::invalid_argument("bad page");
    } catch (...) {
      ReportCurrentException(*reporter, u"Initialize", true);
    }
  });
  EXPECT_EQ(rethrown.Number(), errors::kInvalidProcedureCall);
  EXPECT_EQ(trace->Errors().size(), 2u);
}

}  // namespace
}  // namespace carrowin
