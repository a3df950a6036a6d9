// Many terminals on many workers, as a site runs them: every terminal has its
// own thread object, sender and trace, while the trace sink and the settings
// store are shared. Run under ThreadSanitizer this finds races on the shared
// objects; in any build it checks that each terminal's replies reach its own
// sender, whole and in order.

#include <gmock/gmock.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/carrowin.h"

namespace carrowin {
namespace {

using ::testing::IsEmpty;

constexpr int kWorkers = 8;
constexpr int kTerminalsPerWorker = 100;

// The parameter-query reply of a version 70 terminal with 40 virtual
// columns, 16 rows and 192 fields: each value a small number (value + 48).
std::vector<uint8_t> ParameterReply() {
  std::vector<uint8_t> reply = {'R', '!'};
  for (int32_t value : {1, 70, 0, 0, 20, 0xA8, 4, 0}) {
    reply.push_back(static_cast<uint8_t>(value + 48));
  }
  return reply;
}

// One step of a terminal's session: the message it sends and the text the
// host's reply to it holds ("" for no reply).
struct Step {
  std::vector<uint8_t> message;
  std::string reply;
};

// Signs on, is asked for its parameters, is shown the menu once they arrive,
// then picks an entry with a function key and is shown the detail page.
const std::vector<Step> kSession = {
    {{'I'}, "!"},
    {ParameterReply(), "Menu"},
    {{'R', 'F', '3', '5'}, "Detail"},
};

// What every terminal shares: one store (status level 3 for all) and one sink.
struct Site {
  std::shared_ptr<MemorySettingsStore> store = std::make_shared<MemorySettingsStore>();
  std::shared_ptr<MemoryTraceSink> sink = std::make_shared<MemoryTraceSink>();

  HostFactories Factories() const {
    HostFactories factories;
    factories.processTrace = [s = sink] { return std::make_shared<BasicProcessTrace>(s, 2); };
    factories.objectSettings = [s = store] { return std::make_shared<MemoryObjectSettings>(s); };
    factories.settingsEraser = [s = store] { return std::make_shared<MemorySettingsEraser>(s); };
    return factories;
  }
};

std::u16string RecordOf(int32_t number) {
  const std::string name = "T" + std::to_string(number);
  return std::u16string(name.begin(), name.end());
}

// One terminal and the host objects it alone uses.
class Session {
 public:
  Session(const Site& site, int32_t number) : number_(number) {
    site.store->SetSetting(u"Terminal", RecordOf(number), u"TerminalId", Variant(number));
    site.store->SetSetting(u"Terminal", RecordOf(number), u"statusUpdateLevel",
                           Variant(int32_t{3}));
    terminal_ = Terminal::Create(site.Factories());
    terminal_->Initialize(std::make_shared<InProcessConnection>(sender_), RecordOf(number));
    terminal_->SetThread(thread_);
    auto menu = terminal_->Pages()->Add(u"Menu");
    menu->SetPageNumber(1);
    menu->Fields()->AddText(1, u"Title", 1, 1, u"Menu");
    menu->Fields()->AddEntry(5, u"Choice", 3, 1, 4);
    auto detail = terminal_->Pages()->Add(u"Detail");
    detail->SetPageNumber(2);
    detail->Fields()->AddText(1, u"Title", 1, 1, u"Detail");
    detail->Fields()->AddEntry(5, u"Amount", 3, 1, 8);
    // The pages own their events: the handlers hold them weakly.
    const std::weak_ptr<Page> weakMenu = menu;
    const std::weak_ptr<Page> weakDetail = detail;
    terminal_->evtOnline.Connect([weakMenu] { weakMenu.lock()->Display(u"Choice"); });
    menu->evtFunctionKey.Connect(
        [weakDetail](int32_t&, std::u16string&) { weakDetail.lock()->Display(u"Amount"); });
  }

  int32_t Number() const { return number_; }
  InProcessThread& Thread() const { return *thread_; }
  carrowin::Terminal& Terminal() const { return *terminal_; }

  /// What went wrong with the replies, one line per fault: each message must
  /// be headed by this terminal's number and a screen function code, and
  /// each step answered, in order, by one message holding its reply.
  std::vector<std::string> ReplyFaults() const {
    std::vector<std::string> faults;
    const std::string header = std::to_string(number_) + "H";
    const std::vector<std::vector<uint8_t>> messages = sender_->Messages();
    if (messages.size() != kSession.size()) {
      faults.push_back(std::to_string(messages.size()) + " messages");
    }
    for (size_t i = 0; i < messages.size() && i < kSession.size(); ++i) {
      const std::string text(messages[i].begin(), messages[i].end());
      if (!text.starts_with(header) || text.find(kSession[i].reply) == std::string::npos) {
        faults.push_back(text);
      }
    }
    return faults;
  }

