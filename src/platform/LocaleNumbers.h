#pragma once

#include <cstdint>
#include <string>

#include "platform/Currency.h"
#include "platform/Variant.h"

namespace TLPaymentPlugIns {

// Numbers read and written as the automation runtime does, with the user's
// locale conventions: the locale named by LC_ALL, LC_NUMERIC or LANG (the
// conventions come from ICU, so a locale works whether or not the system
// has it generated). A text that is not a number raises 13, a number out of
// range raises 6.
class LocaleNumbers {
 public:
  // A text is read in the locale (digit grouping accepted) and rounded half
  // to even; an amount is rounded half to even; empty is 0.
  static int16_t ToInteger(const Variant& value);
  // Rounded half to even to four decimal places.
  static Currency ToCurrency(const std::string& text);
  // The plain text form: a text unchanged, empty as "", an integer as its
  // digits, an amount with the locale's decimal separator, without digit
  // grouping and without trailing zeros.
  static std::string ToText(const Variant& value);
  // The ICU name of the user's locale, e.g. "de_DE".
  static std::string UserLocaleName();
};

}  // namespace TLPaymentPlugIns
