#include "platform/BooleanText.h"

#include <string_view>

#include "platform/ErrorCodes.h"
#include "platform/UserLocale.h"

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
      const std::string separator = UserLocale::DecimalSeparator();
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

}  // namespace TLPaymentPlugIns
