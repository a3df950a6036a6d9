#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "carrowin/host/error.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "support/drel_fixture.h"

namespace carrowin::testing_support {

/// Expects `call` to raise the error `number` with exactly `description`.
inline void ExpectError(const std::function<void()>& call, int32_t number,
                        std::u16string_view description) {
  try {
    call();
    ADD_FAILURE() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), number);
    EXPECT_EQ(e.Description(), description);
  }
}

/// A `DrelFixture` with the helpers the command tests share: filling the
/// current message to a length, counting sent messages and reading out a
/// caller's command list.
class CommandFixture : public DrelFixture {
 protected:
  using Bytes = std::vector<uint8_t>;

  /// Starts a fresh message and pads it with "x" to `length` bytes in all.
  void FillTo(int32_t length) {
    drel.StartMessage(kTerminal, 'H');
    drel.OutBufPut(length - drel.OutBufLen(), Bytes(static_cast<size_t>(length), 'x'));
  }

  size_t MessagesSent() const { return sender->Messages().size(); }

  /// The bytes a caller's buffer holds, read out of it.
  static Bytes Drain(CircBuffer& buffer) {
    Bytes bytes(static_cast<size_t>(buffer.Length()));
    buffer.Get(buffer.Length(), bytes);
    return bytes;
  }

  /// A command list the caller builds, for the GetDrel forms.
  GrowingCircBuffer list;
};

}  // namespace carrowin::testing_support