 private:
  int32_t number_;
  std::shared_ptr<RecordingMessageSender> sender_ = std::make_shared<RecordingMessageSender>();
  std::shared_ptr<InProcessThread> thread_ = std::make_shared<InProcessThread>();
  std::shared_ptr<carrowin::Terminal> terminal_;
};

using Sessions = std::vector<std::unique_ptr<Session>>;

Sessions OpenSessions(const Site& site, int worker) {
  Sessions sessions;
  for (int i = 0; i < kTerminalsPerWorker; ++i) {
    sessions.push_back(std::make_unique<Session>(
        site, static_cast<int32_t>(worker * kTerminalsPerWorker + i + 1)));
  }
  return sessions;
}

// Checks each terminal's replies and closing status, and that its trace lines
// reached the shared sink under its own record.
void ExpectSessionsDone(const Site& site, const std::vector<Sessions>& workers) {
  std::map<std::u16string, int> linesByRecord;
  for (const TraceRecord& record : site.sink->Records()) ++linesByRecord[record.traceObjectID];
  for (const Sessions& sessions : workers) {
    ASSERT_EQ(sessions.size(), static_cast<size_t>(kTerminalsPerWorker));
    for (const auto& session : sessions) {
      SCOPED_TRACE("terminal " + std::to_string(session->Number()));
      const std::u16string record = RecordOf(session->Number());
      EXPECT_THAT(session->ReplyFaults(), IsEmpty());
      EXPECT_TRUE(session->Thread().Stopped());
      EXPECT_EQ(site.store->GetSetting(u"Terminal", record, u"statusScreen").ToString(), u"Detail");
      EXPECT_EQ(site.store->GetSetting(u"Terminal", record, u"statusOnline").ToLong(), 0);
      EXPECT_EQ(site.store->GetSetting(u"Terminal", record, u"statusExecuting").ToLong(), 0);
      EXPECT_GT(linesByRecord[record], 0);
    }
  }
  EXPECT_THAT(site.sink->Errors(), IsEmpty());
}

// Each worker keeps its terminals open together and takes them through the
// session step by step, then has them terminate, so that every terminal of
// the site is in its cycle while the others are.
TEST(TerminalConcurrencyTest, WorkersDriveTheirTerminalsThroughSharedSinkAndStore) {
  const Site site;
  std::vector<Sessions> workers(kWorkers);
  {
    std::vector<std::jthread> threads;
    for (int worker = 0; worker < kWorkers; ++worker) {
      threads.emplace_back([&, worker] {
        workers[worker] = OpenSessions(site, worker);
        for (const Step& step : kSession) {
          for (const auto& session : workers[worker]) {
            session->Thread().PostBytes(step.message);
            session->Terminal().ExecuteBackground();
          }
        }
        for (const auto& session : workers[worker]) {
          session->Thread().PostBytes({'&'});
          session->Terminal().ExecuteBackground();
        }
      });
    }
  }
  ExpectSessionsDone(site, workers);
}

// The application posts every message from its own thread while the workers
// wait for work, then stops each terminal once its messages are handled.
TEST(TerminalConcurrencyTest, MessagesPostedFromAnotherThreadAndStopRequests) {
  const Site site;
  std::vector<Sessions> workers(kWorkers);
  for (int worker = 0; worker < kWorkers; ++worker) workers[worker] = OpenSessions(site, worker);
  {
    std::vector<std::jthread> threads;
    for (int worker = 0; worker < kWorkers; ++worker) {
      threads.emplace_back([&sessions = workers[worker]] {
        for (bool running = true; running;) {
          running = false;
          for (const auto& session : sessions) {
            if (session->Thread().Stopped()) continue;
            running = true;
            if (session->Thread().WaitForMessage(std::chrono::milliseconds(0))) {
              session->Terminal().ExecuteBackground();
            }
          }
          std::this_thread::yield();
        }
      });
    }
    for (const Step& step : kSession) {
      for (const Sessions& sessions : workers) {
        for (const auto& session : sessions) session->Thread().PostBytes(step.message);
      }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (const Sessions& sessions : workers) {
      for (const auto& session : sessions) {
        // A stop overtakes queued messages: ask for it once they are handled.
        while (session->Thread().EndedMessages() < static_cast<int64_t>(kSession.size()) &&
               std::chrono::steady_clock::now() < deadline) {
          std::this_thread::yield();
        }
        session->Thread().RequestStop();
        EXPECT_TRUE(session->Thread().WaitUntilStopped(std::chrono::seconds(10)));
      }
    }
  }
  ExpectSessionsDone(site, workers);
}

}  // namespace
}  // namespace carrowin
