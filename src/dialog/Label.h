#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dialog/Control.h"

namespace TLPaymentPlugIns {

// A line of plain text; markup in the caption is shown as it stands.
class Label : public Control {
 public:
  enum AlignmentKind { AlignLeft, AlignRight };

  using Control::Control;

  // The user's actions.
  void Click() const {
    if (OnClick) OnClick();
  }
  void MouseMove() const {
    if (OnMouseMove) OnMouseMove();
  }

  std::string Caption;
  // Packed colour, red in the lowest byte.
  uint32_t ForeColor = 0;
  AlignmentKind Alignment = AlignLeft;
  std::function<void()> OnClick;
  std::function<void()> OnMouseMove;
};

}  // namespace TLPaymentPlugIns
