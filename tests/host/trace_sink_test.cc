#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "carrowin/automation/utf.h"
#include "carrowin/host/basic_process_trace.h"
#include "carrowin/host/memory_trace_sink.h"
#include "carrowin/host/stream_trace_sink.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::RaisedBy;

TraceRecord Record(std::u16string id, std::u16string objectName, std::u16string message) {
  using namespace std::chrono;
  TraceRecord record;
  record.time = sys_days{year{2026} / 12 / 6} + 8h + 5min + 41s + 123ms;
  record.level = 2;
  record.traceObjectID = std::move(id);
  record.component = u"CarrowinZVK";
  record.objectName = std::move(objectName);
  record.procedure = u"Initialize";
  record.message = std::move(message);
  return record;
}

TEST(TraceLine, EveryRecordIsOneUnambiguousLine) {
  EXPECT_EQ(FormatTraceLine(Record(u"T17", u"Drel", u"Trace created")),
            "2026-12-06 08:05:41.123 [2] T17 CarrowinZVK.Drel Initialize: Trace created");
  // message as traced, as written
  const std::pair<std::u16string_view, std::string_view> messages[] = {
      {u"Parameters:\r\n Model '3'", "Parameters:\\r\\n Model '3'"},
      {u"C:\\new\\r", "C:\\\\new\\\\r"},  // a backslash cannot pass for an escape
      {u"a\tb\x01\x1B\x1F\x7F", "a\\tb\\u0001\\u001B\\u001F\\u007F"},
      {u"\u0085\u2028\u2029\u00A0", "\\u0085\\u2028\\u2029\xC2\xA0"},
      {u"\xD800 \xDC00\U0001F600", "\\uD800 \\uDC00\xF0\x9F\x98\x80"},  // only pairs are characters
      {u"\u00E9 \u4E2D", "\xC3\xA9 \xE4\xB8\xAD"},
  };
  for (const auto& [message, written] : messages) {
    const std::string line = FormatTraceLine(Record(u"T1", u"Drel", std::u16string(message)));
    EXPECT_EQ(line.substr(line.find(": ") + 2), written) << ToUtf8(message);
  }
  // object ID, object name, what stands between the level and the procedure
  const std::tuple<std::u16string_view, std::u16string_view, std::string_view> words[] = {
      {u"", u"Drel", "- CarrowinZVK.Drel"},  // not opened yet
      {u"-", u"Drel", "\\u002D CarrowinZVK.Drel"},
      {u"Dock 7", u"Page Main", "Dock\\u00207 CarrowinZVK.Page\\u0020Main"},
      {u"T1\n", u"Drel\\", "T1\\n CarrowinZVK.Drel\\\\"},
  };
  for (const auto& [id, objectName, written] : words) {
    const std::string line =
        FormatTraceLine(Record(std::u16string(id), std::u16string(objectName), u"m"));
    EXPECT_EQ(line, "2026-12-06 08:05:41.123 [2] " + std::string(written) + " Initialize: m");
  }
}

// Terminal IDs with their forms in a line: as the line's object word, and
// inside the message.
struct Terminal {
  std::u16string_view id;
  std::string_view word;
  std::string_view inMessage;
};
constexpr Terminal kTerminals[] = {{u"T0", "T0", "T0"},
                                   {u"T1", "T1", "T1"},
                                   {u"Dock 7", "Dock\\u00207", "Dock 7"},
                                   {u"RF\\9", "RF\\\\9", "RF\\\\9"}};
constexpr int kLines = 100;
// Longer than a stdio buffer, so one line takes several writes.
const std::u16string kFiller(10000, u'x');

std::u16string Message(const Terminal& terminal, int line) {
  return u"line " + FromUtf8(std::to_string(line)) + u" of " + std::u16string(terminal.id) +
         u"\r\n" + kFiller;
}

// Each terminal on a thread of its own, with a trace of its own on `sink`.
void TraceFromEveryTerminal(const std::shared_ptr<TraceSink>& sink) {
  std::vector<std::jthread> threads;
  for (const Terminal& terminal : kTerminals) {
    threads.emplace_back([&sink, &terminal] {
      auto trace = std::make_shared<BasicProcessTrace>(sink, 2);
      auto writer = trace->GetTraceWriter(u"CarrowinZVK", u"Drel");
      trace->Open(u"Terminal", terminal.id);
      for (int line = 0; line < kLines; ++line) writer->Trace(2, u"Send", Message(terminal, line));
      writer->Trace(3, u"Send", u"above the level");
    });
  }
}

TEST(TraceSink, TerminalsOnThreadsOfTheirOwnShareAFileLineByLine) {
  const auto path = std::filesystem::temp_directory_path() / "carrowin_trace_sink_file_test.log";
  std::filesystem::remove(path);
  TraceFromEveryTerminal(std::make_shared<StreamTraceSink>(path));

  std::map<std::string, const Terminal*> byWord;
  for (const Terminal& terminal : kTerminals) byWord[std::string(terminal.word)] = &terminal;
  std::map<const Terminal*, int> nextLine;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    // "2026-12-06 08:05:41.123 [2] T0 CarrowinZVK.Drel Send: line 0 of T0\r\nxxx..."
    ASSERT_GT(line.size(), 28u);
    ASSERT_EQ(line.substr(23, 5), " [2] ") << line.substr(0, 80);
    const size_t wordEnd = line.find(' ', 28);
    const auto found = byWord.find(line.substr(28, wordEnd - 28));
    ASSERT_NE(found, byWord.end()) << line.substr(0, 80);
    const Terminal& terminal = *found->second;
    const std::string expected = " CarrowinZVK.Drel Send: line " +
                                 std::to_string(nextLine[&terminal]++) + " of " +
                                 std::string(terminal.inMessage) + "\\r\\n" + ToUtf8(kFiller);
    ASSERT_EQ(line.substr(wordEnd), expected) << line.substr(0, 80);
  }
  for (const Terminal& terminal : kTerminals) EXPECT_EQ(nextLine[&terminal], kLines);
  std::filesystem::remove(path);
}

TEST(TraceSink, TerminalsOnThreadsOfTheirOwnShareAMemorySinkRecordByRecord) {
  auto sink = std::make_shared<MemoryTraceSink>();
  TraceFromEveryTerminal(sink);
  std::map<std::u16string, int> nextLine;
  const std::vector<TraceRecord> records = sink->Records();
  for (const TraceRecord& record : records) {
    const auto terminal =
        std::find_if(std::begin(kTerminals), std::end(kTerminals),
                     [&](const Terminal& t) { return t.id == record.traceObjectID; });
    ASSERT_NE(terminal, std::end(kTerminals)) << ToUtf8(record.traceObjectID);
    EXPECT_EQ(record.message, Message(*terminal, nextLine[record.traceObjectID]++));
  }
  EXPECT_EQ(records.size(), std::size(kTerminals) * kLines);
}

TEST(TraceSink, AFileThatCannotBeOpenedIsAPathError) {
  const Error error =
      RaisedBy([] { StreamTraceSink sink(std::filesystem::path("/nonexistent-dir/x/trace.log")); });
  EXPECT_EQ(error.Number(), errors::kPathFileAccessError);
  EXPECT_NE(std::string(error.what()).find("Cannot open trace file '/nonexistent-dir/x/trace.log'"),
            std::string::npos);
}

}  // namespace
}  // namespace carrowin
