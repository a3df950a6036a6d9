#include "carrowin/sim/sim_field.h"

#include "carrowin/screen/field_enumerations.h"

namespace carrowin {

bool SimField::IsEntry() const { return (style & StyleTypeMask) == StyleEntry; }

int32_t SimField::Capacity() const { return bufferSize >= 0 ? bufferSize : displayLength; }

}  // namespace carrowin
