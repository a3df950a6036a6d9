#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/automation/utf.h"
#include "carrowin/host/database_settings_store.h"
#include "carrowin/host/store_object_settings.h"
#include "support/store_locations.h"

namespace carrowin {
namespace {

using testing_support::FreshStoreLocation;
using testing_support::TemporaryFolder;

std::u16string TerminalID(int32_t group, int32_t terminal) {
  return FromUtf8("T" + std::to_string(group) + "-" + std::to_string(terminal));
}

// Writes the status record of these terminals the way a terminal does,
// `rounds` times over.
void WriteStatus(const std::shared_ptr<SettingsStore>& store, int32_t group, int32_t terminals,
                 int32_t rounds) {
  for (int32_t round = 0; round < rounds; ++round) {
    for (int32_t t = 0; t < terminals; ++t) {
      StoreObjectSettings settings(store);
      settings.SetObjectType(u"Terminal");
      settings.Load(TerminalID(group, t));
      settings.SetSetting(u"statusOnline", true);
      settings.SetSetting(u"statusScreen", FromUtf8("S" + std::to_string(round)));
      settings.SetSetting(u"statusUpdateLevel", round);
    }
  }
}

// Every terminal of these groups holds the last round's record, and no
// other record exists.
void ExpectStatus(const std::string& location, int32_t groups, int32_t terminals,
                  int32_t lastRound) {
  const std::vector<SettingsRecord> records =
      DatabaseSettingsStore::Open(location)->Records(u"Terminal");
  ASSERT_EQ(records.size(), static_cast<size_t>(groups * terminals));
  for (const SettingsRecord& record : records) {
    ASSERT_EQ(record.settings.size(), 3u) << ToUtf8(record.objectID);
    EXPECT_EQ(record.settings[1].first, u"statusScreen");  // in key order
    EXPECT_EQ(record.settings[1].second, Variant(FromUtf8("S" + std::to_string(lastRound))));
    EXPECT_EQ(record.settings[2].second, Variant(lastRound)) << ToUtf8(record.objectID);
  }
}

class DatabaseSettingsConcurrencyTest : public testing::TestWithParam<std::string> {
 protected:
  TemporaryFolder folder_;
  std::string location_ = FreshStoreLocation(GetParam(), folder_);
};

TEST_P(DatabaseSettingsConcurrencyTest, EightThreadsWriteTheirTerminalsThroughOneStore) {
  {
    // Small batches, so that saves run while the threads write.
    SettingsStoreOptions options;
    options.flushRecords = 64;
    const std::shared_ptr<SettingsStore> store = DatabaseSettingsStore::Open(location_, options);
    std::vector<std::jthread> threads;
    for (int32_t group = 0; group < 8; ++group) {
      threads.emplace_back([&store, group] { WriteStatus(store, group, 100, 3); });
    }
  }
  ExpectStatus(location_, 8, 100, 2);
}

INSTANTIATE_TEST_SUITE_P(Databases, DatabaseSettingsConcurrencyTest,
                         testing::Values("sqlite", "postgres"),
                         [](const auto& info) { return info.param; });

// Runs `body` in a child process that ends with its result; returns its
// wait status.
template <class Body>
pid_t StartChild(Body body) {
  const pid_t child = fork();
  if (child == 0) {
    int status = 0;
    try {
      body();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "child process: %s\n", error.what());
      status = 1;
    }
    _exit(status);
  }
  return child;
}

int WaitFor(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST(DatabaseSettingsProcessTest, TwoProcessesShareOneSqliteFile) {
  TemporaryFolder folder;
  const std::string location = FreshStoreLocation("sqlite", folder);
  std::vector<pid_t> children;
  for (int32_t group = 0; group < 2; ++group) {
    children.push_back(
        StartChild([&] { WriteStatus(DatabaseSettingsStore::Open(location), group, 100, 3); }));
  }
  for (const pid_t child : children) {
    const int status = WaitFor(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  ExpectStatus(location, 2, 100, 2);
}

// A host process killed outright keeps every value it flushed, and every
// value written longer than the interval before it died.
TEST(DatabaseSettingsProcessTest, AKilledProcessKeepsWhatItSaved) {
  TemporaryFolder folder;
  const std::string location = FreshStoreLocation("sqlite", folder);
  const pid_t child = StartChild([&] {
    const auto store = DatabaseSettingsStore::Open(location);
    WriteStatus(store, 0, 50, 1);
    store->Flush();
    WriteStatus(store, 1, 50, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // ten intervals
    WriteStatus(store, 2, 50, 1);
    kill(getpid(), SIGKILL);
  });
  const int status = WaitFor(child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
  const auto store = DatabaseSettingsStore::Open(location);
  for (int32_t group = 0; group < 2; ++group) {
    for (int32_t t = 0; t < 50; ++t) {
      EXPECT_EQ(store->GetSetting(u"Terminal", TerminalID(group, t), u"statusOnline", Variant()),
                Variant(true))
          << ToUtf8(TerminalID(group, t));
    }
  }
}

}  // namespace
}  // namespace carrowin
