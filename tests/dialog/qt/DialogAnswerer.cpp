// Loaded into a test host of the dialog module: once QApplication exists,
// every dialog shown is answered at once (active box ticked, then OK).
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace {

struct Answerer : QObject {
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() == QEvent::Show && dialog != nullptr && dialog->objectName() == "frmPlugIn") {
      QTimer::singleShot(0, dialog, [dialog] {
        for (const char* name : {"SSCPlugInActive", "cmdOk"}) {
          if (auto* button = dialog->findChild<QAbstractButton*>(name)) button->click();
        }
      });
    }
    return false;
  }
};

void InstallAnswerer() { qApp->installEventFilter(new Answerer(qApp)); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallAnswerer)
