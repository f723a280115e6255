#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace testing_support {

// What a shell command printed on standard output, and its exit status (-1
// when it did not exit normally).
struct CommandRun {
  int status;
  std::string out;
};

inline CommandRun RunCommand(const std::string& command) {
  CommandRun run{-1, {}};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) run.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// Runs a tool with standard input from /dev/null; standard error is
// captured with the output when mergeErrors is set, else dropped.
inline CommandRun RunTool(const std::string& command, bool mergeErrors = false) {
  return RunCommand(command + (mergeErrors ? " 2>&1" : " 2>/dev/null") + " </dev/null");
}

}  // namespace testing_support
