#include "carrowin/host/callback_message_sender.h"

#include <utility>

#include "carrowin/automation/error.h"

namespace carrowin {

CallbackMessageSender::CallbackMessageSender(Callback callback) : callback_(std::move(callback)) {
  if (!callback_) {
    RaiseError(errors::kInvalidProcedureCall, u"MessageSender", u"The message callback is empty");
  }
}

void CallbackMessageSender::Send(std::span<const uint8_t> message) { callback_(message); }

}  // namespace carrowin
