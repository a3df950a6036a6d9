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
#include "carrowin/host/stream_trace_sink.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;

TEST(TraceLine, EveryRecordIsOneUnambiguousLine) {
  TraceRecord record;
  record.time = std::chrono::sys_days{std::chrono::year{2026} / 12 / 6} + 8h + 5min + 41s + 123ms;
  record.level = 2;
  record.component = u"CarrowinZVK";
  record.procedure = u"Initialize";
  record.message = u"m";
  // object ID, object name, what stands between the level and the procedure
  const std::tuple<std::u16string_view, std::u16string_view, std::string_view> words[] = {
      {u"T17", u"Drel", "T17 CarrowinZVK.Drel"},
      {u"", u"Drel", "- CarrowinZVK.Drel"},  // not opened yet
      {u"-", u"Drel", "\\u002D CarrowinZVK.Drel"},
      {u"Dock 7", u"Page Main", "Dock\\u00207 CarrowinZVK.Page\\u0020Main"},
      {u"T1\n", u"Drel\\", "T1\\n CarrowinZVK.Drel\\\\"},
  };
  for (const auto& [id, objectName, written] : words) {
    record.traceObjectID = id;
    record.objectName = objectName;
    EXPECT_EQ(FormatTraceLine(record),
              "2026-12-06 08:05:41.123 [2] " + std::string(written) + " Initialize: m");
  }
  // message as traced, as written
  const std::pair<std::u16string_view, std::string_view> messages[] = {
      {u"Parameters:\r\n Model '3'", "Parameters:\\r\\n Model '3'"},
      {u"C:\\new\\r", "C:\\\\new\\\\r"},  // a backslash cannot pass for an escape
      {u"a\tb\x01\x1B\x1F\x7F", "a\\tb\\u0001\\u001B\\u001F\\u007F"},
      {u"\u0085\u2028\u2029\u00A0", "\\u0085\\u2028\\u2029\xC2\xA0"},
      {u"\xD800 \xDC00\U0001F600", "\\uD800 \\uDC00\xF0\x9F\x98\x80"},  // only pairs are characters
  };
  for (const auto& [message, written] : messages) {
    record.message = message;
    const std::string line = FormatTraceLine(record);
    EXPECT_EQ(line.substr(line.find(": ") + 2), written) << ToUtf8(message);
  }
}

// Terminal IDs and their forms as a line's object word.
using Terminal = std::pair<std::u16string_view, std::string_view>;
constexpr Terminal kTerminals[] = {
    {u"T0", "T0"}, {u"Dock 7", "Dock\\u00207"}, {u"RF\\9", "RF\\\\9"}};
constexpr int kLines = 100;
// Longer than a stdio buffer, so one line takes several writes.
const std::string kFiller(10000, 'x');

// Each terminal on a thread of its own, with a trace of its own on one file.
TEST(TraceSink, TerminalsOnThreadsOfTheirOwnShareAFileLineByLine) {
  const auto path = std::filesystem::temp_directory_path() / "carrowin_trace_sink_file_test.log";
  std::filesystem::remove(path);
  {
    const auto sink = std::make_shared<StreamTraceSink>(path);
    std::vector<std::jthread> threads;
    for (const Terminal& terminal : kTerminals) {
      threads.emplace_back([&sink, &terminal] {
        auto trace = std::make_shared<BasicProcessTrace>(sink, 2);
        auto writer = trace->GetTraceWriter(u"CarrowinZVK", u"Drel");
        trace->Open(u"Terminal", terminal.first);
        for (int line = 0; line < kLines; ++line) {
          writer->Trace(2, u"Send", FromUtf8(std::to_string(line) + " " + kFiller));
        }
        writer->Trace(3, u"Send", u"above the level");
      });
    }
  }
  std::map<const Terminal*, int> nextLine;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    // "2026-12-06 08:05:41.123 [2] T0 CarrowinZVK.Drel Send: 0 xxx..."
    const auto isNextOf = [&line, &nextLine](const Terminal& t) {
      return line.substr(23) == " [2] " + std::string(t.second) +
                                    " CarrowinZVK.Drel Send: " + std::to_string(nextLine[&t]) +
                                    " " + kFiller;
    };
    const Terminal* terminal = std::find_if(std::begin(kTerminals), std::end(kTerminals), isNextOf);
    ASSERT_NE(terminal, std::end(kTerminals)) << line.substr(0, 80);
    ++nextLine[terminal];
  }
  for (const Terminal& terminal : kTerminals) EXPECT_EQ(nextLine[&terminal], kLines);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace carrowin
