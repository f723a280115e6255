#pragma once

#include "dialog/Control.h"

namespace TLPaymentPlugIns {

// A framed area without text; the dialog uses one, 30 twips high, as a
// horizontal separator line.
class Frame : public Control {
 public:
  using Control::Control;
};

}  // namespace TLPaymentPlugIns
