// The terminal's reply to a parameter query: eight small numbers in an
// inbound message, read from a position the caller computed from the
// message's framing. Input: one byte, a signed position; then the message.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/host/host_factories.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/params/parameters.h"
#include "carrowin/wire/wire_encoding.h"
#include "support/fuzz_input.h"
#include "support/invariant.h"

namespace carrowin::fuzzing {
namespace {

constexpr int32_t kReplyLength = 8;

// Model, Version, Features, Config, VirtualColumns, VirtualRows, SavedPages,
// Application: one value per reply byte, in reply order.
std::array<int32_t, kReplyLength> ValuesOf(const Parameters& p) {
  return {p.Model(),          p.Version(),     p.Features(),   p.Config(),
          p.VirtualColumns(), p.VirtualRows(), p.SavedPages(), p.Application()};
}

void LoadReply(const std::vector<uint8_t>& message, int32_t position) {
  const auto trace = std::make_shared<MemoryProcessTrace>();
  HostFactories factories;
  factories.processTrace = [&trace] { return trace; };
  Parameters parameters(factories);
  const auto before = ValuesOf(parameters);
  const size_t linesBefore = trace->Records().size();

  const int64_t available =
      position < 0 ? 0 : std::max<int64_t>(0, static_cast<int64_t>(message.size()) - position);
  bool loaded = true;
  try {
    parameters.LoadData(message, position);
  } catch (const Error& error) {
    Check(error.Number() == errors::kSubscriptOutOfRange, "a short reply raises error 9");
    loaded = false;
  }
  Check(loaded == (available >= kReplyLength), "a reply loads exactly when its eight bytes exist");
  Check(trace->Records().size() == linesBefore + (loaded ? 1 : 0),
        "a loaded reply is traced once, a refused one not at all");

  // Each byte present is decoded and stored before the first missing one
  // stops the load; the values after it keep what they were.
  const auto after = ValuesOf(parameters);
  for (int32_t i = 0; i < kReplyLength; ++i) {
    if (i >= available) {
      Check(after[i] == before[i], "a value whose byte is missing keeps its old value");
      continue;
    }
    const int32_t number = DecodeSmallNumber(message[static_cast<size_t>(position + i)]);
    switch (i) {
      case 4:
        Check(after[i] == 2 * number, "the virtual columns are twice the byte's number");
        Check(parameters.Columns() == after[i], "unset columns follow the virtual columns");
        break;
      case 5:
        // Half the rows in the low nibble, field steps of 16 in the high one.
        Check(after[i] % 2 == 0 && after[i] >= 0 && after[i] <= 30, "rows are 0 to 30, even");
        Check(parameters.Rows() == after[i], "unset rows follow the virtual rows");
        Check(parameters.MaxField() >= 32 && parameters.MaxField() <= 32 + 0xF0 &&
                  parameters.MaxField() % 16 == 0,
              "the field capacity is 32 plus steps of 16");
        break;
      default:
        Check(after[i] == number, "the value is the byte's small number");
    }
  }
}

}  // namespace
}  // namespace carrowin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  carrowin::fuzzing::FuzzInput input(data, size);
  const int32_t position = static_cast<int8_t>(input.TakeByte());
  const auto message = input.TakeRest();
  carrowin::fuzzing::LoadReply(std::vector<uint8_t>(message.begin(), message.end()), position);
  return 0;
}
