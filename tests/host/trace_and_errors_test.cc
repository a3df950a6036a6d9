#include <gtest/gtest.h>

#include "carrowin/host/host_factories.h"
#include "carrowin/host/memory_process_trace.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using testing_support::RaisedBy;

TEST(Trace, KeepsLinesUpToItsLevelAndRecordsEveryError) {
  auto trace = std::make_shared<MemoryProcessTrace>(2);
  auto writer = trace->GetTraceWriter(u"CarrowinZVK", u"Drel");
  writer->Trace(3, u"Initialize", u"Trace created");
  auto reporter = writer->GetErrorReporter();
  reporter->SetDescription(u"Untested Codepage: [1252].");
  EXPECT_EQ(RaisedBy([&] { reporter->Report(true, 1, 100, u"Codepage"); }).Number(), 100);
  reporter->CaptureError(Error(13, u"Variant", u"Type mismatch"));
  EXPECT_EQ(RaisedBy([&] { reporter->Report(true, 1, 100, u"Initialize"); }).Number(), 13);
  reporter->Report(false, 1, 100, u"Remove");  // the captured error was consumed
  ASSERT_EQ(trace->Errors().size(), 3u);
  EXPECT_EQ(trace->Errors()[2].description, u"");
  EXPECT_EQ(trace->Records().size(), 3u);  // one line per error, none above the level
  EXPECT_TRUE(
      trace->HasLine(1, u"Codepage", u"Error 100: Untested Codepage: [1252]. (CarrowinZVK.Drel)"));
  // A writer keeps its trace alive, which a trace outside a shared_ptr cannot allow.
  MemoryProcessTrace unshared;
  ExpectError([&] { unshared.GetTraceWriter(u"CarrowinZVK", u"Drel"); }, errors::kObjectNotSet,
              u"The trace is not held by a shared_ptr, so it cannot hand out writers");
  EXPECT_EQ(RaisedBy([] { BasicProcessTrace(std::shared_ptr<TraceSink>(), 1); }).Number(),
            errors::kObjectNotSet);
}

TEST(HostFactories, OwnMembersFirstThenTheReplaceableProcessDefaults) {
  auto mine = std::make_shared<MemoryProcessTrace>();
  HostFactories own;
  own.processTrace = [mine] { return mine; };
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
