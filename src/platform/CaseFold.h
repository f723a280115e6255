#pragma once

#include <string>

namespace TLPaymentPlugIns {

// Unicode case folding of UTF-8 text, for comparisons without regard to
// case for every letter (Ä and ä compare equal, not only A and a).
class CaseFold {
 public:
  static std::string Fold(const std::string& utf8);
  // Lower case by Unicode rules, for values compared after lower-casing.
  static std::string Lower(const std::string& utf8);
};

}  // namespace TLPaymentPlugIns
