#pragma once

#include <QDialog>
#include <functional>

#include "dialog/frmPlugIn.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace TLPaymentPlugIns {

class LogoWidget;
class SettingsViewWidget;

// The window of a loaded frmPlugIn: one widget per control, placed at 15
// twips to a pixel. It passes the user's actions to the controls and shows
// what the dialog made of them; it decides nothing itself.
class QtPlugInDialog : public QDialog {
 public:
  explicit QtPlugInDialog(frmPlugIn& form);
  ~QtPlugInDialog() override;

  // Shows the controls' current state.
  void Sync();
  QTabWidget* Tabs() const { return mTabs; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Esc presses the cancel button.
  void reject() override;
  // Closed by the window's close box: no dialog code runs.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  QFont FontOf(const Font& font) const;
  // Runs a user action on the controls, then shows the result.
  void Act(const std::function<void()>& action);
  // Apply can be clicked while the dialog's Apply is on or an entry is
  // pending: the click commits the entry, which turns the dialog's on.
  void ShowApply();
  // Tab goes in reading order: the tab bar, the pages' controls top to
  // bottom, then OK, Cancel and Apply.
  void OrderFocus();
  void ShowLink();

  frmPlugIn& mForm;
  QString mFamily;
  QWidget* mPanel = nullptr;
  QTabWidget* mTabs = nullptr;
  LogoWidget* mLogo = nullptr;
  QLabel* mInfo = nullptr;
  QLabel* mName = nullptr;
  QPlainTextEdit* mDescription = nullptr;
  QLabel* mLink = nullptr;
  QLabel* mCopyright = nullptr;
  QCheckBox* mActive = nullptr;
  SettingsViewWidget* mSettings = nullptr;
  QLabel* mParamDesc = nullptr;
  SettingsViewWidget* mReport = nullptr;
  QLabel* mReportDesc = nullptr;
  QPushButton* mOk = nullptr;
  QPushButton* mCancel = nullptr;
  QPushButton* mApply = nullptr;
};

}  // namespace TLPaymentPlugIns
