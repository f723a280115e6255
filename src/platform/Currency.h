#pragma once

#include <cstdint>

namespace TLPaymentPlugIns {

// An amount as the automation runtime keeps it: a 64-bit fixed-point number
// with four decimal places (12.5 is held as 125000).
class Currency {
 public:
  static constexpr int64_t kScale = 10000;

  constexpr Currency() = default;
  static constexpr Currency FromScaled(int64_t scaled) { return Currency(scaled); }

  constexpr int64_t Scaled() const { return mScaled; }
  constexpr bool operator==(const Currency&) const = default;

 private:
  constexpr explicit Currency(int64_t scaled) : mScaled(scaled) {}

  int64_t mScaled = 0;
};

}  // namespace TLPaymentPlugIns
