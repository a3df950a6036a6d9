#include <stdexcept>
#include <string>
#include <vector>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin::testing_support {
namespace {

// A settings record whose Load fails, for the failure handling of Initialize.
class FailingLoadSettings : public MemoryObjectSettings {
 public:
  using MemoryObjectSettings::MemoryObjectSettings;
  // Not a library error: the handler must report whatever is thrown.
  void Load(std::u16string_view) override {
    throw std::runtime_error("The settings store is unreachable");
  }
};

using TerminalTest = TerminalFixture;

TEST_F(TerminalTest, ReadsTheRecordOrGivesTheDefaults) {
  store->SetSetting(u"Terminal", u"T2", u"TerminalId", Variant(u"12"));
  store->SetSetting(u"Terminal", u"T2", u"Rows", Variant(16.0));
  store->SetName(u"Terminal", u"T2", u"Dock door 2");
  for (const std::u16string record : {u"T2", u"T3"}) {
    const bool known = record == u"T2";
    const auto fresh = Terminal::Create(Factories());
    fresh->Initialize(std::make_shared<InProcessConnection>(sender), record);
    EXPECT_EQ(fresh->TerminalID(), known ? 12 : 0);
    EXPECT_EQ(fresh->Name(), known ? u"Dock door 2" : u"T3");
    EXPECT_EQ(fresh->Parameters()->Rows(), known ? 16 : 10);
    EXPECT_EQ(fresh->Drel()->PrinterPortPassPacketSize(), 32);
    fresh->Bell();
    fresh->Drel()->SendData();
    EXPECT_EQ(TakeMessages().back(), std::to_string(fresh->TerminalID()) + "H#");
  }
}

TEST_F(TerminalTest, SecondInitializeReplacesEveryChildAndRereads) {
  const auto pages = terminal->Pages();
  pages->Add(u"Main");
  store->SetSetting(u"Terminal", u"T1", u"TerminalId", Variant(int32_t{9}));
  terminal->Initialize(std::make_shared<InProcessConnection>(sender), u"T1");
  EXPECT_EQ(terminal->Pages()->Count(), 0);
  EXPECT_EQ(terminal->TerminalID(), 9);
  EXPECT_EQ(pages->Terminal(), terminal) << "the old pages are dropped, not terminated";
}

TEST_F(TerminalTest, FailingStepIsReportedAndLeavesTheLaterChildrenUnmade) {
  HostFactories factories = Factories();
  factories.objectSettings = [s = store] { return std::make_shared<FailingLoadSettings>(s); };
  auto fresh = Terminal::Create(factories);
  ExpectError([&] { fresh->Initialize(std::make_shared<InProcessConnection>(sender), u"T2"); }, 440,
              u"The settings store is unreachable");
  EXPECT_EQ(trace->Errors().back().procedure, u"Initialize");
  EXPECT_EQ(fresh->Pages(), nullptr);
  ExpectError([&] { fresh->Bell(); }, 91, u"The terminal is not initialised");
  ExpectError([&] { (*fresh)[u"Main"]; }, 91, u"The terminal is not initialised");
}

TEST_F(TerminalTest, TerminateTwiceNeverRaisesAndDetachesTheTree) {
  const auto page = terminal->Pages()->Add(u"Main");
  const auto field = page->Fields()->AddEntry(1, u"Qty", 1, 1, 4);
  terminal->Terminate();
  terminal->Terminate();
  EXPECT_EQ(page->Terminal(), nullptr);
  EXPECT_EQ(RaisedBy([&] { page->Display(u""); }).Number(), 91);
  EXPECT_EQ(RaisedBy([&] { field->SetData(u"5"); }).Number(), 91);
  EXPECT_EQ(field->RawData(), u"5") << "the value is stored before anything can fail";
  EXPECT_EQ(RaisedBy([&] { page->Fields()->AddText(2, u"X", 1, 1, u"x"); }).Number(), 91);
}

TEST_F(TerminalTest, DroppingTheTerminalFreesItsTreeWithoutTerminate) {
  const std::weak_ptr<Terminal> weakTerminal = terminal;
  auto page = terminal->Pages()->Add(u"Main");
  const std::weak_ptr<Field> weakField = page->Fields()->AddEntry(1, u"Qty", 1, 1, 4);
  terminal.reset();
  EXPECT_TRUE(weakTerminal.expired());
  ExpectError([&] { page->StartEntry(u"Qty"); }, 91, u"The page has no terminal");
  page.reset();
  EXPECT_TRUE(weakField.expired());
}

TEST_F(TerminalTest, PagesIsTheDefaultMemberFoundByNameInAnyCaseOrByPosition) {
  const auto page = terminal->Pages()->Add(u"Main");
  EXPECT_EQ((*terminal)[u"MAIN"], page);
  EXPECT_EQ((*terminal)[int32_t{1}], page);
  EXPECT_EQ((*terminal)[int32_t{0}], nullptr);
  EXPECT_EQ((*terminal)[u"Other"], nullptr);
}

}  // namespace
}  // namespace carrowin::testing_support
