#pragma once

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include "drel/code_page_registry.h"

namespace carrowin {

/// The calling thread's converter for `info`, opened and set up on first use
/// (substitute "?", fallbacks, U+FFFD for undefined bytes); nullptr when ICU
/// cannot open it. ICU converters keep conversion state, so each thread has
/// its own; the cache closes them when the thread ends.
UConverter* ThreadConverter(const CodePageInfo& info);

}  // namespace carrowin
