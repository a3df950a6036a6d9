// Many terminals on many workers, as a site runs them: every terminal has its
// own thread object, sender and trace, while the trace sink and the settings
// store are shared. Run under ThreadSanitizer this finds races on the shared
// objects; in any build it checks that each terminal's replies reach its own
// sender, whole and in order.
#include <gmock/gmock.h>

#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/carrowin.h"

namespace carrowin {
namespace {

constexpr int kWorkers = 8;
constexpr int kTerminalsPerWorker = 100;

// One terminal of the site, on the site's factories, with a menu that its
// going online displays and a function key on the menu leaves for the detail.
struct Session {
  Session(const HostFactories& factories, const std::shared_ptr<MemorySettingsStore>& store,
          int32_t number)
      : number(number) {
    for (char digit : std::to_string(number)) record += digit;
    store->SetSetting(u"Terminal", record, u"TerminalId", Variant(number));
    store->SetSetting(u"Terminal", record, u"statusUpdateLevel", Variant(int32_t{3}));
    terminal = Terminal::Create(factories);
    terminal->Initialize(std::make_shared<InProcessConnection>(sender), record);
    terminal->SetThread(thread);
    const auto menu = terminal->Pages()->Add(u"Menu");
    menu->Fields()->AddText(1, u"Title", 1, 1, u"Menu");
    const auto detail = terminal->Pages()->Add(u"Detail");
    detail->Fields()->AddText(1, u"Title", 1, 1, u"Detail");
    // The pages own their events: the handlers hold them weakly.
    terminal->evtOnline.Connect([m = std::weak_ptr(menu)] { m.lock()->Display(u""); });
    menu->evtFunctionKey.Connect(
        [d = std::weak_ptr(detail)](int32_t&, std::u16string&) { d.lock()->Display(u""); });
  }

  int32_t number;
  std::u16string record = u"T";
  std::shared_ptr<RecordingMessageSender> sender = std::make_shared<RecordingMessageSender>();
  std::shared_ptr<InProcessThread> thread = std::make_shared<InProcessThread>();
  std::shared_ptr<Terminal> terminal;
};

TEST(TerminalConcurrencyTest, WorkersDriveTheirTerminalsThroughSharedSinkAndStore) {
  const auto store = std::make_shared<MemorySettingsStore>();
  const auto sink = std::make_shared<MemoryTraceSink>();
  HostFactories factories;
  factories.processTrace = [sink] { return std::make_shared<BasicProcessTrace>(sink, 2); };
  factories.objectSettings = [store] { return std::make_shared<MemoryObjectSettings>(store); };
  factories.settingsEraser = [store] { return std::make_shared<MemorySettingsEraser>(store); };
  // Each message a terminal sends and the text the reply to it holds: sign
  // on, parameters (version 70, each value + 48), a function key, terminate.
  std::vector<uint8_t> parameters = {'R', '!'};
  for (int32_t value : {1, 70, 0, 0, 20, 0xA8, 4, 0})
    parameters.push_back(static_cast<uint8_t>(value + 48));
  const std::vector<std::pair<std::vector<uint8_t>, std::string>> steps = {
      {{'I'}, "!"}, {parameters, "Menu"}, {{'R', 'F', '3', '5'}, "Detail"}, {{'&'}, ""}};

  // Each worker keeps its terminals open together and takes them through the
  // steps in turn, so that every terminal is in its cycle while others are.
  std::vector<std::vector<std::unique_ptr<Session>>> workers(kWorkers);
  {
    std::vector<std::jthread> threads;
    for (int worker = 0; worker < kWorkers; ++worker) {
      threads.emplace_back([&, worker] {
        for (int i = 1; i <= kTerminalsPerWorker; ++i) {
          workers[worker].push_back(
              std::make_unique<Session>(factories, store, worker * kTerminalsPerWorker + i));
        }
        for (const auto& [message, reply] : steps) {
          for (const auto& session : workers[worker]) {
            session->thread->PostBytes(message);
            session->terminal->ExecuteBackground();
          }
        }
      });
    }
  }

  std::map<std::u16string, int> linesByRecord;
  for (const TraceRecord& record : sink->Records()) ++linesByRecord[record.traceObjectID];
  for (const auto& sessions : workers) {
    for (const auto& session : sessions) {
      SCOPED_TRACE("terminal " + std::to_string(session->number));
      const auto messages = session->sender->Messages();
      ASSERT_EQ(messages.size(), steps.size() - 1);  // terminating is not answered
      for (size_t i = 0; i < messages.size(); ++i) {
        const std::string text(messages[i].begin(), messages[i].end());
        EXPECT_TRUE(text.starts_with(std::to_string(session->number) + "H")) << text;
        EXPECT_NE(text.find(steps[i].second), std::string::npos) << text;
      }
      EXPECT_TRUE(session->thread->Stopped());
      const auto status = [&](std::u16string_view key) {
        return store->GetSetting(u"Terminal", session->record, key);
      };
      EXPECT_EQ(status(u"statusScreen").ToString(), u"Detail");
      EXPECT_EQ(status(u"statusOnline").ToLong(), 0);
      EXPECT_EQ(status(u"statusExecuting").ToLong(), 0);
      EXPECT_GT(linesByRecord[session->record], 0);
    }
  }
  EXPECT_THAT(sink->Errors(), testing::IsEmpty());
}

}  // namespace
}  // namespace carrowin
