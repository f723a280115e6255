// The Qt dialog on Qt's offscreen platform, driven like a user with QTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "dialog/qt/QtDialogFrontend.h"
#include "plugin/PlugIn.h"
#include "support/InstalledFrontend.h"
#include "support/ScriptedFrontend.h"
#include "support/TempDir.h"

using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::QtDialogFrontend;
using testing_support::InstalledFrontend;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

// Runs user once the dialog is shown, active, and its modal loop runs.
void WhenShown(std::function<void(QDialog&)> user) {
  QTimer::singleShot(0, [user = std::move(user)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    try {
      user(*dialog);
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
      dialog->close();
    }
  });
}

template <typename W>
W* Child(QDialog& dialog, const char* name) {
  W* widget = dialog.findChild<W*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// A widget's class, name and place in the window, and a label's text and
// how it is set: alignment, margin, weight and colour.
std::string Placement(const QWidget& widget, const QWidget& window) {
  const QRect at(widget.mapTo(&window, QPoint(0, 0)), widget.size());
  QString line = QStringLiteral("%1 %2 %3,%4 %5x%6")
                     .arg(widget.metaObject()->className(), widget.objectName())
                     .arg(at.x())
                     .arg(at.y())
                     .arg(at.width())
                     .arg(at.height());
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    line += QStringLiteral(" align %1 margin %2").arg(static_cast<int>(label->alignment()), 0, 16).arg(label->margin());
    line += " \"" + label->text() + "\"";
    if (label->font().bold()) line += " bold";
    if (!label->styleSheet().isEmpty()) line += " " + label->styleSheet();
  }
  return line.toStdString() + "\n";
}

bool ActiveOnDisk(const std::string& folder) {
  PlugIn fresh;
  fresh.ConfigPath(folder);
  return fresh.IsActive();
}

// The Qt frontend, noting the links it is asked to open instead of opening
// them.
class LinkNotingFrontend : public QtDialogFrontend {
 public:
  void OpenLink(const std::string& target) override { opened.push_back(target); }
  std::vector<std::string> opened;
};

class QtDialog : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::CopySample("invoice", plugInDir); }

  TempDir dir;
  std::string plugInDir = dir / "invoice";
  std::shared_ptr<LinkNotingFrontend> frontend = std::make_shared<LinkNotingFrontend>();
  InstalledFrontend installed{frontend};
};

}  // namespace

