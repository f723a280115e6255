#include "dialog/qt/QtDialogFrontend.h"

#include <xcb/xcb.h>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QImageReader>
#include <QMessageBox>
#include <QTabWidget>
#include <QUrl>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "dialog/frmPlugIn.h"
#include "dialog/qt/QtPlugInDialog.h"
#include "platform/ErrorCodes.h"
#include "platform/MessageBox.h"

namespace TLPaymentPlugIns {

namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// Qt ends the process when the X server that DISPLAY names cannot be
// reached, so that is tried first when Qt would use it.
bool XServerReachable() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool reachable = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return reachable;
}

bool UsesX11() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform == nullptr || *platform == '\0') return !IsSet("WAYLAND_DISPLAY");
  return std::string_view(platform).substr(0, 3) == "xcb";
}

// The process's QApplication: the host's, or one made here on first need
// and kept until the process ends (Qt does not support a second one).
void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "TLPaymentPlugIns";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// While a dialog is shown, the library's message boxes are real ones.
class QtMessageBoxes {
 public:
  QtMessageBoxes()
      : mPrevious(MessageBox::SetPresenter([](const std::string& text, const std::string& title) {
          QMessageBox::warning(QApplication::activeWindow(), QString::fromStdString(title),
                               QString::fromStdString(text));
        })) {}
  ~QtMessageBoxes() { MessageBox::SetPresenter(std::move(mPrevious)); }
  QtMessageBoxes(const QtMessageBoxes&) = delete;
  QtMessageBoxes& operator=(const QtMessageBoxes&) = delete;

 private:
  MessageBox::Presenter mPrevious;
};

}  // namespace

std::string QtDialogFrontend::Unavailable() const {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) return "";
  if (QCoreApplication::instance() != nullptr) return "the host runs a Qt application without widgets";
  if (mScreenshotFolder.empty() && !IsSet("QT_QPA_PLATFORM") && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
    return "no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are not set)";
  }
  if (mScreenshotFolder.empty() && UsesX11() && !XServerReachable()) {
    const char* display = std::getenv("DISPLAY");
    return "the X display \"" + std::string(display != nullptr ? display : "") + "\" cannot be reached";
  }
  return "";
}

void QtDialogFrontend::ScreenshotTo(const std::string& folder) { mScreenshotFolder = folder; }

void QtDialogFrontend::ShowModal(frmPlugIn& form) {
  if (!mScreenshotFolder.empty() && QApplication::instance() == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EnsureApplication();
  const QtMessageBoxes messageBoxes;
  mLastClosedByOk = false;
  form.Form_Load();
  QtPlugInDialog dialog(form);
  if (mScreenshotFolder.empty()) {
    dialog.exec();
  } else {
    QDir().mkpath(QString::fromStdString(mScreenshotFolder));
    const char* names[] = {"main.png", "advanced.png", "report.png"};
    for (int i = 0; i < dialog.Tabs()->count() && i < 3; ++i) {
      dialog.Tabs()->setCurrentIndex(i);
      QApplication::processEvents();
      const QString path = QDir(QString::fromStdString(mScreenshotFolder)).filePath(names[i]);
      if (!dialog.grab().save(path)) throw errors::FromErrno(EACCES, path.toStdString());
    }
    form.Unload();
  }
  MousePointer(kPointerDefault);
  mLastClosedByOk = form.ClosedByOk();
}

PictureSize QtDialogFrontend::ReadPicture(const std::string& path) {
  EnsureApplication();
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  if (!reader.canRead() || !size.isValid() || size.isEmpty()) throw errors::InvalidPicture(path);
  return {size.width(), size.height()};
}

void QtDialogFrontend::OpenLink(const std::string& target) {
  QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

void QtDialogFrontend::MousePointer(int pointer) {
  if (QGuiApplication::instance() == nullptr) return;
  if (pointer == kPointerQuestionArrow && !mPointerOverridden) {
    QGuiApplication::setOverrideCursor(Qt::WhatsThisCursor);
    mPointerOverridden = true;
  } else if (pointer == kPointerDefault && mPointerOverridden) {
    QGuiApplication::restoreOverrideCursor();
    mPointerOverridden = false;
  }
}

}  // namespace TLPaymentPlugIns
