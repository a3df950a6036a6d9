#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "carrowin/carrowin.h"
#include "support/run_program.h"
#include "support/store_locations.h"
#include "terminal/local_time_text.h"

namespace carrowin {
namespace {

using testing_support::ProgramRun;
using testing_support::RunProgram;
using testing_support::TemporaryFolder;

// `prefix` runs the tool under another command (such as timeout).
ProgramRun RunTool(const std::string& arguments, const std::string& prefix = "") {
  return RunProgram(prefix + CARROWIN_STATUS_TOOL + " " + arguments + " 2>&1");
}

// A site whose status records the library itself wrote: "T1" (level 3)
// answered a function key on its picking screen; "Dock-7" (level 1) showed a
// screen and went offline. The terminals' clocks stand at one moment.
class StatusToolTest : public testing::Test {
 protected:
  StatusToolTest() {
    const auto store = DatabaseSettingsStore::Open(location_);
    HostFactories factories;
    factories.processTrace = [] { return std::make_shared<MemoryProcessTrace>(0); };
    factories.objectSettings = [store] { return std::make_shared<StoreObjectSettings>(store); };
    factories.settingsEraser = [store] { return std::make_shared<StoreSettingsEraser>(store); };
    factories.clock = [] { return kNow; };
    store->SetSetting(u"Terminal", u"T1", u"statusUpdateLevel", Variant(int32_t{3}));
    store->SetSetting(u"Terminal", u"T1", u"Rows", Variant(int16_t{16}));
    store->SetName(u"Terminal", u"T1", u"Forklift 1");
    store->SetSetting(u"Terminal", u"Dock-7", u"statusUpdateLevel", Variant(int32_t{1}));
    store->SetSetting(u"Printer", u"P1", u"statusOnline", Variant(true));  // not a terminal
    Run(factories, u"T1", u"Picking", "RF52");
    Run(factories, u"Dock-7", u"Say \"hi\"", "F");
    store->Flush();
  }

  // One cycle of a terminal whose page `screen` is displayed.
  static void Run(const HostFactories& factories, std::u16string_view id,
                  std::u16string_view screen, std::string_view message) {
    const auto terminal = Terminal::Create(factories);
    terminal->Initialize(
        std::make_shared<InProcessConnection>(std::make_shared<RecordingMessageSender>()), id);
    const auto thread = std::make_shared<InProcessThread>();
    terminal->SetThread(thread);
    terminal->ExecuteBackground();  // the first cycle settles the status level
    terminal->Pages()->Add(screen)->Display(u"");
    thread->PostBytes(std::vector<uint8_t>(message.begin(), message.end()));
    terminal->ExecuteBackground();
  }