TEST_F(QtDialog, TickApplyEditAndEnterSaveTheSampleToDisk) {
  const std::string longName(40000, 'x');
  std::string config = ReadFile(plugInDir + "/config.xml");
  const std::size_t bank = config.find("Beispielbank");
  config.replace(bank, config.find('<', bank) - bank, longName);
  const std::string firstLine = "Sie erhalten die Rechnung zusammen mit Ihrer Bestellung.";
  config.replace(config.find(firstLine), firstLine.size(), "Eins&#13;\nZwei");  // a CR LF, then an LF
  testing_support::WriteFile(plugInDir + "/config.xml", config);
  PlugIn plugIn;
  plugIn.ConfigPath(plugInDir);
  const bool wasActive = plugIn.IsActive();
  const std::string noteBefore = plugIn.GetParam("InvoiceNote", "de");
  WhenShown([&](QDialog& dialog) {
    auto* label = Child<QLineEdit>(dialog, "PaymentLabel");
    EXPECT_EQ(label->text().toStdString(), "Zahlung auf Rechnung");  // the document's value
    EXPECT_EQ(Child<QLineEdit>(dialog, "BankName")->text().size(), 40000) << "a long value is shown whole";
    auto* apply = Child<QPushButton>(dialog, "cmdApply");
    EXPECT_FALSE(apply->isEnabled());
    QTest::mouseClick(Child<QCheckBox>(dialog, "SSCPlugInActive"), Qt::LeftButton);
    EXPECT_TRUE(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(ActiveOnDisk(plugInDir), !wasActive) << "saved by Apply";
    QTest::keyClicks(label, "?");  // typed, not yet taken: the link opened meanwhile leaves Apply on
    QTest::mouseClick(Child<QLabel>(dialog, "lblProviderURL"), Qt::LeftButton);
    EXPECT_TRUE(apply->isEnabled());

    auto* note = Child<QPlainTextEdit>(dialog, "InvoiceNote");
    note->moveCursor(QTextCursor::Start);
    QTest::keyClicks(note, "NB ");  // the rest of the note, its line breaks included, stays as it was
    label->selectAll();
    QTest::keyClicks(label, "Kauf auf Rechnung <neu>");
    QTest::keyClick(label, Qt::Key_Return);  // finishes the edit and presses OK
  });
  plugIn.ShowConfigDialogue("de", "de");
  EXPECT_TRUE(frontend->LastClosedByOk());

  PlugIn reread;
  reread.ConfigPath(plugInDir);
  EXPECT_EQ(ActiveOnDisk(plugInDir), !wasActive);
  EXPECT_EQ(reread.GetParam("PaymentLabel", "de"), "Kauf auf Rechnung <neu>");
  EXPECT_EQ(reread.GetParam("BankName", "de"), longName);
  EXPECT_EQ(reread.GetParam("InvoiceNote", "de"), "NB " + noteBefore);
}

// A secret shows one mask whatever its length, the value only while the
// button is held, copies nothing, and saves what the owner types.
TEST_F(QtDialog, ASecretIsMaskedAndSavedAsTyped) {
  const std::string folder = dir / "creditcard";
  testing_support::CopySample("creditcard", folder);
  PlugIn plugIn;
  plugIn.ConfigPath(folder);
  const QString secret = QString::fromStdString(plugIn.GetParam("ApiKey"));
  WhenShown([&](QDialog& dialog) {
    auto* key = Child<QLineEdit>(dialog, "ApiKey");
    EXPECT_EQ(key->echoMode(), QLineEdit::Password);
    EXPECT_EQ(key->text(), QString());
    EXPECT_EQ(key->placeholderText(), QString(8, QChar(0x2022)));
    auto* show = Child<QToolButton>(dialog, "ApiKey.show");
    key->setFocus();
    QTest::mousePress(show, Qt::LeftButton);
    EXPECT_EQ(key->text(), secret);
    EXPECT_EQ(key->echoMode(), QLineEdit::Normal);
    QTest::keyClicks(key, "-2");  // typed while shown: added to the value
    QTest::mouseRelease(show, Qt::LeftButton);
    QTest::keyClick(key, Qt::Key_Tab);
    QTest::mousePress(show, Qt::LeftButton);
    EXPECT_EQ(key->text(), secret + "-2");
    QTest::mouseRelease(show, Qt::LeftButton);
    EXPECT_EQ(key->text(), QString());
    key->setFocus();
    QTest::keyClicks(key, "new-key-0123456789");
    key->selectAll();
    key->copy();
    EXPECT_NE(QApplication::clipboard()->text(), QStringLiteral("new-key-0123456789"));
    QTest::keyClick(key, Qt::Key_Return);
  });
  plugIn.ShowConfigDialogue("en", "en");
  PlugIn reread;
  reread.ConfigPath(folder);
  EXPECT_EQ(reread.GetParam("ApiKey"), "new-key-0123456789");
}

TEST_F(QtDialog, ScreenshotsOfEverySampleAreWrittenAndNothingIsSaved) {
  for (const char* sample : {"cashondelivery", "creditcard"}) testing_support::CopySample(sample, dir / sample);
  for (const char* sample : {"invoice", "cashondelivery", "creditcard"}) {
    const std::string before = ReadFile(dir / sample + "/config.xml");
    frontend->ScreenshotTo(dir / "shots" + "/" + sample);
    PlugIn plugIn;
    plugIn.ConfigPath(dir / sample);
    plugIn.ShowConfigDialogue("de", "de");
    for (const char* name : {"main.png", "advanced.png", "report.png"}) {
      const QImage shot(QString::fromStdString(dir / "shots/" + sample + "/" + name));
      EXPECT_EQ(shot.size(), QSize(513, 435)) << sample << " " << name;
    }
    EXPECT_EQ(ReadFile(dir / sample + "/config.xml"), before) << sample;
  }
}

// Every widget the owner sees, tab by tab, stands where it stood when the
// window was last looked at and approved (data/layout.txt).
TEST_F(QtDialog, EachTabIsLaidOutAsApproved) {
  testing_support::CopySample("creditcard", dir / "creditcard");
  std::string layout;
  for (const char* sample : {"invoice", "creditcard"}) {
    PlugIn plugIn;
    plugIn.ConfigPath(dir / sample);
    WhenShown([&](QDialog& dialog) {
      layout += Placement(dialog, dialog);
      auto* logo = Child<QWidget>(dialog, "LeadLogo");
      const QImage drawn = logo->grab().toImage();
      EXPECT_NE(drawn.pixelColor(drawn.rect().center()), logo->palette().color(QPalette::Button)) << "a picture";
      auto* tabs = Child<QTabWidget>(dialog, "SSAPlugIn");
      for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        layout += "== " + std::string(sample) + " " + tabs->widget(i)->objectName().toStdString() + "\n";
        for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
          if (widget->isVisible()) layout += Placement(*widget, dialog);
        }
      }
      dialog.close();
    });
    plugIn.ShowConfigDialogue("de", "de");
  }
  EXPECT_EQ(testing_support::Replaced(layout, dir.path(), "DIR"),
            testing_support::Fixture("dialog/qt/data/layout.txt"));
}

