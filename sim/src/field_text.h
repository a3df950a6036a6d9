#pragma once

#include <string>

#include "carrowin/sim/sim_field.h"

namespace carrowin {

/// The characters a field shows: its data, at most its display length; a
/// no-echo field's as "*".
std::u16string FieldText(const SimField& field);

}  // namespace carrowin
