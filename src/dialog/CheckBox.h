#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dialog/Control.h"

namespace TLPaymentPlugIns {

// A check box. Value is 1 when checked and 0 when not. Every change of the
// value, by the program or by the user, raises OnClick with the new state as
// an automation Boolean (-1 checked, 0 not).
class CheckBox : public Control {
 public:
  using Control::Control;

  int16_t Value() const { return mValue; }
  void Value(int16_t value) {
    if (value == mValue) return;
    mValue = value;
    if (OnClick) OnClick(static_cast<int16_t>(mValue != 0 ? -1 : 0));
  }
  // The user's click.
  void Toggle() {
    if (Enabled) Value(static_cast<int16_t>(mValue != 0 ? 0 : 1));
  }

  std::string Caption;
  std::function<void(int16_t newValue)> OnClick;

 private:
  int16_t mValue = 0;
};

}  // namespace TLPaymentPlugIns
