#pragma once

#include <QFrame>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog/TolvaneUI.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;
class QVBoxLayout;

namespace TLPaymentPlugIns {

// Shows a TolvaneUI: its caption over its rows in the order they were
// added. Entry rows edit in a line, multi rows in a few lines, check rows
// in a box; group headers carry their label, members are indented by
// Level; status rows show their text and status in StateColor. Every row
// takes the keyboard focus (its editor, or the row itself), and a row is
// selected when it gets the focus or is clicked.
//
// Typing leaves an entry pending: nothing is reported while the user
// types. A pending entry is committed (reported as changed) when the focus
// leaves its editor by Tab, a click or a change of tab, or when Commit()
// is called; a ticked box is committed at once. Abandon() drops pending
// entries without a word. A refused commit names the row in its message
// and puts the focus back on the row. Editors are refilled only when their
// row's value changed, never while the user's entry is pending.
class SettingsViewWidget : public QFrame {
 public:
  SettingsViewWidget(TolvaneUI& view, std::function<void()> afterEvent, QWidget* parent);

  // Told after a commit was taken, before the row is shown again.
  void OnTaken(std::function<void(const std::shared_ptr<Row>&)> taken) { mTaken = std::move(taken); }
  // Told when the user's typing makes an entry pending or no longer pending.
  void OnEdited(std::function<void()> edited) { mEdited = std::move(edited); }

  // Shows the view's current caption, rows and values; true when the rows
  // were made anew.
  bool Sync();
  bool HasPending() const;
  // Commits every pending entry; false when one was refused.
  bool Commit();
  void Abandon();
  // The widgets that take the focus, one a row, in row order.
  QList<QWidget*> TabStops() const;

  // The text a multi row returns: original with the change between
  // shownBefore and shownNow (a QTextDocument's raw text, paragraphs split
  // by U+2029) spliced in. Untouched text keeps every character; a new
  // line break is the original's CR LF, or LF.
  static std::string Spliced(const std::string& original, const QString& shownBefore, const QString& shownNow);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item {
    std::shared_ptr<Row> row;
    QWidget* line = nullptr;
    QLineEdit* entry = nullptr;
    // A secret's entry shows a mask of one length; the value is put in only
    // while the owner holds the button beside it down.
    bool secret = false;
    QPlainTextEdit* multi = nullptr;
    QCheckBox* check = nullptr;
    // The row's value as the editor was last filled with it, and for a
    // multi row the editor's raw text just after.
    std::string shownValue;
    QString shownRaw;
  };

  void Rebuild();
  void AddItem(const std::shared_ptr<Row>& row);
  void Watch(QWidget* widget, std::size_t index);
  void Select(std::size_t index);
  void ShowValue(Item& item);
  void Reveal(Item& item, bool shown);
  bool IsPending(const Item& item) const;
  bool Commit(std::size_t index);
  // Reports the row's new value; false when the dialog refused it.
  bool Report(std::size_t index, const std::string& text);

  TolvaneUI& mView;
  std::function<void()> mAfterEvent;
  std::function<void(const std::shared_ptr<Row>&)> mTaken;
  std::function<void()> mEdited;
  QLabel* mCaption;
  QScrollArea* mScroll;
  QWidget* mBody;
  QVBoxLayout* mRowsLayout;
  std::vector<Item> mItems;
  std::size_t mSelected = static_cast<std::size_t>(-1);
};

}  // namespace TLPaymentPlugIns
