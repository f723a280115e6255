#pragma once

#include <functional>
#include <string>

#include "dialog/Control.h"

namespace TLPaymentPlugIns {

// A multi-line, read-only text with a vertical scroll bar. Lines break at
// CR LF.
class TextBox : public Control {
 public:
  using Control::Control;

  // The user's click.
  void Click() const {
    if (OnClick) OnClick();
  }

  std::string Text;
  // Length of the selected text; the frontend reports the user's selection
  // here and clears its own when the dialog sets 0.
  long SelLength = 0;
  std::function<void()> OnClick;
};

}  // namespace TLPaymentPlugIns
