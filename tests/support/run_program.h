#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace carrowin::testing_support {

/// What a program run through the shell printed and how it ended.
struct ProgramRun {
  int exitCode;        // -1 when it did not exit normally
  std::string output;  // its standard output (add "2>&1" for standard error)
};

/// Runs `command` through the shell and waits for it.
inline ProgramRun RunProgram(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  ProgramRun run{-1, {}};
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace carrowin::testing_support
