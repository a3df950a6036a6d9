#pragma once

#include <cstdint>
#include <map>

#include "carrowin/sim/sim_field.h"

namespace carrowin {

/// One page of the virtual terminal: its fields by field number. The
/// terminal keeps every page it was sent, so a saved page comes back with
/// its fields when it is displayed again.
struct SimPage {
  int32_t number = 0;
  std::map<int32_t, SimField> fields;

  /// The field of this number, or nullptr.
  const SimField* Find(int32_t fieldNumber) const;
  SimField* Find(int32_t fieldNumber);
  /// The first entry field after `fieldNumber` (in field number order,
  /// starting again at the lowest), or nullptr when the page has none.
  const SimField* NextEntry(int32_t fieldNumber) const;
};

}  // namespace carrowin
