#include "dialog/qt/QtPlugInDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "dialog/qt/LogoWidget.h"
#include "dialog/qt/QtColors.h"
#include "dialog/qt/QtTwips.h"
#include "dialog/qt/SettingsViewWidget.h"

namespace TLPaymentPlugIns {

namespace {

// What the window's frame and title take of its outer height.
constexpr double kFrameTwips = 465;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The multi-line widgets break lines at "\n".
QString Lines(const std::string& text) { return Text(text).replace("\r\n", "\n"); }

template <typename W>
W* Place(W* widget, const Control& control, const char* name) {
  widget->setGeometry(QtTwips::Rect(control));
  widget->setObjectName(name);
  return widget;
}

QLabel* PlainLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}

QLabel* DescriptionPanel(QWidget* parent, const Panel& panel, const char* name) {
  auto* label = Place(PlainLabel(parent), panel, name);
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  label->setMargin(4);
  return label;
}

}  // namespace

QtPlugInDialog::QtPlugInDialog(frmPlugIn& form)
    : mForm(form),
      mFamily(QFontDatabase::families().contains("Tahoma")
                  ? QStringLiteral("Tahoma")
                  : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()) {
  Build();
  // Whatever closes the window, an entry still pending is dropped: nothing
  // reaches the document once the user chose to leave.
  mForm.OnUnload = [this] {
    mSettings->Abandon();
    done(mForm.ClosedByOk() ? QDialog::Accepted : QDialog::Rejected);
  };
  Sync();
}

QtPlugInDialog::~QtPlugInDialog() { mForm.OnUnload = nullptr; }

QFont QtPlugInDialog::FontOf(const Font& font) const {
  QFont qfont(mFamily);
  qfont.setStyleHint(QFont::SansSerif);
  qfont.setPointSizeF(font.Size);
  qfont.setBold(font.Bold);
  qfont.setUnderline(font.Underline);
  return qfont;
}

void QtPlugInDialog::Build() {
  setObjectName("frmPlugIn");
  setFont(FontOf(mForm.Font));
  setMouseTracking(true);
  installEventFilter(this);

  mPanel = Place(new QWidget(this), mForm.pnlMain, "pnlMain");
  mPanel->setAttribute(Qt::WA_NoMousePropagation);
  mTabs = Place(new QTabWidget(mPanel), mForm.SSAPlugIn, "SSAPlugIn");
  mTabs->setMouseTracking(true);
  mTabs->tabBar()->setMouseTracking(true);
  mTabs->installEventFilter(this);
  mTabs->tabBar()->installEventFilter(this);
  mTabs->tabBar()->setFont(FontOf(mForm.SSAPlugIn.Font2));
  for (const Tab& tab : mForm.SSAPlugIn.Tabs) {
    auto* page = new QWidget();
    page->setObjectName(Text(tab.Key));
    page->setMouseTracking(true);
    page->installEventFilter(this);
    mTabs->addTab(page, Text(tab.Caption));
  }
  QWidget* main = mTabs->widget(0);
  QWidget* advanced = mTabs->widget(1);
  QWidget* report = mTabs->widget(2);

  mLogo = new LogoWidget(mForm.LeadLogo, main);
  mLogo->setAttribute(Qt::WA_NoMousePropagation);
  mInfo = Place(PlainLabel(main), mForm.lblPlugInInfo, "lblPlugInInfo");
  mName = Place(PlainLabel(main), mForm.LblPlugInName, "LblPlugInName");
  mName->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  mDescription = Place(new QPlainTextEdit(main), mForm.txtPlugInInfo, "txtPlugInInfo");
  mDescription->setReadOnly(true);
  mDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mDescription->setAttribute(Qt::WA_NoMousePropagation);
  mDescription->viewport()->installEventFilter(this);
  mDescription->setPlainText(Lines(mForm.txtPlugInInfo.Text));
  mDescription->setTabChangesFocus(true);
  mDescription->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  mLink = Place(PlainLabel(main), mForm.lblProviderURL, "lblProviderURL");
  mLink->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  mLink->setMouseTracking(true);
  mLink->installEventFilter(this);
  mLink->setFocusPolicy(Qt::StrongFocus);
  QPalette linkPalette = mLink->palette();
  linkPalette.setColor(QPalette::WindowText, QtColors::From(mForm.lblProviderURL.ForeColor, linkPalette));
  mLink->setPalette(linkPalette);
  mCopyright = Place(PlainLabel(main), mForm.LblPlugInCopyRight, "LblPlugInCopyRight");
  mCopyright->setAlignment(Qt::AlignTop | Qt::AlignRight);
  auto* separator = Place(new QFrame(main), mForm.SSFrame1, "SSFrame1");
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  separator->setAttribute(Qt::WA_NoMousePropagation);
  mActive = Place(new QCheckBox(main), mForm.SSCPlugInActive, "SSCPlugInActive");
  mActive->setAttribute(Qt::WA_NoMousePropagation);
  connect(mActive, &QCheckBox::clicked, this,
          [this](bool checked) { Act([this, checked] { mForm.SSCPlugInActive.Value(checked ? 1 : 0); }); });

  mSettings = Place(new SettingsViewWidget(
                        mForm.TLUSettings, [this] { Sync(); }, advanced),
                    mForm.TLUSettings, "TLUSettings");
  mSettings->setFont(FontOf(mForm.TLUSettings.Font));
  mSettings->setAttribute(Qt::WA_NoMousePropagation);
  mSettings->OnTaken([this](const std::shared_ptr<Row>& row) { mForm.ShowDocumentValue(row); });
  mSettings->OnEdited([this] { ShowApply(); });
  mParamDesc = DescriptionPanel(advanced, mForm.ParamDesc, "ParamDesc");
  mReport = Place(new SettingsViewWidget(
                      mForm.TLUReport, [this] { Sync(); }, report),
                  mForm.TLUReport, "TLUReport");
  mReport->setAttribute(Qt::WA_NoMousePropagation);
  mReportDesc = DescriptionPanel(report, mForm.ReportDesc, "ReportDesc");

  mOk = Place(new QPushButton(mPanel), mForm.cmdOk, "cmdOk");
  mCancel = Place(new QPushButton(mPanel), mForm.cmdCancel, "cmdCancel");
  mApply = Place(new QPushButton(mPanel), mForm.cmdApply, "cmdApply");
  mOk->setDefault(mForm.cmdOk.IsDefault);
  for (auto [button, control] :
       {std::pair{mOk, &mForm.cmdOk}, {mCancel, &mForm.cmdCancel}, {mApply, &mForm.cmdApply}}) {
    // A click leaves the focus where it is, so that Cancel commits nothing.
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, control = control] {
      // OK and Apply first commit what was typed; a refused entry keeps
      // the dialog as it is.
      if (control != &mForm.cmdCancel && !mSettings->Commit()) return;
      Act([control] { control->Click(); });
    });
  }
  setFixedSize(QtTwips::Pixels(frmPlugIn::kClientWidth), QtTwips::Pixels(mForm.Height - kFrameTwips));
}

