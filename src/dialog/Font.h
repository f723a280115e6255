#pragma once

#include <cstdint>
#include <string>

namespace TLPaymentPlugIns {

// A control's font. Charset is the 16-bit font character-set code the host
// passes through; a Unicode frontend keeps it but has no use for it.
class Font {
 public:
  std::string Name = "Tahoma";
  double Size = 8.25;
  bool Bold = false;
  bool Underline = false;
  int16_t Charset = 0;
};

}  // namespace TLPaymentPlugIns
