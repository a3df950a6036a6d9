#include "carrowin/automation/key_folding.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <cstdint>
#include <limits>

#include "carrowin/automation/error.h"

namespace carrowin {

std::u16string FoldKey(std::u16string_view key) {
  if (key.empty()) return {};
  if (key.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    RaiseError(errors::kOverflow, u"FoldKey");
  }
  const auto length = static_cast<int32_t>(key.size());
  // Folding rarely changes the length; when it grows (ß -> ss) ICU reports the
  // size it needs and the second attempt gets exactly that.
  std::u16string folded(key.size(), u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t needed = u_strFoldCase(folded.data(), static_cast<int32_t>(folded.size()),
                                         key.data(), length, U_FOLD_CASE_DEFAULT, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      folded.assign(static_cast<size_t>(needed), u'\0');
      continue;
    }
    if (U_FAILURE(status)) break;
    folded.resize(static_cast<size_t>(needed));
    return folded;
  }
  RaiseError(errors::kApiFailure, u"FoldKey", u"Unicode case folding failed");
}

}  // namespace carrowin
