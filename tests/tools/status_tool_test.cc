#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "carrowin/host/database_settings_store.h"
#include "support/store_locations.h"

namespace carrowin {
namespace {

using testing_support::TemporaryFolder;

struct ToolRun {
  int exitCode;
  std::string output;  // standard output and standard error
};

// `prefix` runs the tool under another command (such as timeout).
ToolRun RunTool(const std::string& arguments, const std::string& prefix = "") {
  const std::string command = prefix + CARROWIN_STATUS_TOOL + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ToolRun run{-1, {}};
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class StatusToolTest : public testing::Test {
 protected:
  StatusToolTest() {
    const auto store = DatabaseSettingsStore::Open(location_);
    const auto set = [&](std::u16string_view id, std::u16string_view key, Variant value) {
      store->SetSetting(u"Terminal", id, key, std::move(value));
    };
    set(u"T1", u"statusOnline", true);
    set(u"T1", u"statusCurrentScreen", u"Picking");
    set(u"T1", u"statusScreenChange", u"20240501101500");
    set(u"T1", u"statusExecuting", false);
    set(u"T1", u"statusExecutionStart", u"20240501101502");
    set(u"T1", u"statusExecutionEnd", u"20240501101503");
    set(u"T1", u"statusLastFunctionCode", int32_t{3});
    set(u"T1", u"statusLastResponseType", u"F");
    set(u"T1", u"statusUpdateLevel", int32_t{2});
    set(u"T1", u"Rows", int16_t{16});
    set(u"Dock-7", u"statusOnline", false);
    set(u"Dock-7", u"statusCurrentScreen", u"Say \"hi\"");
    store->SetName(u"Terminal", u"T1", u"Forklift 1");
    store->SetSetting(u"Printer", u"P1", u"statusOnline", true);  // not a terminal
  }

  TemporaryFolder folder_;
  std::string location_ = "sqlite:" + (folder_.Path() / "site.db").string();
};

TEST_F(StatusToolTest, ListsEveryTerminalAsATable) {
  const ToolRun run = RunTool(location_);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output,
            "TERMINAL  ONLINE  SCREEN    SCREEN CHANGED       EXECUTING  EXECUTION START      "
            "EXECUTION END        LAST FUNCTION  RESPONSE  LEVEL\n"
            "Dock-7    no      Say \"hi\"\n"
            "T1        yes     Picking   2024-05-01 10:15:00  no         2024-05-01 10:15:02  "
            "2024-05-01 10:15:03  3              F         2\n");
  // --watch redraws the same table in place until stopped.
  const ToolRun watched = RunTool(location_ + " --watch 1", "timeout 1.5 ");
  EXPECT_TRUE(watched.output.starts_with("\x1b[H\x1b[2J" + run.output)) << watched.output;
  EXPECT_EQ(RunTool(location_ + " --offline").output.find("T1"), std::string::npos);
  EXPECT_EQ(RunTool(location_ + " --online").output.find("Dock-7"), std::string::npos);
  // Both were last active in May 2024 or never: idle since.
  EXPECT_NE(RunTool(location_ + " --older-than 0").output.find("T1"), std::string::npos);
}

TEST_F(StatusToolTest, WritesJsonAndOneRecordInFull) {
  EXPECT_EQ(RunTool(location_ + " --json --offline").output,
            "[\n  {\"terminal\": \"Dock-7\", \"name\": \"Dock-7\", \"statusOnline\": false, "
            "\"statusCurrentScreen\": \"Say \\\"hi\\\"\", \"statusScreenChange\": null, "
            "\"statusExecuting\": null, \"statusExecutionStart\": null, \"statusExecutionEnd\": "
            "null, \"statusLastFunctionCode\": null, \"statusLastResponseType\": null, "
            "\"statusUpdateLevel\": null}\n]\n");
  const ToolRun full = RunTool(location_ + " --terminal t1");
  EXPECT_EQ(full.exitCode, 0);
  EXPECT_EQ(full.output,
            "terminal: T1\nname: Forklift 1\nRows: 16\nstatusCurrentScreen: Picking\n"
            "statusExecuting: no\nstatusExecutionEnd: 20240501101503\n"
            "statusExecutionStart: 20240501101502\nstatusLastFunctionCode: 3\n"
            "statusLastResponseType: F\nstatusOnline: yes\nstatusScreenChange: 20240501101500\n"
            "statusUpdateLevel: 2\n");
  const ToolRun missing = RunTool(location_ + " --terminal T9");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.output, "carrowin-status: No terminal record 'T9'\n");
}

TEST_F(StatusToolTest, ProvisionsARecordAndRefusesBadInput) {
  const ToolRun provisioned =
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
  ASSERT_EQ(RunTool(location_ + " provision T4 statusScreenChange=" + now).exitCode, 0);
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
    const ToolRun run = RunTool(r.arguments);
    EXPECT_EQ(run.exitCode, r.exitCode) << r.arguments;
    EXPECT_EQ(run.output.substr(0, run.output.find('\n')), r.firstLine) << r.arguments;
  }
}

}  // namespace
}  // namespace carrowin
