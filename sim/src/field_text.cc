#include "field_text.h"

#include <algorithm>

#include "carrowin/screen/field_enumerations.h"

namespace carrowin {

std::u16string FieldText(const SimField& field) {
  std::u16string shown =
      field.data.substr(0, static_cast<size_t>(std::max(field.displayLength, 0)));
  if ((field.style & StyleNoEcho) != 0) shown.assign(shown.size(), u'*');
  return shown;
}

}  // namespace carrowin
