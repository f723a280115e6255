// Loaded into a test host of the dialog module: once QApplication exists,
// every dialog shown is answered at once (active box ticked, then OK).
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

static void InstallAnswerer() {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog->objectName() != "frmPlugIn") return;
    for (const char* name : {"SSCPlugInActive", "cmdOk"}) dialog->findChild<QAbstractButton*>(name)->click();
  });
  timer->start(10);
}

Q_COREAPP_STARTUP_FUNCTION(InstallAnswerer)
