#pragma once

#include <string>

#include "support/RunCommand.h"

// Runs the built tlpp with the arguments, already quoted for the shell,
// after the environment's assignments (NAME=value ...).
inline testing_support::CommandRun Tlpp(const std::string& arguments, const std::string& errors = "/dev/null",
                                        const std::string& environment = "") {
  return testing_support::RunCommand(environment + " " + TLPP_EXE + " " + arguments, errors);
}
