#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "carrowin/host/host_factories.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/host/stream_process_trace.h"

namespace carrowin {
namespace {

using testing::HasSubstr;

TEST(Trace, LinesAboveTheMaximumLevelAreDropped) {
  auto trace = std::make_shared<MemoryProcessTrace>(2);
  trace->Open(u"Terminal", u"RF17");
  auto writer = trace->GetTraceWriter(u"CarrowinZVK", u"Drel");
  writer->Trace(1, u"Display", u"page shown");
  writer->Trace(3, u"Initialize", u"Trace created");
  ASSERT_EQ(trace->Records().size(), 1u);
  const TraceRecord line = trace->Records()[0];
  EXPECT_EQ(line.traceObjectID, u"RF17");
  EXPECT_EQ(line.objectName, u"Drel");
  EXPECT_EQ(line.procedure, u"Display");
  EXPECT_FALSE(trace->HasLine(3, u"Initialize", u"Trace created"));
}

TEST(Trace, WriterOutlivesAShortLivedTrace) {
  std::shared_ptr<TraceWriter> writer;
  {
    auto trace = std::make_shared<MemoryProcessTrace>();
    writer = trace->GetTraceWriter(u"CarrowinZVK", u"Terminal");
  }
  EXPECT_NO_THROW(writer->Trace(2, u"Initialize", u"still here"));
}

TEST(ErrorReporter, RecordsAndRaisesOnlyWhenFlagged) {
  auto trace = std::make_shared<MemoryProcessTrace>();
  std::vector<ErrorRecord> offered;
  trace->SetErrorHandler([&](const ErrorRecord& e) { offered.push_back(e); });
  auto reporter = trace->GetTraceWriter(u"CarrowinZVK", u"Drel")->GetErrorReporter();

  reporter->SetDescription(u"Untested Codepage: [1252].");
  EXPECT_NO_THROW(reporter->Report(false, 1, 100, u"Codepage"));

  reporter->CaptureError(Error(13, u"Variant", u"Type mismatch"));
  try {
    reporter->Report(true, 1, 100, u"Initialize");
    FAIL() << "a flagged report must raise";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 13);
    EXPECT_EQ(e.Source(), u"Variant");
    EXPECT_EQ(e.Description(), u"Type mismatch");
  }

  const auto errors = trace->Errors();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].number, 100);  // described by the library: the reported number
  EXPECT_EQ(errors[0].source, u"CarrowinZVK.Drel");
  EXPECT_EQ(errors[0].description, u"Untested Codepage: [1252].");
  EXPECT_EQ(errors[0].procedure, u"Codepage");
  EXPECT_EQ(errors[1].number, 13);
  EXPECT_TRUE(errors[1].flag);
  EXPECT_EQ(offered.size(), 2u);
  EXPECT_TRUE(trace->HasLine(1, u"Codepage",
                             u"Error 100: Untested Codepage: [1252]. (CarrowinZVK.Drel)"));
}

TEST(ErrorReporter, AReportConsumesTheCapturedError) {
  auto trace = std::make_shared<MemoryProcessTrace>();
  auto reporter = trace->GetTraceWriter(u"CarrowinZVK", u"Pages")->GetErrorReporter();
  reporter->CaptureError(Error(9, u"Pages", u"Subscript out of range"));
  reporter->Report(false, 1, 100, u"Item");
  reporter->Report(false, 1, 100, u"Remove");
  const auto errors = trace->Errors();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1].number, 100);
  EXPECT_EQ(errors[1].description, u"");
}

TEST(StreamTrace, WritesReadableLinesToAFile) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("carrowin_trace_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".log");
  std::filesystem::remove(path);
  {
    auto trace = std::make_shared<StreamProcessTrace>(path, 3);
    trace->Open(u"Terminal", u"T1");
    trace->GetTraceWriter(u"CarrowinZVK", u"Drel")->Trace(3, u"Let Codepage", u"Codepage=932");
  }
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  EXPECT_THAT(line, HasSubstr("[3] T1 CarrowinZVK.Drel Let Codepage: Codepage=932"));
  std::filesystem::remove(path);
}

TEST(StreamTrace, UnopenableFileIsAClearError) {
  try {
    StreamProcessTrace trace("/nonexistent-dir/x/trace.log", 1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kPathFileAccessError);
    EXPECT_THAT(e.what(), HasSubstr("Cannot open trace file '/nonexistent-dir/x/trace.log'"));
  }
}

TEST(HostFactories, EmptyMembersFallBackToTheProcessDefaults) {
  HostFactories own;
  auto mine = std::make_shared<MemoryProcessTrace>();
  own.processTrace = [mine] { return mine; };
  EXPECT_EQ(own.CreateProcessTrace(), mine);
  EXPECT_NE(own.CreateCircBuffer(), nullptr);
  EXPECT_NE(own.CreateObjectSettings(), nullptr);
  EXPECT_NE(own.CreateSettingsEraser(), nullptr);
}

TEST(HostFactories, AFactoryReturningNothingIsAnError) {
  HostFactories broken;
  broken.circBuffer = [] { return std::shared_ptr<CircBuffer>(); };
  try {
    broken.CreateCircBuffer();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kObjectNotSet);
    EXPECT_EQ(e.Description(), u"A host factory returned no object");
  }
}

TEST(HostFactories, ProcessDefaultsCanBeReplacedAndRestored) {
  auto shared = std::make_shared<MemoryProcessTrace>();
  const HostFactories saved = HostFactories::ProcessDefaults();
  HostFactories replaced;
  replaced.processTrace = [shared] { return shared; };
  HostFactories::SetProcessDefaults(replaced);
  EXPECT_EQ(HostFactories{}.CreateProcessTrace(), shared);
  EXPECT_NE(HostFactories{}.CreateCircBuffer(), nullptr);  // unset member: built-in default
  HostFactories::SetProcessDefaults(saved);
  EXPECT_NE(HostFactories{}.CreateProcessTrace(), shared);
}

}  // namespace
}  // namespace carrowin
