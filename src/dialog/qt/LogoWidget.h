#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "dialog/ImageControl.h"

namespace TLPaymentPlugIns {

// Draws an ImageControl: its background, and its picture at the picture's
// own size or stretched to the control. A picture is decoded at the size it
// is drawn; one that cannot be decoded within Qt's allocation limit is left
// out rather than filling the memory.
class LogoWidget : public QWidget {
 public:
  LogoWidget(const ImageControl& control, QWidget* parent);

  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const ImageControl& mControl;
  QImage mImage;
  std::string mDecodedPath;
  QSize mDecodedSize;
};

}  // namespace TLPaymentPlugIns
