#include "terminal_replies.h"

namespace carrowin {

std::vector<uint8_t> ParameterReply(const SimOptions& options) {
  ReplyBuilder reply('R');
  reply.Byte('!')
      .Number(options.model)
      .Number(options.version)
      .Number(options.features)
      .Number(options.config)
      .Number(options.virtualColumns / 2)
      // Half the rows in the low nibble, the fields above 32 in steps of 16
      // in the high one.
      .Number((options.maxField - 32) / 16 * 16 + options.virtualRows / 2)
      .Number(options.savedPages)
      .Number(options.application);
  return reply.Take();
}

std::vector<uint8_t> ReadReply(SimState& state, const SimOptions& options) {
  ReplyBuilder reply('R');
  AppendChangedFields(state, options, reply);
  return reply.Take();
}

void AppendChangedFields(SimState& state, const SimOptions& options, ReplyBuilder& reply) {
  const auto screen = state.pages.find(state.displayedPage);
  if (screen == state.pages.end()) return;
  for (auto& [number, field] : screen->second.fields) {
    if (!field.modified) continue;
    reply.Byte('=').Number(number).Text(options.codePage, field.data);
    field.modified = false;
  }
}

}  // namespace carrowin
