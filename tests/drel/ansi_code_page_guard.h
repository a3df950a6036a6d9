#pragma once

#include "carrowin/drel/code_pages.h"

namespace carrowin::testing_support {

/// Sets the host's ANSI code page for one test and restores it afterwards.
class AnsiCodePageGuard {
 public:
  explicit AnsiCodePageGuard(int32_t codepage) { SetHostAnsiCodePage(codepage); }
  ~AnsiCodePageGuard() { SetHostAnsiCodePage(previous_); }
  AnsiCodePageGuard(const AnsiCodePageGuard&) = delete;
  AnsiCodePageGuard& operator=(const AnsiCodePageGuard&) = delete;

 private:
  int32_t previous_ = HostAnsiCodePage();
};

}  // namespace carrowin::testing_support
