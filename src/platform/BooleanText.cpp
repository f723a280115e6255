#include "platform/BooleanText.h"

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>

#include <cstdlib>
#include <string_view>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerWord) {
  if (text.size() != lowerWord.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != lowerWord[i]) return false;
  }
  return true;
}

// The locale named for numbers, without codeset or modifier; the dialog
// reads numbers in the same one.
std::string NumericLocaleName() {
  for (const char* variable : {"LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      const std::string name(value);
      return name.substr(0, name.find_first_of(".@"));
    }
  }
  return "C";
}

// A numeral: [sign] digits [separator digits] [e [sign] digits], with at
// least one digit before the exponent. Sets zero when every such digit is 0.
bool ReadNumber(std::string_view text, bool& zero) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool anyDigit = false;
  zero = true;
  const auto digits = [&] {
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      anyDigit = true;
      zero = zero && text[i] == '0';
    }
  };
  digits();
  if (i < text.size() && !IsDigit(text[i]) && text[i] != 'e' && text[i] != 'E') {
    if (text[i] == '.') {
      ++i;
    } else {
      const std::string separator = BooleanText::LocaleDecimalSeparator();
      if (text.substr(i, separator.size()) != separator) return false;
      i += separator.size();
    }
    digits();
  }
  if (!anyDigit) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exponentStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == exponentStart) return false;
  }
  return i == text.size();
}

}  // namespace

bool BooleanText::Convert(const std::string& text) {
  std::string_view trimmed(text);
  while (!trimmed.empty() && IsBlank(trimmed.front())) trimmed.remove_prefix(1);
  while (!trimmed.empty() && IsBlank(trimmed.back())) trimmed.remove_suffix(1);
  if (EqualsIgnoringCase(trimmed, "true")) return true;
  if (EqualsIgnoringCase(trimmed, "false")) return false;
  bool zero = true;
  if (!ReadNumber(trimmed, zero)) throw errors::TypeMismatch();
  return !zero;
}

std::string BooleanText::LocaleDecimalSeparator() {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DecimalFormatSymbols symbols(icu::Locale(NumericLocaleName().c_str()), status);
  if (U_FAILURE(status)) return ".";
  std::string separator;
  symbols.getConstSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol).toUTF8String(separator);
  return separator.empty() ? "." : separator;
}

}  // namespace TLPaymentPlugIns
