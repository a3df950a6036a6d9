#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "carrowin/automation/error.h"

namespace carrowin {

/// An automation event: handlers connected by the application, called one
/// after the other, in the order they were connected, by `Raise`. Arguments
/// declared as references reach every handler as the raiser's own variables,
/// so a handler can change them for the raiser and for the handlers after it
/// (`Event<int32_t&, std::u16string&>`).
///
/// Handlers may connect and disconnect handlers, themselves included, while
/// the event is being raised: a raise calls the handlers connected when it
/// began, minus those disconnected meanwhile. A handler's exception ends the
/// raise and reaches the raiser. Not thread-safe, like the objects that own
/// events.
template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;
  /// Identifies one connection; 0 is never handed out.
  using Token = uint64_t;

  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  Event(Event&&) noexcept = default;
  Event& operator=(Event&&) noexcept = default;

  /// Connects a handler; an empty one raises 5.
  Token Connect(Handler handler) {
    if (!handler)
      RaiseError(errors::kInvalidProcedureCall, u"Event", u"The event handler is empty");
    connections_.push_back(
        std::make_shared<Connection>(Connection{++lastToken_, std::move(handler)}));
    return lastToken_;
  }

  /// Disconnects a handler; false when the token is not connected.
  bool Disconnect(Token token) {
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
      if ((*it)->token == token) {
        (*it)->connected = false;
        connections_.erase(it);
        return true;
      }
    }
    return false;
  }

  void Raise(Args... args) const {
    // The copy keeps each handler alive while it runs, even when it
    // disconnects itself or the owner of the event goes away meanwhile.
    const std::vector<std::shared_ptr<Connection>> snapshot = connections_;
    for (const auto& connection : snapshot) {
      if (connection->connected) connection->handler(args...);
    }
  }

  int32_t HandlerCount() const noexcept { return static_cast<int32_t>(connections_.size()); }

 private:
  struct Connection {
    Token token;
    Handler handler;
    bool connected = true;
  };

  std::vector<std::shared_ptr<Connection>> connections_;
  Token lastToken_ = 0;
};

}  // namespace carrowin
