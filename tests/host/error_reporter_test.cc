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

TEST(ErrorReporter, AHandlerReportsWhateverWasThrownAndRaisesOnlyWhenFlagged) {
  const auto trace = std::make_shared<MemoryProcessTrace>();
  const auto reporter = trace->GetTraceWriter(u"CarrowinZVK", u"Terminal")->GetErrorReporter();
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
  ASSERT_EQ(trace->Errors().size(), 3u);
  EXPECT_EQ(trace->Errors()[0].number, errors::kAutomationError);
  EXPECT_TRUE(trace->HasLine(1, u"RaiseOnline", u"Error 7: Out of memory (RaiseOnline)"));
}

}  // namespace
}  // namespace carrowin
