#include "carrowin/host/in_process_connection.h"

#include <utility>

#include "carrowin/automation/error.h"
#include "required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kSource = u"Connection";
}  // namespace

InProcessConnection::InProcessConnection(std::shared_ptr<MessageSender> sender,
                                         int32_t outputBufferSize)
    : sender_(RequireObject(std::move(sender), kSource, u"The connection has no message sender")),
      outputBufferSize_(outputBufferSize) {
  if (outputBufferSize_ < 0) {
    RaiseError(errors::kInvalidProcedureCall, kSource, u"The output buffer size is negative");
  }
}

std::shared_ptr<MessageSender> InProcessConnection::Sender() { return sender_; }

int32_t InProcessConnection::OutputBufferSize() { return outputBufferSize_; }

}  // namespace carrowin