  // 2026-12-06 08:30:45 UTC, shown in local time as the terminals wrote it.
  static constexpr std::chrono::system_clock::time_point kNow{std::chrono::seconds(1796545845)};
  const std::string digits_ = ToUtf8(LocalTimeText(kNow));
  const std::string shown_ = digits_.substr(0, 4) + "-" + digits_.substr(4, 2) + "-" +
                             digits_.substr(6, 2) + " " + digits_.substr(8, 2) + ":" +
                             digits_.substr(10, 2) + ":" + digits_.substr(12, 2);
  TemporaryFolder folder_;
  std::string location_ = "sqlite:" + (folder_.Path() / "site.db").string();
};

TEST_F(StatusToolTest, ListsEveryTerminalAsATable) {
  const ProgramRun run = RunTool(location_);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "TERMINAL  ONLINE  SCREEN    SCREEN CHANGED       EXECUTING  EXECUTION START      "
            "EXECUTION END        LAST FUNCTION  RESPONSE      LEVEL\n"
            "Dock-7    no      Say \"hi\"  " +
                shown_ + std::string(84, ' ') + "1\n" + "T1        yes     Picking   " + shown_ +
                "  no         " + shown_ + "  " + shown_ + "  Response       Function Key  3\n");
  // --watch redraws the same table in place until stopped.
  const ProgramRun watched = RunTool(location_ + " --watch 1", "timeout 1.5 ");
  EXPECT_TRUE(watched.output.starts_with("\x1b[H\x1b[2J" + run.output)) << watched.output;
  EXPECT_EQ(RunTool(location_ + " --offline").output.find("T1"), std::string::npos);
  EXPECT_EQ(RunTool(location_ + " --online").output.find("Dock-7"), std::string::npos);
  // Both were last active at the terminals' stopped clock, in the past.
  EXPECT_NE(RunTool(location_ + " --older-than 0").output.find("T1"), std::string::npos);
}

TEST_F(StatusToolTest, WritesJsonAndOneRecordInFull) {
  EXPECT_EQ(RunTool(location_ + " --json --offline").output,
            "[\n  {\"terminal\": \"Dock-7\", \"name\": \"Dock-7\", \"statusOnline\": 0, "
            "\"statusScreen\": \"Say \\\"hi\\\"\", \"statusScreenChangeTime\": \"" +
                digits_ +
                "\", \"statusExecuting\": null, \"statusExecStartTime\": null, "
                "\"statusExecEndTime\": null, \"statusFunctionCode\": null, "
                "\"statusResponseType\": null, \"statusUpdateLevel\": 1}\n]\n");
  const ProgramRun full = RunTool(location_ + " --terminal t1");
  EXPECT_EQ(full.exitCode, 0);
  EXPECT_EQ(full.output,
            "terminal: T1\nname: Forklift 1\nRows: 16\nstatusExecEndTime: " + digits_ +
                "\nstatusExecStartTime: " + digits_ +
                "\nstatusExecuting: 0\nstatusFunctionCode: Response\nstatusOnline: -1\n"
                "statusResponseType: Function Key\nstatusScreen: Picking\n"
                "statusScreenChangeTime: " +
                digits_ + "\nstatusUpdateLevel: 3\n");
  const ProgramRun missing = RunTool(location_ + " --terminal T9");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.output, "carrowin-status: No terminal record 'T9'\n");
}

TEST_F(StatusToolTest, ProvisionsARecordAndRefusesBadInput) {
  const ProgramRun provisioned =
      RunTool(location_ +
              " provision T2 --name Gate TerminalId:long=7 Codepage:integer=1252 "
              "Greeting=Hello");
  EXPECT_EQ(provisioned.exitCode, 0) << provisioned.output;
  const auto store = DatabaseSettingsStore::Open(location_);
  EXPECT_EQ(store->Name(u"Terminal", u"T2"), u"Gate");
  EXPECT_EQ(store->GetSetting(u"Terminal", u"T2", u"TerminalId", Variant()), Variant(int32_t{7}));
  EXPECT_EQ(store->GetSetting(u"Terminal", u"T2", u"Codepage", Variant()), Variant(int16_t{1252}));
  EXPECT_EQ(store->GetSetting(u"Terminal", u"T2", u"Greeting", Variant()), Variant(u"Hello"));
  // A terminal active just now is not idle for an hour; T1 has been.
  char now[16];
  const std::time_t clock = std::time(nullptr);
  std::tm local{};
  localtime_r(&clock, &local);
  std::strftime(now, sizeof now, "%Y%m%d%H%M%S", &local);
  ASSERT_EQ(RunTool(location_ + " provision T4 statusScreenChangeTime=" + now).exitCode, 0);
  const std::string idle = RunTool(location_ + " --older-than 3600").output;
  EXPECT_EQ(idle.find("T4"), std::string::npos) << idle;
  EXPECT_NE(idle.find("T1"), std::string::npos) << idle;
  const struct {
    std::string arguments;
    int exitCode;
    std::string firstLine;
  } refused[] = {
      {location_ + " provision T3 --name T1", 1,
       "carrowin-status: Terminal record 'T3' cannot be named 'T1': 'T1' is the ID of record "
       "'T1'"},
      {location_ + " provision T3 Rows:long=many", 2,
       "carrowin-status: the value of Rows must be a number, not 'many'"},
      {location_ + " --frobnicate", 2, "carrowin-status: unknown option '--frobnicate'"},
      {"sqlite:" + (folder_.Path() / "none.db").string(), 1,
       "carrowin-status: No settings store at 'sqlite:" + (folder_.Path() / "none.db").string() +
           "'"},
  };
  for (const auto& r : refused) {
    const ProgramRun run = RunTool(r.arguments);
    EXPECT_EQ(run.exitCode, r.exitCode) << r.arguments;
    EXPECT_EQ(run.output.substr(0, run.output.find('\n')), r.firstLine) << r.arguments;
  }
}

}  // namespace
}  // namespace carrowin
