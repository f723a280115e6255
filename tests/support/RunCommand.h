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

// Runs a shell command with standard input from /dev/null; standard error
// goes to errors: a file, or "&1" to capture it with the output.
inline CommandRun RunCommand(const std::string& command, const std::string& errors = "/dev/null") {
  CommandRun run{-1, {}};
  std::FILE* pipe = popen((command + " 2>" + errors + " </dev/null").c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) run.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace testing_support
