#include "OnOff.h"

#include <array>
#include <string_view>

#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"

namespace tlpp {

bool OnOff::Parse(const std::string& text) {
  static constexpr std::array<std::string_view, 4> kOn = {"1", "true", "yes", "on"};
  static constexpr std::array<std::string_view, 4> kOff = {"0", "false", "no", "off"};
  const std::string lower = TLPaymentPlugIns::CaseFold::Lower(text);
  for (const std::string_view word : kOn) {
    if (lower == word) return true;
  }
  for (const std::string_view word : kOff) {
    if (lower == word) return false;
  }
  throw TLPaymentPlugIns::errors::TypeMismatch();
}

}  // namespace tlpp
