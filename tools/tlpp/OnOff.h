#pragma once

#include <string>

namespace tlpp {

// A switch as an operator writes it on the command line or in a settings
// file: 1/0, true/false, yes/no, on/off, in any letter case.
class OnOff {
 public:
  // Raises 13 (type mismatch) for any other text.
  static bool Parse(const std::string& text);
};

}  // namespace tlpp
