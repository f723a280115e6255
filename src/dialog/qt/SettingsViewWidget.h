#pragma once

#include <QFrame>
#include <functional>
#include <memory>
#include <vector>

#include "dialog/TolvaneUI.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QVBoxLayout;

namespace TLPaymentPlugIns {

// Shows a TolvaneUI: its caption over its rows in the order they were
// added. Entry rows edit in a line, multi rows in a few lines, check rows
// in a box; group headers carry their label, members are indented by
// Level; status rows show their text and status in StateColor. A row is
// selected by clicking it or entering its editor; a value is reported as
// changed when the user has finished an edit (Enter or leaving the field)
// or ticked a box. afterEvent runs after each report.
class SettingsViewWidget : public QFrame {
 public:
  SettingsViewWidget(TolvaneUI& view, std::function<void()> afterEvent, QWidget* parent);

  // Shows the view's current caption, rows and values.
  void Sync();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item {
    std::shared_ptr<Row> row;
    QWidget* line = nullptr;
    QLineEdit* entry = nullptr;
    QPlainTextEdit* multi = nullptr;
    QCheckBox* check = nullptr;
  };

  void Rebuild();
  void AddItem(const std::shared_ptr<Row>& row);
  void Watch(QWidget* widget, std::size_t index);
  void Select(std::size_t index);
  void Report(std::size_t index, const std::string& text);

  TolvaneUI& mView;
  std::function<void()> mAfterEvent;
  QLabel* mCaption;
  QWidget* mBody;
  QVBoxLayout* mRowsLayout;
  std::vector<Item> mItems;
  std::size_t mSelected = static_cast<std::size_t>(-1);
};

}  // namespace TLPaymentPlugIns
