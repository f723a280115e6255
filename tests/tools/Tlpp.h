#pragma once

#include <string>

#include "support/RunCommand.h"

// Runs the built tlpp with the arguments, already quoted for the shell,
// after the environment's assignments (NAME=value ...).
inline testing_support::CommandRun Tlpp(const std::string& arguments, const std::string& errors = "/dev/null",
                                        const std::string& environment = "") {
  return testing_support::RunCommand(environment + " " + TLPP_EXE + " " + arguments, errors);
}

// The text with each occurrence of from replaced by to.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}
