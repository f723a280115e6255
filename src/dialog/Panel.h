#pragma once

#include <string>

#include "dialog/Control.h"

namespace TLPaymentPlugIns {

// A plain area that may show a caption: the button panel, the tab pages and
// the two description panels.
class Panel : public Control {
 public:
  using Control::Control;

  std::string Caption;
};

}  // namespace TLPaymentPlugIns
