#include <gtest/gtest.h>
#include <unistd.h>

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
  record.component = u"CarrowinZVK";
  record.objectName = u"Page 1";
  record.procedure = u"Send";
  // object ID and message as traced, then as written
  const std::tuple<std::u16string_view, std::u16string_view, std::string_view, std::string_view>
      lines[] = {
          // not opened yet; a backslash cannot pass for an escape
          {u"", u"C:\\new\\r\r\n\u0085", "-", "C:\\\\new\\\\r\\r\\n\\u0085"},
          {u"-", u"a\tb\x01\x1B\x1F\x7F", "\\u002D", "a\\tb\\u0001\\u001B\\u001F\\u007F"},
          // only pairs are characters
          {u"T1\n", u"\xD800 \xDC00\U0001F600", "T1\\n", "\\uD800 \\uDC00\xF0\x9F\x98\x80"},
      };
  for (const auto& [id, message, idWritten, messageWritten] : lines) {
    record.traceObjectID = id;
    record.message = message;
    EXPECT_EQ(FormatTraceLine(record),
              "2026-12-06 08:05:41.123 [0] " + std::string(idWritten) +
                  " CarrowinZVK.Page\\u00201 Send: " + std::string(messageWritten));
  }
}

// Each terminal on a thread of its own, with a trace of its own on one file.
TEST(TraceSink, TerminalsOnThreadsOfTheirOwnShareAFileLineByLine) {
  // Named for this process: builds of several presets may run at once.
  const auto path = std::filesystem::temp_directory_path() /
                    ("carrowin_trace_sink_file_test." + std::to_string(::getpid()) + ".log");
  const std::string filler(10000, 'x');  // longer than a stdio buffer: a line takes several writes
  std::filesystem::remove(path);
  {
    const auto sink = std::make_shared<StreamTraceSink>(path);
    std::vector<std::jthread> threads;
    for (const char16_t terminal : std::u16string_view(u"012")) {
      threads.emplace_back([&sink, &filler, terminal] {
        auto trace = std::make_shared<BasicProcessTrace>(sink, 2);
        auto writer = trace->GetTraceWriter(u"CarrowinZVK", u"Drel");
        trace->Open(u"Terminal", std::u16string(1, terminal));
        for (int line = 0; line < 100; ++line)
          writer->Trace(2, u"Send", FromUtf8(std::to_string(line) + " " + filler));
      });
    }
  }
  std::map<char, int> nextLine;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    // "2026-12-06 08:05:41.123 [2] 0 CarrowinZVK.Drel Send: 0 xxx..."
    const char terminal = line.size() > 28 ? line[28] : '?';
    ASSERT_EQ(line.substr(23), " [2] " + std::string(1, terminal) + " CarrowinZVK.Drel Send: " +
                                   std::to_string(nextLine[terminal]++) + " " + filler);
  }
  EXPECT_EQ(nextLine, (std::map<char, int>{{'0', 100}, {'1', 100}, {'2', 100}}));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace carrowin