// The logo beside the name; the link underlined under the pointer, framed
// with the focus; a click in the description leaves nothing selected.
TEST_F(QtDialog, TheMainTabFollowsThePointerAndTheFocus) {
  PlugIn plugIn;
  plugIn.ConfigPath(plugInDir);
  WhenShown([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Zahlungsart Rechnung");
    auto* logo = Child<QWidget>(dialog, "LeadLogo");
    QPalette magenta = logo->palette();
    magenta.setColor(QPalette::Button, Qt::magenta);
    logo->setPalette(magenta);
    const QImage drawn = logo->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(0, 0), QColor(Qt::magenta)) << "the margin in the button face";
    for (const QPoint at : {QPoint(25, 0), QPoint(0, 20), QPoint(51, 20), QPoint(25, 41)}) {
      EXPECT_EQ(drawn.pixelColor(at), QColor(Qt::magenta)) << "the picture at its own size leaves the margin";
    }
    EXPECT_NE(drawn.pixel(25, 20), drawn.pixel(0, 0)) << "the picture";
    auto* link = Child<QLabel>(dialog, "lblProviderURL");
    EXPECT_EQ(link->font().styleHint(), QFont::SansSerif) << "a face like the one named where it is missing";
    QTest::mouseMove(link);
    EXPECT_TRUE(link->font().underline());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);
    for (const char* name : {"LeadLogo", "SSFrame1", "LblPlugInCopyRight"}) {  // a drag across leaves the link
      auto* widget = Child<QWidget>(dialog, name);
      QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(1, 1));
      QTest::mouseMove(widget, QPoint(1, 0));
      QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(1, 0));
      EXPECT_TRUE(link->font().underline()) << name;
    }
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::keyClick(link, Qt::Key_Space);
    QTest::keyClick(link, Qt::Key_Enter);
    QTest::keyClick(link, Qt::Key_Return);
    QTest::keyClick(link, Qt::Key_A);
    QTest::mouseMove(Child<QWidget>(dialog, "TabPlugInMain"), QPoint(2, 300));
    QTest::mouseClick(Child<QWidget>(dialog, "TabPlugInMain"), Qt::LeftButton, {}, QPoint(2, 300));
    EXPECT_EQ(frontend->opened, std::vector<std::string>(4, "https://www.example.com/de/zahlungsarten/rechnung"));
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the usual pointer again";
    QTest::mouseMove(link);
    QTest::mouseMove(Child<QTabWidget>(dialog, "SSAPlugIn")->tabBar(), QPoint(5, 5));
    EXPECT_FALSE(link->font().underline()) << "the pointer moved on to the tabs";

    auto* description = Child<QPlainTextEdit>(dialog, "txtPlugInInfo");
    QTest::mouseClick(description->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 10));
    EXPECT_EQ(description->textCursor().selectedText(), QString());
    description->setFocus();
    QTest::keyClick(description, Qt::Key_Tab);
    EXPECT_EQ(link->frameShape(), QFrame::Box);
    QTest::keyClick(link, Qt::Key_Tab);
    EXPECT_EQ(link->frameShape(), QFrame::NoFrame);
    dialog.close();
  });
  plugIn.ShowConfigDialogue("de", "de");
}

// The views' rows start at the top under a bold caption; the row being
// edited is highlighted. An entry refused when Tab leaves it is named in a
// message and keeps the focus; one left by a click on Cancel is dropped.
TEST_F(QtDialog, TheSettingsViewShowsItsRowsAndKeepsARefusedEntryInFocus) {
  PlugIn plugIn;
  plugIn.ConfigPath(plugInDir);
  std::string message;
  WhenShown([&](QDialog& dialog) {
    auto* tabs = Child<QTabWidget>(dialog, "SSAPlugIn");
    EXPECT_EQ(tabs->tabBar()->font().styleHint(), QFont::SansSerif) << "the tabs' own font";
    tabs->setCurrentIndex(2);
    tabs->setCurrentIndex(1);
    auto* caption = Child<QWidget>(dialog, "TLUSettings")->findChild<QLabel*>({}, Qt::FindDirectChildrenOnly);
    EXPECT_EQ(caption->contentsRect(), caption->rect().adjusted(4, 2, -4, -2));
    auto* term = Child<QLineEdit>(dialog, "PaymentTerm");
    QTest::mouseClick(term, Qt::LeftButton);
    EXPECT_EQ(term->parentWidget()->backgroundRole(), QPalette::Highlight);
    EXPECT_EQ(Child<QLineEdit>(dialog, "PaymentLabel")->parentWidget()->backgroundRole(), QPalette::Base);

    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        message = box->text().toStdString();
        box->buttons().value(0)->click();
      }
    });
    answer.start(10);
    term->selectAll();
    QTest::keyClicks(term, "abc");
    QTest::keyClick(term, Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitFor([term] { return term->hasFocus(); }));
    EXPECT_EQ(term->text(), "14");
    QTest::keyClicks(term, "7");
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
  });
  plugIn.ShowConfigDialogue("de", "de");
  EXPECT_EQ(message, "Zahlungsziel in Tagen: Type mismatch");
  EXPECT_EQ(plugIn.GetParam("PaymentTerm"), "14");
}

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
