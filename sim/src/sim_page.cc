#include "carrowin/sim/sim_page.h"

namespace carrowin {

const SimField* SimPage::Find(int32_t fieldNumber) const {
  const auto found = fields.find(fieldNumber);
  return found == fields.end() ? nullptr : &found->second;
}

SimField* SimPage::Find(int32_t fieldNumber) {
  const auto found = fields.find(fieldNumber);
  return found == fields.end() ? nullptr : &found->second;
}

const SimField* SimPage::NextEntry(int32_t fieldNumber) const {
  for (auto it = fields.upper_bound(fieldNumber); it != fields.end(); ++it) {
    if (it->second.IsEntry()) return &it->second;
  }
  for (const auto& [number, field] : fields) {
    if (field.IsEntry()) return &field;
  }
  return nullptr;
}

}  // namespace carrowin
