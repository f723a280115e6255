#pragma once

#include <string>

#include "support/RunCommand.h"

// Runs the built tlpp with the arguments, already quoted for the shell.
inline testing_support::CommandRun Tlpp(const std::string& arguments, const std::string& errors = "/dev/null") {
  return testing_support::RunCommand(std::string(TLPP_EXE) + " " + arguments, errors);
}
