#pragma once

#include <functional>
#include <string>

#include "dialog/Control.h"

namespace TLPaymentPlugIns {

// A push button. IsDefault answers Enter, IsCancel answers Esc.
class CommandButton : public Control {
 public:
  CommandButton(double left, double top, double width, double height, bool isDefault, bool isCancel)
      : Control(left, top, width, height), IsDefault(isDefault), IsCancel(isCancel) {}

  // The user's click; a disabled button cannot be clicked.
  void Click() const {
    if (Enabled && OnClick) OnClick();
  }

  std::string Caption;
  const bool IsDefault;
  const bool IsCancel;
  std::function<void()> OnClick;
};

}  // namespace TLPaymentPlugIns
