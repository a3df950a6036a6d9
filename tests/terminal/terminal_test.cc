#include <gmock/gmock.h>

#include <algorithm>
#include <stdexcept>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin::testing_support {
namespace {

using ::testing::MatchesRegex;

// A settings record whose Load fails, for the failure handling of Initialize.
class FailingLoadSettings : public MemoryObjectSettings {
 public:
  using MemoryObjectSettings::MemoryObjectSettings;
  // Not a library error: the handler must report whatever is thrown.
  void Load(std::u16string_view) override {
    throw std::runtime_error("The settings store is unreachable");
  }
};

class TerminalTest : public TerminalFixture {
 protected:
  std::shared_ptr<Terminal> Fresh(HostFactories factories) {
    auto fresh = Terminal::Create(std::move(factories));
    fresh->Initialize(std::make_shared<InProcessConnection>(sender), u"T2");
    return fresh;
  }
};

TEST_F(TerminalTest, EmptyRecordGivesEveryDefault) {
  std::shared_ptr<MemoryObjectSettings> settings;
  HostFactories factories = Factories();
  factories.objectSettings = [&] {
    return settings = std::make_shared<MemoryObjectSettings>(store);
  };
  const auto fresh = Fresh(factories);

  EXPECT_EQ(fresh->TerminalID(), 0);
  EXPECT_EQ(fresh->Name(), u"T2");
  EXPECT_EQ(fresh->Parameters()->Rows(), 10);
  EXPECT_EQ(fresh->Parameters()->Columns(), 26);
  EXPECT_EQ(fresh->Parameters()->LanguageID(), u"EN");
  EXPECT_EQ(fresh->Drel()->Codepage(), 0);
  EXPECT_EQ(fresh->Drel()->PrinterCodepage(), 0);
  EXPECT_FALSE(fresh->Drel()->HandleHebrewDisplay());
  EXPECT_EQ(fresh->Drel()->PrinterPortPassPacketSize(), 32);
  EXPECT_EQ(settings->DateCreated(), u"");
  EXPECT_EQ(fresh->CurrentPageNumber(), -1);
  EXPECT_EQ(fresh->Pages()->Count(), 0);
}

TEST_F(TerminalTest, ReadsTheRecordAndTracesTheInitialisingThread) {
  store->SetSetting(u"Terminal", u"T2", u"TerminalId", Variant(u"12"));
  store->SetSetting(u"Terminal", u"T2", u"Rows", Variant(16.0));
  store->SetSetting(u"Terminal", u"T2", u"Codepage", Variant(int32_t{1252}));
  store->SetSetting(u"Terminal", u"T2", u"zvkPrinterPortPassPacketSize", Variant(int32_t{64}));
  store->SetName(u"Terminal", u"T2", u"Dock door 2");
  const auto fresh = Fresh(Factories());

  EXPECT_EQ(fresh->TerminalID(), 12);
  EXPECT_EQ(fresh->Name(), u"Dock door 2");
  EXPECT_EQ(fresh->Parameters()->Rows(), 16);
  EXPECT_EQ(fresh->Drel()->Codepage(), 1252);
  EXPECT_EQ(fresh->Drel()->PrinterPortPassPacketSize(), 64);
  fresh->Bell();
  fresh->Drel()->SendData();
  EXPECT_EQ(sender->Messages().back(), (std::vector<uint8_t>{'1', '2', 'H', '#'}));
  const auto records = trace->Records();
  const auto threadLine = std::find_if(records.rbegin(), records.rend(), [](const auto& record) {
    return record.level == 2 && record.procedure == u"Initialize";
  });
  ASSERT_NE(threadLine, records.rend());
  EXPECT_THAT(ToUtf8(threadLine->message),
              MatchesRegex("Initializing objects in main thread: [0-9]+"));
}

TEST_F(TerminalTest, SecondInitializeReplacesEveryChildAndRereads) {
  const auto pages = terminal->Pages();
  const auto drel = terminal->Drel();
  const auto parameters = terminal->Parameters();
  pages->Add(u"Main");
  store->SetSetting(u"Terminal", u"T1", u"TerminalId", Variant(int32_t{9}));
  terminal->Initialize(std::make_shared<InProcessConnection>(sender), u"T1");

  EXPECT_NE(terminal->Pages(), pages);
  EXPECT_NE(terminal->Drel(), drel);
  EXPECT_NE(terminal->Parameters(), parameters);
  EXPECT_EQ(terminal->Pages()->Count(), 0);
  EXPECT_EQ(terminal->TerminalID(), 9);
  EXPECT_EQ(pages->Terminal(), terminal) << "the old pages are dropped, not terminated";
}

TEST_F(TerminalTest, FailingStepIsReportedAndLeavesTheLaterChildrenUnmade) {
  HostFactories factories = Factories();
  factories.objectSettings = [s = store] { return std::make_shared<FailingLoadSettings>(s); };
  auto fresh = Terminal::Create(factories);
  const Error error =
      RaisedBy([&] { fresh->Initialize(std::make_shared<InProcessConnection>(sender), u"T2"); });

  EXPECT_EQ(error.Number(), 440);
  EXPECT_EQ(error.Description(), u"The settings store is unreachable");
  ASSERT_FALSE(trace->Errors().empty());
  EXPECT_EQ(trace->Errors().back().procedure, u"Initialize");
  EXPECT_NE(fresh->Parameters(), nullptr);
  EXPECT_EQ(fresh->Pages(), nullptr);
  EXPECT_EQ(fresh->Drel(), nullptr);
  ExpectError([&] { fresh->Bell(); }, 91, u"The terminal is not initialised");
  ExpectError([&] { (*fresh)[u"Main"]; }, 91, u"The terminal is not initialised");
}

TEST_F(TerminalTest, TerminateTwiceNeverRaisesAndDetachesTheTree) {
  const auto page = terminal->Pages()->Add(u"Main");
  const auto field = page->Fields()->AddEntry(1, u"Qty", 1, 1, 4);
  terminal->Terminate();
  terminal->Terminate();

  EXPECT_EQ(terminal->Connection(), nullptr);
  EXPECT_EQ(page->Terminal(), nullptr);
  EXPECT_EQ(field->Page(), nullptr);
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

TEST_F(TerminalTest, PagesIsTheDefaultMember) {
  const auto page = terminal->Pages()->Add(u"Main");
  EXPECT_EQ((*terminal)[u"MAIN"], page);
  EXPECT_EQ((*terminal)[int32_t{1}], page);
  EXPECT_EQ((*terminal)[u"Other"], nullptr);
}

}  // namespace
}  // namespace carrowin::testing_support