void QtPlugInDialog::Sync() {
  setWindowTitle(Text(mForm.Caption));
  for (int i = 0; i < mTabs->count(); ++i) {
    const Tab& tab = mForm.SSAPlugIn.Tabs[static_cast<std::size_t>(i)];
    mTabs->setTabText(i, Text(tab.Caption));
    mTabs->setTabEnabled(i, tab.Enabled);
  }
  mLogo->Sync();
  for (auto [label, control] : {std::pair{mInfo, &mForm.lblPlugInInfo},
                                {mName, &mForm.LblPlugInName},
                                {mLink, &mForm.lblProviderURL},
                                {mCopyright, &mForm.LblPlugInCopyRight}}) {
    label->setGeometry(QtTwips::Rect(*control));
    label->setText(Text(control->Caption));
    label->setFont(FontOf(control->Font));
  }
  if (mForm.txtPlugInInfo.SelLength == 0 && mDescription->textCursor().hasSelection()) {
    QTextCursor cursor = mDescription->textCursor();
    cursor.clearSelection();
    mDescription->setTextCursor(cursor);
  }
  mActive->setText(Text(mForm.SSCPlugInActive.Caption));
  mActive->setChecked(mForm.SSCPlugInActive.Value() != 0);
  const bool rowsMadeAnew = mSettings->Sync();
  if (mReport->Sync() || rowsMadeAnew) OrderFocus();
  mParamDesc->setText(Lines(mForm.ParamDesc.Caption));
  mReportDesc->setText(Lines(mForm.ReportDesc.Caption));
  for (auto [button, control] :
       {std::pair{mOk, &mForm.cmdOk}, {mCancel, &mForm.cmdCancel}, {mApply, &mForm.cmdApply}}) {
    button->setText(Text(control->Caption));
    button->setEnabled(control->Enabled);
  }
  ShowApply();
}

void QtPlugInDialog::ShowApply() {
  if (mApply != nullptr) mApply->setEnabled(mForm.cmdApply.Enabled || mSettings->HasPending());
}

void QtPlugInDialog::OrderFocus() {
  QList<QWidget*> chain{mTabs->tabBar(), mDescription, mLink, mActive};
  chain += mSettings->TabStops();
  chain += mReport->TabStops();
  chain += {mOk, mCancel, mApply};
  for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void QtPlugInDialog::ShowLink() {
  mLink->setFont(FontOf(mForm.lblProviderURL.Font));
  mLink->setFrameShape(mLink->hasFocus() ? QFrame::Box : QFrame::NoFrame);
}

void QtPlugInDialog::Act(const std::function<void()>& action) {
  action();
  if (mForm.IsOpen()) Sync();
}

bool QtPlugInDialog::eventFilter(QObject* watched, QEvent* event) {
  // A move only underlines the link or not; nothing else is shown anew.
  if (event->type() == QEvent::MouseMove && watched != mDescription->viewport()) {
    if (watched == mLink) {
      mForm.lblProviderURL.MouseMove();
    } else if (watched == this) {
      mForm.Form_MouseMove();
    } else {
      mForm.SSAPlugIn.MouseMove();
    }
    ShowLink();
  } else if (watched == mLink && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    ShowLink();
  } else if (watched == mLink && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      Act([this] { mForm.lblProviderURL.Click(); });
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == mLink && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      Act([this] { mForm.lblProviderURL.Click(); });
    }
    if (watched == mDescription->viewport()) {
      mForm.txtPlugInInfo.SelLength = mDescription->textCursor().selectedText().size();
      Act([this] { mForm.txtPlugInInfo.Click(); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

void QtPlugInDialog::reject() {
  if (mForm.cmdCancel.IsCancel) Act([this] { mForm.cmdCancel.Click(); });
}

void QtPlugInDialog::closeEvent(QCloseEvent* event) {
  mForm.Unload();
  event->accept();
}

}  // namespace TLPaymentPlugIns
