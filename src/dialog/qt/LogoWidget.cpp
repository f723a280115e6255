#include "dialog/qt/LogoWidget.h"

#include <QImageReader>
#include <QPainter>

#include "dialog/qt/QtColors.h"
#include "dialog/qt/QtTwips.h"

namespace TLPaymentPlugIns {

LogoWidget::LogoWidget(const ImageControl& control, QWidget* parent) : QWidget(parent), mControl(control) {
  setObjectName("LeadLogo");
}

void LogoWidget::Sync() {
  setGeometry(QtTwips::Rect(mControl));
  setVisible(mControl.Visible);
  if (mControl.PicturePath.empty()) return;
  const QSize target = mControl.PaintSizeMode == 1
                           ? size()
                           : QSize(static_cast<int>(mControl.PictureWidth), static_cast<int>(mControl.PictureHeight));
  if (mControl.PicturePath == mDecodedPath && target == mDecodedSize) return;
  mDecodedPath = mControl.PicturePath;
  mDecodedSize = target;
  QImageReader reader(QString::fromStdString(mControl.PicturePath));
  reader.setDecideFormatFromContent(true);
  if (target.isValid() && !target.isEmpty()) reader.setScaledSize(target);
  mImage = reader.read();
  update();
}

void LogoWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QtColors::From(mControl.BackColor, palette()));
  if (mImage.isNull()) return;
  if (mControl.PaintSizeMode == 1) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), mImage);
  } else {
    painter.drawImage(QPoint(1, 1), mImage);
  }
}

}  // namespace TLPaymentPlugIns
