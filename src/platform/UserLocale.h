#pragma once

#include <string>

namespace TLPaymentPlugIns {

// The user's conventions for numbers: the locale named by LC_ALL, else
// LC_NUMERIC, else LANG, as POSIX orders them. Its symbols come from ICU,
// so a locale works whether or not the system has it generated.
class UserLocale {
 public:
  // The ICU name, without codeset or modifier ("de_DE"); "C", "POSIX" and
  // nothing at all give "en_US_POSIX".
  static std::string NumericName();
  static std::string DecimalSeparator();
  static std::string GroupingSeparator();
};

}  // namespace TLPaymentPlugIns
