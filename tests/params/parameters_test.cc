#include "carrowin/params/parameters.h"

#include <gtest/gtest.h>

#include "carrowin/host/memory_process_trace.h"
#include "support/expect_error.h"
#include "support/hollow_trace.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using testing_support::HollowTrace;
using testing_support::RaisedBy;
using Values = std::vector<int16_t>;

/// Loads `reply`, a parameter-query reply whose parameter bytes follow "!".
void Load(Parameters& parameters, std::string_view reply, int32_t position = 3) {
  parameters.LoadData(std::vector<uint8_t>(reply.begin(), reply.end()), position);
}

/// Model, Version, Features, Config, VirtualColumns, Columns, VirtualRows,
/// Rows, MaxField, SavedPages, Application.
Values ValuesOf(const Parameters& p) {
  return {p.Model(),          p.Version(),    p.Features(),    p.Config(),
          p.VirtualColumns(), p.Columns(),    p.VirtualRows(), p.Rows(),
          p.MaxField(),       p.SavedPages(), p.Application()};
}

TEST(Parameters, DecodesTheReply) {
  Parameters parameters;
  // A byte below "0" decodes to -1, masked in two's complement for the sizes.
  Load(parameters, "12!8310P 20");
  EXPECT_EQ(ValuesOf(parameters), Values({8, 3, 1, 0, 64, 64, 30, 30, 272, 2, 0}));
}

TEST(Parameters, KeepsTheSizeSettingsTracesAndStopsWhereTheReplyEnds) {
  const auto trace = std::make_shared<MemoryProcessTrace>();
  Parameters parameters;
  parameters.Initialize(trace);
  parameters.SetColumns(40);
  parameters.SetRows(16);
  Load(parameters, "12!83100020");
  EXPECT_TRUE(trace->HasLine(2, u"LoadData",
                             u"Loading Terminal Parameters: \r\n Model '8'\r\n Version '3'"
                             u"\r\n Features '1'\r\n Config '0'\r\n Columns '40'\r\n Rows '16'"
                             u"\r\n MaxField '32'\r\n SavedPages '2'\r\n Application '0'"));
  // A reply that ends early fails at its first missing byte, the values
  // before it stored.
  ExpectError([&] { Load(parameters, "12!9"); }, errors::kSubscriptOutOfRange,
              u"Subscript out of range");
  // A size setting fills a virtual size of 0.
  parameters.SetColumns(20);
  parameters.SetRows(8);
  EXPECT_EQ(ValuesOf(parameters), Values({9, 3, 1, 0, 20, 20, 8, 8, 32, 2, 0}));
  EXPECT_EQ(RaisedBy([&] { parameters.Initialize(nullptr); }).Number(), errors::kObjectNotSet);
  // A trace that hands back nothing is refused, and the old binding stays.
  ExpectError([&] { parameters.Initialize(std::make_shared<HollowTrace>(false)); },
              errors::kObjectNotSet, u"The trace writer of Parameters gave no error reporter");
  EXPECT_NE(parameters.GetErrorReporter(), nullptr);
  // Nor is a process trace that gives no trace writer.
  const HostFactories hollow{[] { return std::make_shared<HollowTrace>(true); }, {}, {}, {}};
  EXPECT_EQ(RaisedBy([&] { Parameters made(hollow); }).Number(), errors::kObjectNotSet);
}

}  // namespace
}  // namespace carrowin
