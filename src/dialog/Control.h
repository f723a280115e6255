#pragma once

#include "dialog/Font.h"

namespace TLPaymentPlugIns {

// What every control of the dialog has: a place in its container in twips
// (fractions allowed), visibility, enabled state and a font. Controls only
// keep what the dialog sets and raise what the user does; a frontend shows
// them.
class Control {
 public:
  Control(double left, double top, double width, double height) : Left(left), Top(top), Width(width), Height(height) {}

  double Left;
  double Top;
  double Width;
  double Height;
  bool Visible = true;
  bool Enabled = true;
  TLPaymentPlugIns::Font Font;
};

}  // namespace TLPaymentPlugIns
