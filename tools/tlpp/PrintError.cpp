#include "PrintError.h"

#include <iostream>

namespace tlpp {

void PrintError(const TLPaymentPlugIns::Error& error, const std::string& fallbackPath) {
  const std::string& path = error.Path().empty() ? fallbackPath : error.Path();
  std::string line;
  if (!path.empty()) {
    line = path + ":";
    if (error.Line() > 0) line += std::to_string(error.Line()) + ":" + std::to_string(error.Column()) + ":";
    line += " ";
  }
  line += "error " + std::to_string(error.Number()) + ": " + error.Description();
  if (!error.Reason().empty()) line += " (" + error.Reason() + ")";
  std::cerr << line << '\n';
}

}  // namespace tlpp
