#pragma once

#include <string>

namespace TLPaymentPlugIns {

// A text read as a boolean the way automation converts a string: the words
// true and false in any letter case, or a number (zero false, any other
// number true). A number may carry a sign, a decimal separator and an
// exponent; the decimal separator is "." or the one of the user's locale
// (see UserLocale). Blanks around the text are ignored.
class BooleanText {
 public:
  // Raises 13 (type mismatch) for anything else, the empty text included.
  static bool Convert(const std::string& text);
};

}  // namespace TLPaymentPlugIns
