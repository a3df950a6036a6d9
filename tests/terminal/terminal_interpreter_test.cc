#include <string>
#include <vector>

#include "terminal/terminal_cycle_fixture.h"

namespace carrowin::testing_support {
namespace {

// Records what the terminal asks of it; replaces the settings record when
// given one to hand over.
class RecordingInterpreter : public TransactionInterpreter {
 public:
  void Initialize(const std::shared_ptr<Terminal>& terminal,
                  std::shared_ptr<ObjectSettings>& settings) override {
    calls.push_back("Initialize");
    initializedWith = terminal;
    if (replacement) settings = replacement;
  }
  Variant LoadTransactionSet(std::u16string_view name) override {
    calls.push_back("Load " + ToUtf8(name));
    return Variant(false);
  }

  std::vector<std::string> calls;
  std::weak_ptr<Terminal> initializedWith;
  std::shared_ptr<ObjectSettings> replacement;
};

class TerminalInterpreter : public TerminalCycleFixture {
 protected:
  TerminalInterpreter() {
    ObjectFactoryRegistry::Process().Register(TransactionInterpreter::kProgID,
                                              [i = interpreter] { return i; });
  }
  ~TerminalInterpreter() override {
    ObjectFactoryRegistry::Process().Unregister(TransactionInterpreter::kProgID);
  }

  std::shared_ptr<RecordingInterpreter> interpreter = std::make_shared<RecordingInterpreter>();
};

TEST_F(TerminalInterpreter, LoadsTheTransactionSetOfItsRecordAndReportsFailures) {
  terminal->Pages()->Add(u"Main")->Display(u"");
  Cycle("RF52");  // a page event first: the application had the terminal
  ASSERT_TRUE(thread->ApplicationMode());
  Cycle("i");
  EXPECT_EQ(interpreter->calls, std::vector<std::string>{"Initialize"});
  EXPECT_EQ(interpreter->initializedWith.lock(), terminal);
  EXPECT_FALSE(thread->ApplicationMode());

  // Handed another record, it loads that record's transaction set.
  interpreter->calls.clear();
  auto replacement = std::make_shared<MemoryObjectSettings>(store);
  replacement->SetObjectType(u"Terminal");
  replacement->Load(u"Other");
  replacement->SetSetting(u"TransactionSet", Variant(u"Picking"));
  interpreter->replacement = replacement;
  Cycle("i");
  EXPECT_EQ(interpreter->calls, (std::vector<std::string>{"Initialize", "Load Picking"}));
  ASSERT_EQ(trace->Errors().size(), 1u);
  EXPECT_EQ(trace->Errors()[0].reportedNumber, 6001);
  EXPECT_EQ(trace->Errors()[0].description,
            u"Could Not Create TransactionSet 'Picking.TransactionSet'");

  ObjectFactoryRegistry::Process().Unregister(TransactionInterpreter::kProgID);
  Cycle("i");
  ASSERT_EQ(trace->Errors().size(), 2u);
  EXPECT_EQ(trace->Errors()[1].reportedNumber, 6004);
  EXPECT_EQ(trace->Errors()[1].description, u"Unable to Execute Initialize Method For Interpreter");
}

}  // namespace
}  // namespace carrowin::testing_support
