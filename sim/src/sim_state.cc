#include "carrowin/sim/sim_state.h"

#include <utility>

namespace carrowin {

void SimState::Restart() {
  SimState restarted;
  restarted.attached = attached;
  restarted.attaches = attaches;
  restarted.detaches = detaches;
  restarted.aborts = aborts;
  restarted.statusRequests = statusRequests;
  restarted.messages = messages;
  restarted.protocolErrors = std::move(protocolErrors);
  *this = std::move(restarted);
}

SimPage& SimState::SelectedPage() {
  SimPage& page = pages[selectedPage];
  page.number = selectedPage;
  return page;
}

const SimPage* SimState::DisplayedPage() const {
  const auto found = pages.find(displayedPage);
  return found == pages.end() ? nullptr : &found->second;
}

const SimField* SimState::InputField() const {
  const SimPage* screen = DisplayedPage();
  if (!openField || screen == nullptr) return nullptr;
  if (*openField >= 0) {
    const SimField* field = screen->Find(*openField);
    return field != nullptr && field->IsEntry() ? field : nullptr;
  }
  return screen->NextEntry(-1);
}

}  // namespace carrowin
