#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace TLPaymentPlugIns {

// Packed colours (red in the lowest byte) and system colours (0x80000000
// plus an index) as Qt colours.
class QtColors {
 public:
  static QColor From(uint32_t packed, const QPalette& palette) {
    if ((packed & 0x80000000u) != 0) {
      switch (packed & 0xFFu) {
        case 15: return palette.color(QPalette::Button);
        case 16: return palette.color(QPalette::Dark);
        default: return palette.color(QPalette::Window);
      }
    }
    return QColor(static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
                  static_cast<int>((packed >> 16) & 0xFF));
  }
};

}  // namespace TLPaymentPlugIns
