#include "Diagnostics.h"

#include <cstdio>
#include <iostream>

namespace tlpp {

namespace {

void Line(const std::string& text) {
  // What went to standard output so far comes first.
  std::fflush(stdout);
  std::cout.flush();
  std::cerr << text << '\n';
}

}  // namespace

void Diagnostics::Error(const TLPaymentPlugIns::Error& error, const std::string& fallbackPath) {
  const std::string& path = error.Path().empty() ? fallbackPath : error.Path();
  std::string where = path.empty() ? "tlpp" : path;
  if (!path.empty() && error.Line() > 0) {
    where += ":" + std::to_string(error.Line()) + ":" + std::to_string(error.Column());
  }
  std::string description = error.Description();
  if (!error.Reason().empty()) description += " (" + error.Reason() + ")";
  Error(where, error.Number(), description);
}

void Diagnostics::Error(const std::string& where, long number, const std::string& description) {
  Line(where + ": error " + std::to_string(number) + ": " + description);
}

void Diagnostics::Say(const std::string& command, const std::string& message) {
  Line("tlpp" + (command.empty() ? "" : " " + command) + ": " + message);
}

void Diagnostics::Write(const std::string& line) { Line(line); }

void Diagnostics::Usage(const std::string& command, const std::string& message, const std::string& usage) {
  Say(command, message);
  Line("usage: " + usage);
}

}  // namespace tlpp
