#include "platform/LocaleNumbers.h"

#include "platform/UserLocale.h"

#include <unicode/dcfmtsym.h>
#include <unicode/fmtable.h>
#include <unicode/numfmt.h>
#include <unicode/parsepos.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

namespace {

// A decimal number as ICU hands it over: sign, digits and a power of ten.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

icu::Locale NumericLocale() { return icu::Locale(UserLocale::NumericName().c_str()); }

// Reads ICU's scientific form, e.g. "-1.2345E+3".
Decimal FromScientific(const std::string& text) {
  Decimal number;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number.negative = text[i++] == '-';
  int fractionDigits = 0;
  bool inFraction = false;
  for (; i < text.size() && text[i] != 'E' && text[i] != 'e'; ++i) {
    if (text[i] == '.') {
      inFraction = true;
    } else {
      number.digits += text[i];
      if (inFraction) ++fractionDigits;
    }
  }
  // Powers beyond a billion are all the same to ToScaled; clamping them
  // keeps the arithmetic inside int.
  constexpr long kLimit = 1000000000;
  const long exponent =
      i < text.size() ? std::clamp(std::strtol(text.c_str() + i + 1, nullptr, 10), -kLimit, kLimit) : 0;
  number.exponent = static_cast<int>(exponent) - fractionDigits;
  return number;
}

// The number times 10^places, rounded half to even; raises 6 beyond the
// range of int64_t.
int64_t ToScaled(const Decimal& number, int places) {
  std::string digits = number.digits;
  const int shift = number.exponent + places;
  bool roundUp = false;
  if (shift >= 0) {
    if (shift > 19) {
      if (digits.find_first_not_of('0') != std::string::npos) throw errors::Overflow();
      digits = "0";
    } else {
      digits.append(static_cast<std::size_t>(shift), '0');
    }
  } else if (static_cast<std::size_t>(-static_cast<long long>(shift)) > digits.size()) {
    // Every digit lies below the first dropped place, which is a zero: the
    // result is 0, without padding the digits out to the power.
    digits.clear();
  } else {
    const std::size_t keep = digits.size() > static_cast<std::size_t>(-shift) ? digits.size() + shift : 0;
    std::string dropped = digits.substr(keep);
    dropped.insert(0, static_cast<std::size_t>(-shift) - dropped.size(), '0');
    digits.resize(keep);
    const bool lastOdd = !digits.empty() && (digits.back() - '0') % 2 == 1;
    const bool restNonZero = dropped.find_first_not_of('0', 1) != std::string::npos;
    roundUp = dropped[0] > '5' || (dropped[0] == '5' && (restNonZero || lastOdd));
  }
  const std::size_t first = digits.find_first_not_of('0');
  digits = first == std::string::npos ? std::string() : digits.substr(first);
  if (digits.size() > 19) throw errors::Overflow();
  // Work in unsigned so that the most negative value still fits.
  unsigned long long magnitude = digits.empty() ? 0 : std::stoull(digits);
  if (roundUp) ++magnitude;
  const unsigned long long limit =
      static_cast<unsigned long long>(std::numeric_limits<int64_t>::max()) + (number.negative ? 1 : 0);
  if (magnitude > limit) throw errors::Overflow();
  if (!number.negative) return static_cast<int64_t>(magnitude);
  return magnitude == limit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(magnitude);
}

// Digit-group separators count wherever they follow a digit, as the
// runtime reads them, not only every three digits.
std::string WithoutGrouping(const std::string& text) {
  const std::string group = UserLocale::GroupingSeparator();
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const bool afterDigit = !out.empty() && out.back() >= '0' && out.back() <= '9';
    if (afterDigit && !group.empty() && text.compare(i, group.size(), group) == 0) {
      i += group.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

// Reads a text as a number in the user's locale; raises 13 when the whole
// text (spaces around it aside) is not one number.
Decimal Parse(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) throw errors::TypeMismatch();
  const std::size_t end = text.find_last_not_of(" \t");
  const icu::UnicodeString input = icu::UnicodeString::fromUTF8(WithoutGrouping(text.substr(begin, end - begin + 1)));
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::NumberFormat> format(icu::NumberFormat::createInstance(NumericLocale(), status));
  if (U_FAILURE(status) || !format) throw errors::TypeMismatch();
  icu::Formattable result;
  icu::ParsePosition position(0);
  format->parse(input, result, position);
  if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) throw errors::TypeMismatch();
  if (result.getType() == icu::Formattable::kDouble && !std::isfinite(result.getDouble())) {
    throw errors::Overflow();
  }
  const icu::StringPiece decimal = result.getDecimalNumber(status);
  if (U_FAILURE(status)) throw errors::TypeMismatch();
  return FromScientific(std::string(decimal.data(), static_cast<std::size_t>(decimal.length())));
}

int16_t CheckedInteger(int64_t value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
    throw errors::Overflow();
  }
  return static_cast<int16_t>(value);
}

std::string AmountText(Currency amount) {
  const int64_t scaled = amount.Scaled();
  const bool negative = scaled < 0;
  // The magnitude of the most negative amount does not fit int64_t.
  const unsigned long long magnitude =
      negative ? 0ULL - static_cast<unsigned long long>(scaled) : static_cast<unsigned long long>(scaled);
  const auto scale = static_cast<unsigned long long>(Currency::kScale);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / scale);
  if (const unsigned long long fraction = magnitude % scale; fraction != 0) {
    std::string digits = std::to_string(fraction + scale).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    text += UserLocale::DecimalSeparator() + digits;
  }
  return text;
}

}  // namespace

std::string LocaleNumbers::UserLocaleName() { return UserLocale::NumericName(); }

int16_t LocaleNumbers::ToInteger(const Variant& value) {
  if (value.IsEmpty()) return 0;
  if (value.Holds<int16_t>()) return value.Get<int16_t>();
  if (value.Holds<Currency>()) {
    const Currency amount = value.Get<Currency>();
    const bool negative = amount.Scaled() < 0;
    Decimal number{negative, std::to_string(amount.Scaled()).substr(negative ? 1 : 0), -4};
    return CheckedInteger(ToScaled(number, 0));
  }
  return CheckedInteger(ToScaled(Parse(value.Get<std::string>()), 0));
}

Currency LocaleNumbers::ToCurrency(const std::string& text) { return Currency::FromScaled(ToScaled(Parse(text), 4)); }

std::string LocaleNumbers::ToText(const Variant& value) {
  if (value.IsEmpty()) return {};
  if (value.Holds<std::string>()) return value.Get<std::string>();
  if (value.Holds<int16_t>()) return std::to_string(value.Get<int16_t>());
  return AmountText(value.Get<Currency>());
}

}  // namespace TLPaymentPlugIns
