#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "carrowin/carrowin.h"
#include "support/run_program.h"
#include "support/store_locations.h"

namespace carrowin {
namespace {

using testing_support::ProgramRun;
using testing_support::RunProgram;
using testing_support::TemporaryFolder;

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

// The demo on a pseudo-terminal of its own, as a person at a console has it;
// killed at the end, whatever it did.
class ConsoleDemo {
 public:
  ConsoleDemo() {
    child_ = forkpty(&console_, nullptr, nullptr, nullptr);
    if (child_ == 0) {
      execl(CARROWIN_DEMO, CARROWIN_DEMO, "--interactive", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~ConsoleDemo() {
    if (child_ > 0 && waitpid(child_, nullptr, WNOHANG) == 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (console_ >= 0) close(console_);
  }
  bool Started() const { return child_ > 0; }
  // Enter, as the keyboard sends it; the line discipline makes it a newline.
  void TypeLine(const std::string& line) {
    const std::string keys = line + "\r";
    ASSERT_EQ(write(console_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  // Reads until `text` shows (false if the console closes or 5 s pass
  // first); the terminal's carriage returns are dropped.
  bool ReadUntil(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (output_.find(text, searched_) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd ready{console_, POLLIN, 0};
      char buffer[4096];
      if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) return false;
      const ssize_t n = read(console_, buffer, sizeof buffer);
      if (n <= 0) return false;
      for (ssize_t i = 0; i < n; ++i) {
        if (buffer[i] != '\r') output_ += buffer[i];
      }
    }
    searched_ = output_.find(text, searched_) + text.size();
    return true;
  }
  // Waits up to 5 s for the demo to end; its exit code, or -1.
  int ExitCode() {
    for (int i = 0; i < 100; ++i) {
      int status = 0;
      if (waitpid(child_, &status, WNOHANG) == child_) {
        child_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(50'000);
    }
    return -1;
  }
  const std::string& Output() const { return output_; }

 private:
  int console_ = -1;
  pid_t child_ = -1;
  std::string output_;
  size_t searched_ = 0;
};

TEST(Demo, APersonWorksTheTerminalFromTheConsole) {
  ConsoleDemo demo;
  ASSERT_TRUE(demo.Started());
  // The prompt starts a line; "host > terminal" in the transcript does not.
  ASSERT_TRUE(demo.ReadUntil("\n> ")) << demo.Output();
  const struct {
    std::string line;
    std::vector<std::string> answer;
  } steps[] = {
      {":F1", {"=== :F1\n", "advisory \"Type your name, Enter\""}},
      {"BOB", {"=== BOB\n", "|Hello BOB"}},
      {":F7", {"=== :F7\n"}},
      {"9", {"=== 9\n", "advisory \"Choose 1 or 2\"", "the bell rang"}},
      {":F2", {"=== :F2\n", "|Warehouse sign on"}},
  };
  for (const auto& step : steps) {
    demo.TypeLine(step.line);
    for (const std::string& expected : step.answer) {
      ASSERT_TRUE(demo.ReadUntil(expected)) << expected << "\n" << demo.Output();
    }
    ASSERT_TRUE(demo.ReadUntil("\n> ")) << demo.Output();
  }
  // ":quit" ends the session while the console stays open.
  demo.TypeLine(":quit");
  EXPECT_EQ(demo.ExitCode(), 0) << demo.Output();
}

TEST(Demo, WritesEachScreenAsAnSvgPicture) {
  TemporaryFolder folder;
  ASSERT_EQ(RunDemo("--svg " + folder.Path().string()).exitCode, 0);
  size_t pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    pictures += entry.path().extension() == ".svg" ? 1 : 0;
  }
  EXPECT_EQ(pictures, 11u);  // one for each step of the script
  std::ifstream file(folder.Path() / "T1-05-a-scan-of-the-wrong-shelf.svg", std::ios::binary);
  std::stringstream picture;
  picture << file.rdbuf();
  const std::string svg = picture.str();
  EXPECT_TRUE(svg.starts_with("<svg ")) << svg;
  EXPECT_TRUE(svg.ends_with("</svg>\n")) << svg;
  for (const std::string text :
       {"Pick 1 of 2", "A-01-3", "F1 help  F2 back", "Wrong Location, scan A-01-3"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text << "\n" << svg;
  }
}

TEST(Demo, NamesTheOperatorsPicturesInsideTheFolder) {
  TemporaryFolder folder;
  const std::filesystem::path pictures = folder.Path() / "pictures";
  std::filesystem::create_directory(pictures);
  // A typed line may hold anything, a way up the folders included.
  const ProgramRun run =
      RunProgram("printf ':F1\\n../../Up There\\n' | " + std::string(CARROWIN_DEMO) +
                 " --interactive --svg " + pictures.string());
  ASSERT_EQ(run.exitCode, 0) << run.output;
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"pictures"});
  names.clear();
  for (const auto& entry : std::filesystem::directory_iterator(pictures)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"T1-01-power-on.svg", "T1-02-f1.svg", "T1-03-up-there.svg"}));
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
      {"--svg /nonexistent/pictures", 2,
       "carrowin-demo: --svg takes an existing folder, not '/nonexistent/pictures'"},
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
