#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/Currency.h"

namespace TLPaymentPlugIns {

// The value a settings row carries: empty, a text, a 16-bit integer or an
// amount. LocaleNumbers converts between them.
class Variant {
 public:
  using Value = std::variant<std::monostate, std::string, int16_t, Currency>;

  Variant() = default;
  Variant(std::string text) : mValue(std::move(text)) {}
  Variant(const char* text) : mValue(std::string(text)) {}
  Variant(int16_t number) : mValue(number) {}
  Variant(Currency amount) : mValue(amount) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(mValue); }
  template <typename T>
  bool Holds() const {
    return std::holds_alternative<T>(mValue);
  }
  template <typename T>
  const T& Get() const {
    return std::get<T>(mValue);
  }
  const Value& value() const { return mValue; }
  bool operator==(const Variant&) const = default;

 private:
  Value mValue;
};

}  // namespace TLPaymentPlugIns
