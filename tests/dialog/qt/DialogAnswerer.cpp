// Loaded into a test host that opens the dialog through the dialog module:
// once the process's QApplication exists, every configuration dialog shown
// is answered at once by ticking its active box and pressing OK, so that
// the host's call returns and the document on disk shows that it ran.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace {

class Answerer : public QObject {
 public:
  using QObject::QObject;

 protected:
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
