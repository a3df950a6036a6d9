#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "carrowin/host/memory_process_trace.h"

namespace carrowin {
namespace {

TEST(TraceWriterSharing, OneWriterAndReporterPerObjectNameWhileItLives) {
  auto trace = std::make_shared<MemoryProcessTrace>();
  auto field = trace->GetTraceWriter(u"CarrowinZVK", u"Field");
  EXPECT_EQ(trace->GetTraceWriter(u"CarrowinZVK", u"Field"), field);
  EXPECT_EQ(trace->GetTraceWriter(u"CarrowinZVK", u"Field")->GetErrorReporter(),
            field->GetErrorReporter());
  EXPECT_NE(trace->GetTraceWriter(u"CarrowinZVK", u"Page"), field);
  EXPECT_NE(trace->GetTraceWriter(u"Other", u"Field"), field);
  EXPECT_NE(std::make_shared<MemoryProcessTrace>()->GetTraceWriter(u"CarrowinZVK", u"Field"),
            field);

  // The trace holds its writers weakly: once the objects drop them, writer
  // and trace both go.
  const std::weak_ptr<TraceWriter> dropped = field;
  const std::weak_ptr<MemoryProcessTrace> traceAlive = trace;
  field.reset();
  EXPECT_TRUE(dropped.expired());
  auto renewed = trace->GetTraceWriter(u"CarrowinZVK", u"Field");
  renewed->Trace(1, u"Display", u"after renewal");
  EXPECT_TRUE(trace->HasLine(1, u"Display", u"after renewal"));
  trace.reset();
  EXPECT_FALSE(traceAlive.expired());  // the writer still traces into it
  renewed.reset();
  EXPECT_TRUE(traceAlive.expired());
}

TEST(TraceWriterSharing, ThreadsAskingAtOnceGetTheSameWriter) {
  auto trace = std::make_shared<MemoryProcessTrace>();
  constexpr int kThreads = 4;
  std::vector<std::shared_ptr<TraceWriter>> writers(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&trace, &writers, i] {
      writers[i] = trace->GetTraceWriter(u"CarrowinZVK", u"Field");
      writers[i]->GetErrorReporter()->SetDescription(u"Untested Codepage: [1252].");
      writers[i]->GetErrorReporter()->Report(false, 1, 100, u"Codepage");
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const auto& writer : writers) EXPECT_EQ(writer, writers[0]);
  EXPECT_EQ(trace->Errors().size(), static_cast<size_t>(kThreads));
}

}  // namespace
}  // namespace carrowin
