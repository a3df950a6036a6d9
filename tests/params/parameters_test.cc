#include "carrowin/params/parameters.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "carrowin/host/error.h"
#include "carrowin/host/memory_process_trace.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;

class ParametersTest : public ::testing::Test {
 protected:
  ParametersTest() : parameters(Factories()) { parameters.Initialize(trace); }

  HostFactories Factories() {
    HostFactories f;
    f.processTrace = [t = ownTrace] { return t; };
    return f;
  }

  /// A parameter-query reply: "12!" then the parameter bytes, which start
  /// at index 3.
  static Bytes Reply(std::string_view parameterBytes) {
    Bytes data{'1', '2', '!'};
    data.insert(data.end(), parameterBytes.begin(), parameterBytes.end());
    return data;
  }

  std::shared_ptr<MemoryProcessTrace> ownTrace = std::make_shared<MemoryProcessTrace>();
  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
  Parameters parameters;
};

TEST_F(ParametersTest, FreshObjectHasTheVirtualScreenOnly) {
  const Parameters fresh;
  EXPECT_EQ(fresh.VirtualColumns(), 80);
  EXPECT_EQ(fresh.VirtualRows(), 24);
  for (int16_t value :
       {fresh.Application(), fresh.Columns(), fresh.Config(), fresh.Features(), fresh.MaxField(),
        fresh.Model(), fresh.Rows(), fresh.SavedPages(), fresh.Version()}) {
    EXPECT_EQ(value, 0);
  }
  EXPECT_EQ(fresh.LanguageID(), u"");
}

TEST_F(ParametersTest, InitializeTracesOnTheTerminalsTrace) {
  EXPECT_TRUE(trace->HasLine(3, u"Initialize", u"Trace created"));
  EXPECT_THAT(ownTrace->Records(), testing::IsEmpty());
  try {
    parameters.Initialize(nullptr);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kObjectNotSet);
  }
}

TEST_F(ParametersTest, DecodesTheReplyAndTracesIt) {
  parameters.LoadData(Reply("8310PL20"), 3);
  EXPECT_EQ(parameters.Model(), 8);
  EXPECT_EQ(parameters.Version(), 3);
  EXPECT_EQ(parameters.Features(), 1);
  EXPECT_EQ(parameters.Config(), 0);
  EXPECT_EQ(parameters.VirtualColumns(), 64);
  EXPECT_EQ(parameters.Columns(), 64);
  EXPECT_EQ(parameters.VirtualRows(), 24);
  EXPECT_EQ(parameters.Rows(), 24);
  EXPECT_EQ(parameters.MaxField(), 48);
  EXPECT_EQ(parameters.SavedPages(), 2);
  EXPECT_EQ(parameters.Application(), 0);
  EXPECT_TRUE(trace->HasLine(2, u"LoadData",
                             u"Loading Terminal Parameters: \r\n Model '8'\r\n Version '3'"
                             u"\r\n Features '1'\r\n Config '0'\r\n Columns '64'\r\n Rows '24'"
                             u"\r\n MaxField '48'\r\n SavedPages '2'\r\n Application '0'"));
}

TEST_F(ParametersTest, SettingsSizesStayAndVirtualSizesFollowTheReply) {
  parameters.SetColumns(40);
  parameters.SetRows(16);
  parameters.LoadData(Reply("8310hL20"), 3);  // "h" decodes to 56
  EXPECT_EQ(parameters.Columns(), 40);
  EXPECT_EQ(parameters.VirtualColumns(), 112);
  EXPECT_EQ(parameters.Rows(), 16);
  EXPECT_EQ(parameters.VirtualRows(), 24);
}

TEST_F(ParametersTest, BytesBelowZeroDecodeToMinusOne) {
  struct Case {
    const char* reply;
    int16_t virtualColumns;
    int16_t virtualRows;
    int16_t maxField;
    int16_t model;
  };
  const Case cases[] = {
      {"8310 L20", -2, 24, 48, 8},
      {"8310P 20", 64, 30, 272, 8},
      {"8310P020", 64, 0, 32, 8},
      {"/310P020", 64, 0, 32, -1},
  };
  for (const Case& c : cases) {
    Parameters fresh;
    fresh.LoadData(Reply(c.reply), 3);
    EXPECT_EQ(fresh.VirtualColumns(), c.virtualColumns) << c.reply;
    EXPECT_EQ(fresh.VirtualRows(), c.virtualRows) << c.reply;
    EXPECT_EQ(fresh.MaxField(), c.maxField) << c.reply;
    EXPECT_EQ(fresh.Model(), c.model) << c.reply;
  }
}

TEST_F(ParametersTest, ShortReplyFailsAtTheFirstMissingByte) {
  parameters.LoadData(Reply("8310PL20"), 3);
  parameters.SetRows(0);
  trace->Clear();
  try {
    parameters.LoadData(Reply("91234"), 3);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kSubscriptOutOfRange);
    EXPECT_EQ(e.Description(), u"Subscript out of range");
  }
  EXPECT_EQ(parameters.Model(), 9);
  EXPECT_EQ(parameters.Version(), 1);
  EXPECT_EQ(parameters.Features(), 2);
  EXPECT_EQ(parameters.Config(), 3);
  EXPECT_EQ(parameters.VirtualColumns(), 8);
  EXPECT_EQ(parameters.Columns(), 64);
  // From byte 5 on the earlier reply's values remain.
  EXPECT_EQ(parameters.Rows(), 0);
  EXPECT_EQ(parameters.VirtualRows(), 24);
  EXPECT_EQ(parameters.MaxField(), 48);
  EXPECT_EQ(parameters.SavedPages(), 2);
  EXPECT_EQ(parameters.Application(), 0);
  EXPECT_THAT(trace->Records(), testing::IsEmpty());
}

TEST_F(ParametersTest, PositionOutsideTheMessageReadsNothing) {
  for (int32_t position : {-1, 11, 12, INT32_MAX, INT32_MIN}) {
    Parameters fresh;
    EXPECT_THROW(fresh.LoadData(Reply("8310PL20"), position), Error) << position;
    EXPECT_EQ(fresh.Model(), 0) << position;
  }
  Parameters empty;
  EXPECT_THROW(empty.LoadData({}, 0), Error);
}

TEST_F(ParametersTest, SizeLetsFillAVirtualSizeOfZero) {
  parameters.SetColumns(40);
  EXPECT_EQ(parameters.VirtualColumns(), 80);
  parameters.LoadData(Reply("83100020"), 3);
  parameters.SetColumns(20);
  parameters.SetRows(8);
  EXPECT_EQ(parameters.VirtualColumns(), 20);
  EXPECT_EQ(parameters.VirtualRows(), 8);
  parameters.SetLanguageID(u"DE");
  EXPECT_EQ(parameters.LanguageID(), u"DE");
}

}  // namespace
}  // namespace carrowin
