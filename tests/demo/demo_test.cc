#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "carrowin/carrowin.h"
#include "support/store_locations.h"

namespace carrowin {
namespace {

using testing_support::TemporaryFolder;

struct ProgramRun {
  int exitCode;
  std::string output;  // standard output, then standard error when asked
};

ProgramRun RunProgram(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  ProgramRun run{-1, {}};
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

ProgramRun RunDemo(const std::string& arguments, bool withErrors = false) {
  return RunProgram(std::string(CARROWIN_DEMO) + " " + arguments + (withErrors ? " 2>&1" : ""));
}

std::string Golden(const std::string& name) {
  std::ifstream file(std::string(CARROWIN_DEMO_GOLDEN) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The screens of a transcript: its framed rows and the lines under them,
// without the messages, which carry the terminal's number.
std::vector<std::string> Screens(const std::string& transcript) {
  std::vector<std::string> lines;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with("host >") && !line.starts_with("terminal >") &&
        !line.starts_with("    ") && !line.starts_with("#####")) {
      lines.push_back(line);
    }
  }
  return lines;
}

TEST(Demo, ScriptedSessionPrintsTheGoldenTranscript) {
  const ProgramRun run = RunDemo("", true);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, Golden("scripted_session.txt"));
}

TEST(Demo, OperatorsAtSeveralTerminalsEachSeeTheWholeSession) {
  const ProgramRun run = RunDemo("--terminals 3", true);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const size_t second = run.output.find("##### terminal T2\n");
  const size_t third = run.output.find("##### terminal T3\n");
  ASSERT_TRUE(run.output.starts_with("##### terminal T1\n"));
  ASSERT_NE(second, std::string::npos);
  ASSERT_NE(third, std::string::npos);
  const std::vector<std::string> expected = Screens(Golden("scripted_session.txt"));
  EXPECT_EQ(Screens(run.output.substr(0, second)), expected);
  EXPECT_EQ(Screens(run.output.substr(second, third - second)), expected);
  EXPECT_EQ(Screens(run.output.substr(third)), expected);
  // Terminal 3's messages carry its number.
  EXPECT_NE(run.output.find("|3H", third), std::string::npos);
}

TEST(Demo, TerminalsPublishTheirStatusToTheStore) {
  TemporaryFolder folder;
  const std::string location = "sqlite:" + (folder.Path() / "site.db").string();
  ASSERT_EQ(RunDemo("--terminals 2 --store " + location).exitCode, 0);
  const auto store = DatabaseSettingsStore::Open(location);
  for (const std::u16string id : {u"T1", u"T2"}) {
    SCOPED_TRACE(ToUtf8(id));
    EXPECT_EQ(store->GetSetting(u"Terminal", id, u"statusScreen", Variant()), Variant(u"SignOn"));
    EXPECT_EQ(store->GetSetting(u"Terminal", id, u"statusResponseType", Variant()),
              Variant(u"Transmit On Entry"));
  }
  const ProgramRun status =
      RunProgram(std::string(CARROWIN_STATUS_TOOL) + " " + location + " --online");
  EXPECT_EQ(status.exitCode, 0);
  EXPECT_NE(status.output.find("\nT1 "), std::string::npos) << status.output;
  EXPECT_NE(status.output.find("\nT2 "), std::string::npos) << status.output;
}

TEST(Demo, APersonWorksTheTerminalFromTheConsole) {
  const ProgramRun run = RunProgram("printf ':F1\\nBOB\\n:F7\\n9\\n:F2\\n:quit\\nANNA\\n' | " +
                                    std::string(CARROWIN_DEMO) + " --interactive 2>&1");
  EXPECT_EQ(run.exitCode, 0);
  // Each line in turn, and nothing after ":quit".
  size_t at = 0;
  for (const std::string expected :
       {"=== :F1\n", "advisory \"Type your name, Enter\"", "=== BOB\n", "|Hello BOB", "=== :F7\n",
        "=== 9\n", "advisory \"Choose 1 or 2\"", "the bell rang", "=== :F2\n",
        "|Warehouse sign on"}) {
    at = run.output.find(expected, at);
    ASSERT_NE(at, std::string::npos) << expected << "\n" << run.output;
  }
  EXPECT_EQ(run.output.find("ANNA"), std::string::npos);
}

TEST(Demo, RefusesBadArguments) {
  const struct {
    std::string arguments;
    int exitCode;
    std::string firstLine;
  } refused[] = {
      {"--terminals 0", 2, "carrowin-demo: --terminals takes 1 to 99, not '0'"},
      {"--terminals 100", 2, "carrowin-demo: --terminals takes 1 to 99, not '100'"},
      {"--terminals 2x", 2, "carrowin-demo: --terminals takes 1 to 99, not '2x'"},
      {"--store", 2, "carrowin-demo: unknown option or missing value '--store'"},
      {"--interact", 2, "carrowin-demo: unknown option or missing value '--interact'"},
      {"--interactive --terminals 2", 2, "carrowin-demo: --interactive works one terminal"},
      {"--store nowhere:x", 1, "carrowin-demo: "},
  };
  for (const auto& r : refused) {
    const ProgramRun run = RunDemo(r.arguments, true);
    EXPECT_EQ(run.exitCode, r.exitCode) << r.arguments;
    EXPECT_TRUE(run.output.starts_with(r.firstLine)) << r.arguments << "\n" << run.output;
  }
}

}  // namespace
}  // namespace carrowin
