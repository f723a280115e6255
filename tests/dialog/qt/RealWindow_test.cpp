// The Qt dialog in a real window: an Xvfb of its own on a free display,
// Qt's xcb platform, keys and clicks sent through the X server by xdotool.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <QtTest>
#include <QtWidgets>
#include <csignal>

#include "dialog/qt/QtDialogFrontend.h"
#include "plugin/PlugIn.h"
#include "support/InstalledFrontend.h"
#include "support/ScriptedFrontend.h"
#include "support/TempDir.h"

using testing_support::ReadFile;

namespace {

// xdotool, its arguments split at spaces; then Qt takes the events.
void Xdo(const QString& args) {
  const int rc = QProcess::execute("xdotool", args.split(' '));
  ASSERT_EQ(rc, 0) << "xdotool " << args.toStdString() << (rc < 0 ? ": not installed (tools/install-deps.sh)" : "");
  QTest::qWait(60);
}

void Click(QWidget* widget, QPoint at = {}) {
  const QPoint p = widget->mapToGlobal(at.isNull() ? widget->rect().center() : at);
  Xdo(QStringLiteral("mousemove --sync %1 %2 click 1").arg(p.x()).arg(p.y()));
}

std::string Focus() {
  return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "(none)";
}

// Whether the focus comes to name within Qt's wait, the X server being slow
// on a busy machine.
bool FocusOn(const std::string& name) {
  return QTest::qWaitFor([&] { return Focus() == name; });
}

// The invoice sample, its German note with a no-break space, a line and a
// paragraph separator and a CR LF.
struct Invoice {
  Invoice() {
    testing_support::CopySample("invoice", folder);
    std::string config = ReadFile(folder + "/config.xml");
    const std::string old = "Sie erhalten die Rechnung zusammen mit Ihrer Bestellung.";
    config.replace(config.find(old), old.size(), "z.\u00A0B. Rechnung\u2028mit Ware&#13;\nSeite\u2029zwei");
    testing_support::WriteFile(folder + "/config.xml", config);
    plugIn.ConfigPath(folder);
  }
  testing_support::TempDir dir;
  std::string folder = dir / "invoice";
  TLPaymentPlugIns::PlugIn plugIn;
};

// Opens the dialog in German on its Advanced tab for user, who closes it.
void Drive(TLPaymentPlugIns::PlugIn& plugIn, const std::function<void(QDialog&)>& user) {
  const testing_support::InstalledFrontend installed{std::make_shared<TLPaymentPlugIns::QtDialogFrontend>()};
  QTimer::singleShot(0, [&user] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTabBar* bar = dialog->findChild<QTabBar*>();
    Click(bar, bar->tabRect(1).center());
    EXPECT_TRUE(QTest::qWaitFor([bar] { return bar->currentIndex() == 1; }));
    user(*dialog);
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return !dialog->isVisible(); })) << "still open";
    if (dialog->isVisible()) dialog->close();
  });
  plugIn.ShowConfigDialogue("de", "de");
}

}  // namespace

TEST(RealWindow, EntriesAreCommittedByDeliberateActsExactlyAsTypedAndAbandonedByEscape) {
  Invoice invoice;
  std::string message, holder, applied;
  Drive(invoice.plugIn, [&](QDialog& dialog) {
    QTimer answer;  // clicks away the message box that Enter (OK) opens
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !QTest::qWaitForWindowExposed(box) || !message.empty()) return;
      message = box->text().toStdString();
      Click(box->buttons().value(0));
    });
    answer.start(50);
    Click(dialog.findChild<QLineEdit*>("PaymentTerm"));
    Xdo("key ctrl+a type abc");
    Xdo("key Return");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Focus() == "PaymentTerm" && !message.empty(); })) << Focus();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("PaymentTerm")->text(), "14");
    Click(dialog.findChild<QLineEdit*>("AccountHolder"));
    Xdo("key ctrl+a type NEWHOLDER");
    auto* apply = dialog.findChild<QPushButton*>("cmdApply");
    Click(apply);
    EXPECT_TRUE(QTest::qWaitFor([apply] { return !apply->isEnabled(); }));
    holder = ReadFile(invoice.folder + "/config.xml");
    Click(dialog.findChild<QPlainTextEdit*>("InvoiceNote"));
    Xdo("key ctrl+End type ok");
    Xdo("key Tab");
    EXPECT_TRUE(FocusOn("AccountHolder"));
    Click(apply);
    EXPECT_TRUE(QTest::qWaitFor([apply] { return !apply->isEnabled(); }));
    applied = ReadFile(invoice.folder + "/config.xml");
    Click(dialog.findChild<QLineEdit*>("IBAN"));
    Xdo("type ABANDONED");
    Xdo("key Escape");
  });
  EXPECT_EQ(message, "Zahlungsziel in Tagen: Type mismatch");
  EXPECT_NE(holder.find("<Value>NEWHOLDER</Value>"), std::string::npos) << "one click on Apply saves";
  EXPECT_EQ(invoice.plugIn.GetParam("InvoiceNote", "de"),
            "z.\u00A0B. Rechnung\u2028mit Ware\r\nSeite\u2029zwei\n"
            "Bitte überweisen Sie den Betrag ohne Abzug auf unser Konto.ok");
  EXPECT_EQ(invoice.plugIn.GetParam("IBAN"), "DE89 3704 0044 0532 0130 00");
  invoice.plugIn.SaveConfiguration();
  EXPECT_EQ(ReadFile(invoice.folder + "/config.xml"), applied);
}

TEST(RealWindow, TabReachesEveryRowOfBothTabsInReadingOrderShowingItsDescription) {
  Invoice invoice;
  Drive(invoice.plugIn, [](QDialog& dialog) {
    Click(dialog.findChild<QLineEdit*>("PaymentLabel"));
    // Apply is off, so not reached.
    for (const char* name : {"PaymentTerm", "InvoiceNote", "AccountHolder", "BankName", "IBAN", "BIC",
                             "ShowReferenceHint", "cmdOk", "cmdCancel", "qt_tabwidget_tabbar"}) {
      Xdo("key Tab");
      EXPECT_TRUE(FocusOn(name)) << name << " expected, " << Focus() << " reached";
      if (Focus() == "BankName") {
        EXPECT_EQ(dialog.findChild<QLabel*>("ParamDesc")->text(), "Name der Bank");
      }
    }
    Xdo("key Right Tab Tab");  // the Report tab's second row
    EXPECT_TRUE(FocusOn("rechnungsvorlage.rtf")) << Focus();
    EXPECT_TRUE(dialog.findChild<QLabel*>("ReportDesc")->text().contains("rechnungsvorlage.rtf"));
    Xdo("key shift+Tab shift+Tab Left shift+Tab shift+Tab shift+Tab space");
    auto* hint = dialog.findChild<QCheckBox*>("ShowReferenceHint");
    EXPECT_TRUE(QTest::qWaitFor([hint] { return !hint->isChecked(); })) << Focus();
    Xdo("key Escape");
  });
}

int main(int argc, char** argv) {
  QProcess xvfb;  // names the free display it took on its standard output
  xvfb.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
  xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  if (!xvfb.waitForReadyRead(20000)) {
    std::printf("SKIPPED: no X server can be started (Xvfb: %s)\n", qPrintable(xvfb.errorString()));
    return 77;  // ctest's skip
  }
  setenv("DISPLAY", (":" + xvfb.readLine().trimmed()).constData(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("QT_XCB_GL_INTEGRATION", "none", 1);  // widgets only: no GL library loaded
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  xvfb.terminate();
  xvfb.waitForFinished();
  return rc;
}
