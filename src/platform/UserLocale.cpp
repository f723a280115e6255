#include "platform/UserLocale.h"

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>

#include <cstdlib>

namespace TLPaymentPlugIns {

namespace {

std::string Symbol(icu::DecimalFormatSymbols::ENumberFormatSymbol symbol, const char* fallback) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DecimalFormatSymbols symbols(icu::Locale(UserLocale::NumericName().c_str()), status);
  if (U_FAILURE(status)) return fallback;
  std::string text;
  symbols.getConstSymbol(symbol).toUTF8String(text);
  return text;
}

}  // namespace

std::string UserLocale::NumericName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    std::string name(value);
    if (const std::size_t cut = name.find_first_of(".@"); cut != std::string::npos) name.resize(cut);
    if (name == "C" || name == "POSIX") return "en_US_POSIX";
    return name;
  }
  return "en_US_POSIX";
}

std::string UserLocale::DecimalSeparator() {
  const std::string separator = Symbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol, ".");
  return separator.empty() ? "." : separator;
}

std::string UserLocale::GroupingSeparator() { return Symbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol, ","); }

}  // namespace TLPaymentPlugIns
