#include <gtest/gtest.h>

#include "carrowin/host/host_factories.h"
#include "carrowin/host/memory_process_trace.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using testing_support::RaisedBy;

TEST(Trace, KeepsLinesUpToItsLevelAndLivesAsLongAsAWriter) {
  auto trace = std::make_shared<MemoryProcessTrace>(2);
  trace->Open(u"Terminal", u"RF17");
  auto writer = trace->GetTraceWriter(u"CarrowinZVK", u"Drel");
  writer->Trace(1, u"Display", u"page shown");
  writer->Trace(3, u"Initialize", u"Trace created");
  writer->Trace(2, u"LoadData", u"Parameters:\r\n Model '3'");  // kept as traced, line ends and all
  ASSERT_EQ(trace->Records().size(), 2u);
  EXPECT_TRUE(trace->HasLine(1, u"Display", u"page shown"));
  EXPECT_EQ(trace->Records()[1].message, u"Parameters:\r\n Model '3'");
  trace.reset();  // the writer keeps its trace alive
  EXPECT_NO_THROW(writer->Trace(2, u"Initialize", u"still here"));
  // which a trace outside a shared_ptr cannot allow.
  MemoryProcessTrace unshared;
  ExpectError([&] { unshared.GetTraceWriter(u"CarrowinZVK", u"Drel"); }, errors::kObjectNotSet,
              u"The trace is not held by a shared_ptr, so it cannot hand out writers");
  ExpectError([] { BasicProcessTrace(std::shared_ptr<TraceSink>(), 1); }, errors::kObjectNotSet,
              u"The trace sink is Nothing");
}

TEST(ErrorReporter, RecordsEveryErrorAndRaisesOnlyWhenFlagged) {
  auto trace = std::make_shared<MemoryProcessTrace>();
  size_t offered = 0;
  trace->SetErrorHandler([&](const ErrorRecord&) { ++offered; });
  auto reporter = trace->GetTraceWriter(u"CarrowinZVK", u"Drel")->GetErrorReporter();

  reporter->SetDescription(u"Untested Codepage: [1252].");
  reporter->Report(false, 1, 100, u"Codepage");
  reporter->CaptureError(Error(13, u"Variant", u"Type mismatch"));
  const Error raised = RaisedBy([&] { reporter->Report(true, 1, 100, u"Initialize"); });
  EXPECT_EQ(raised.Number(), 13);
  reporter->Report(false, 1, 100, u"Remove");  // the captured error was consumed

  const auto errors = trace->Errors();
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0].number, 100);  // described by the library: the reported number
  EXPECT_EQ(errors[1].number, 13);
  EXPECT_EQ(errors[2].description, u"");
  EXPECT_EQ(offered, 3u);
  EXPECT_TRUE(
      trace->HasLine(1, u"Codepage", u"Error 100: Untested Codepage: [1252]. (CarrowinZVK.Drel)"));
}

TEST(HostFactories, OwnMembersFirstThenTheReplaceableProcessDefaults) {
  auto mine = std::make_shared<MemoryProcessTrace>();
  HostFactories own;
  own.processTrace = [mine] { return mine; };
  EXPECT_EQ(own.CreateProcessTrace(), mine);

  const HostFactories saved = HostFactories::ProcessDefaults();
  HostFactories::SetProcessDefaults(own);
  EXPECT_EQ(HostFactories{}.CreateProcessTrace(), mine);
  EXPECT_NE(HostFactories{}.CreateSettingsEraser(), nullptr);  // unset: the built-in default
  HostFactories::SetProcessDefaults(saved);

  HostFactories broken;
  broken.circBuffer = [] { return std::shared_ptr<CircBuffer>(); };
  ExpectError([&] { broken.CreateCircBuffer(); }, errors::kObjectNotSet,
              u"The CircBuffer factory returned Nothing");
}

}  // namespace
}  // namespace carrowin
