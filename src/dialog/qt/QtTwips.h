#pragma once

#include <QRect>
#include <cmath>

#include "dialog/Control.h"

namespace TLPaymentPlugIns {

// Twips to pixels: 15 twips to a pixel.
class QtTwips {
 public:
  static constexpr double kPerPixel = 15;

  static int Pixels(double twips) { return static_cast<int>(std::lround(twips / kPerPixel)); }
  static QRect Rect(const Control& control) {
    return QRect(Pixels(control.Left), Pixels(control.Top), Pixels(control.Width), Pixels(control.Height));
  }
};

}  // namespace TLPaymentPlugIns
