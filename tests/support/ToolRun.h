#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace testing_support {

// A command run through the shell: its exit status (-1 when it did not exit)
// and what it printed.
struct ToolRun {
  int status;
  std::string out;
};

// Runs command with standard input from /dev/null; standard error is
// captured with the output when mergeErrors is set, else dropped.
inline ToolRun RunTool(const std::string& command, bool mergeErrors = false) {
  const std::string line = command + (mergeErrors ? " 2>&1" : " 2>/dev/null") + " </dev/null";
  ToolRun run{-1, {}};
  std::FILE* pipe = popen(line.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) run.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace testing_support
