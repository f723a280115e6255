#include "dialog/qt/SettingsViewWidget.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>
#include <limits>

#include "dialog/qt/QtColors.h"
#include "platform/LocaleNumbers.h"
#include "platform/MessageBox.h"

namespace TLPaymentPlugIns {

namespace {

constexpr int kIndentPerLevel = 16;
constexpr int kLabelWidth = 200;
const char* const kIndexProperty = "tlppRowIndex";

std::string Shown(const Variant& content) { return LocaleNumbers::ToText(content); }

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void SetTextColor(QLabel* label, const QColor& color) {
  label->setStyleSheet(QStringLiteral("color: %1").arg(color.name()));
}

QString RawText(const QPlainTextEdit* multi) { return multi->document()->toRawText(); }

// While it lives, a message the dialog shows names the row it is about and
// counts as the row's value being refused.
class RefusalWatch {
 public:
  explicit RefusalWatch(std::string label)
      : mLabel(std::move(label)),
        mPrevious(MessageBox::SetPresenter([this](const std::string& text, const std::string& title) {
          mRefused = true;
          const std::string named = mLabel.empty() ? text : mLabel + ": " + text;
          if (mPrevious) {
            mPrevious(named, title);
          } else {
            std::fprintf(stderr, "%s: %s\n", title.c_str(), named.c_str());
          }
        })) {}
  ~RefusalWatch() { MessageBox::SetPresenter(std::move(mPrevious)); }
  RefusalWatch(const RefusalWatch&) = delete;
  RefusalWatch& operator=(const RefusalWatch&) = delete;
  bool Refused() const { return mRefused; }

 private:
  std::string mLabel;
  bool mRefused = false;
  MessageBox::Presenter mPrevious;
};

}  // namespace

SettingsViewWidget::SettingsViewWidget(TolvaneUI& view, std::function<void()> afterEvent, QWidget* parent)
    : QFrame(parent), mView(view), mAfterEvent(std::move(afterEvent)) {
  setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  mCaption = PlainLabel({}, this);
  mCaption->setContentsMargins(4, 2, 4, 2);
  QFont bold = mCaption->font();
  bold.setBold(true);
  mCaption->setFont(bold);
  mCaption->setAutoFillBackground(true);
  mCaption->setBackgroundRole(QPalette::Button);
  layout->addWidget(mCaption);
  mScroll = new QScrollArea(this);
  mScroll->setFrameShape(QFrame::NoFrame);
  mScroll->setWidgetResizable(true);
  // The rows take the focus, not the area around them.
  mScroll->setFocusPolicy(Qt::NoFocus);
  mBody = new QWidget(mScroll);
  mRowsLayout = new QVBoxLayout(mBody);
  mRowsLayout->setContentsMargins(2, 2, 2, 2);
  mRowsLayout->setSpacing(1);
  mRowsLayout->addStretch(1);
  mScroll->setWidget(mBody);
  layout->addWidget(mScroll, 1);
}

bool SettingsViewWidget::Sync() {
  mCaption->setText(QString::fromStdString(mView.Caption));
  bool same = mItems.size() == mView.Rows().Count();
  for (std::size_t i = 0; same && i < mItems.size(); ++i) same = mItems[i].row == mView.Rows().Item(i);
  if (!same) Rebuild();
  for (std::size_t i = 0; i < mItems.size(); ++i) {
    Item& item = mItems[i];
    if (!IsPending(item) && Shown(item.row->Content) != item.shownValue) ShowValue(item);
    if (item.check != nullptr) item.check->setChecked(item.row->IsChecked);
    item.line->setBackgroundRole(i == mSelected ? QPalette::Highlight : QPalette::Base);
  }
  return !same;
}

void SettingsViewWidget::Rebuild() {
  for (Item& item : mItems) delete item.line;
  mItems.clear();
  mSelected = static_cast<std::size_t>(-1);
  for (const auto& row : mView.Rows()) AddItem(row);
}

void SettingsViewWidget::AddItem(const std::shared_ptr<Row>& row) {
  const std::size_t index = mItems.size();
  Item item;
  item.row = row;
  item.line = new QWidget(mBody);
  item.line->setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(item.line);
  layout->setContentsMargins(4 + kIndentPerLevel * row->Level, 1, 4, 1);
  const QString key = QString::fromStdString(row->Key());
  const QString label = QString::fromStdString(row->Label);
  switch (static_cast<RowKind>(row->Kind())) {
    case KindCheck:
      item.check = new QCheckBox(label, item.line);
      item.check->setObjectName(key);
      item.check->setAccessibleName(label);
      layout->addWidget(item.check, 1);
      QObject::connect(item.check, &QCheckBox::clicked, this, [this, index](bool checked) {
        mItems[index].row->IsChecked = checked;
        Report(index, checked ? "1" : "0");
        if (mAfterEvent) mAfterEvent();
      });
      break;
    case KindEntry:
    case KindMulti: {
      auto* caption = PlainLabel(label, item.line);
      caption->setFixedWidth(kLabelWidth - kIndentPerLevel * row->Level);
      caption->setWordWrap(true);
      layout->addWidget(caption, 0, Qt::AlignTop);
      QWidget* editor = nullptr;
      // A secret, single- or multi-line, is entered in one masked line.
      item.secret = row->Secret;
      if (row->Kind() == KindEntry || item.secret) {
        item.entry = new QLineEdit(item.line);
        item.entry->setMaxLength(std::numeric_limits<int>::max());
        QObject::connect(item.entry, &QLineEdit::textEdited, this, [this] {
          if (mEdited) mEdited();
        });
        editor = item.entry;
      } else {
        item.multi = new QPlainTextEdit(item.line);
        item.multi->setTabChangesFocus(true);
        item.multi->setFixedHeight(item.multi->fontMetrics().lineSpacing() * 3 + 10);
        QObject::connect(item.multi, &QPlainTextEdit::textChanged, this, [this] {
          if (mEdited) mEdited();
        });
        editor = item.multi;
      }
      editor->setObjectName(key);
      editor->setAccessibleName(label);
      caption->setBuddy(editor);
      layout->addWidget(editor, 1);
      if (item.secret) {
        // Password echo also makes copy, cut and drag give nothing away.
        item.entry->setEchoMode(QLineEdit::Password);
        auto* show = new QToolButton(item.line);
        show->setText(QString(QChar(0x25C9)));
        show->setObjectName(key + QStringLiteral(".show"));
        show->setAccessibleName(label);
        show->setFocusPolicy(Qt::NoFocus);
        QObject::connect(show, &QToolButton::pressed, this, [this, index] { Reveal(mItems[index], true); });
        QObject::connect(show, &QToolButton::released, this, [this, index] { Reveal(mItems[index], false); });
        layout->addWidget(show, 0);
      }
      break;
    }
    case KindGroup: {
      auto* caption = PlainLabel(label, item.line);
      QFont bold = caption->font();
      bold.setBold(true);
      caption->setFont(bold);
      SetTextColor(caption, QtColors::From(row->GroupColor, caption->palette()).darker(150));
      layout->addWidget(caption, 1);
      item.line->setAccessibleName(label);
      break;
    }
    case KindStatus: {
      auto* text = PlainLabel(QString::fromStdString(row->Text()), item.line);
      text->setMinimumWidth(1);
      auto* status = PlainLabel(QString::fromStdString(Shown(row->Content)), item.line);
      SetTextColor(status, QtColors::From(row->StateColor, status->palette()));
      QFont bold = status->font();
      bold.setBold(true);
      status->setFont(bold);
      layout->addWidget(text, 1);
      layout->addWidget(status, 0);
      item.line->setAccessibleName(QString::fromStdString(row->Key()) + QStringLiteral(": ") + status->text());
      break;
    }
  }
  // A row without an editor takes the focus itself.
  if (item.entry == nullptr && item.multi == nullptr && item.check == nullptr) {
    item.line->setFocusPolicy(Qt::StrongFocus);
    item.line->setObjectName(key);
  }
  mRowsLayout->insertWidget(mRowsLayout->count() - 1, item.line);
  Watch(item.line, index);
  for (QWidget* child : item.line->findChildren<QWidget*>()) Watch(child, index);
  mItems.push_back(item);
  ShowValue(mItems.back());
}

void SettingsViewWidget::Watch(QWidget* widget, std::size_t index) {
  widget->setProperty(kIndexProperty, static_cast<qulonglong>(index));
  widget->installEventFilter(this);
}

QList<QWidget*> SettingsViewWidget::TabStops() const {
  QList<QWidget*> stops;
  for (const Item& item : mItems) {
    if (item.entry != nullptr) {
      stops.append(item.entry);
    } else if (item.multi != nullptr) {
      stops.append(item.multi);
    } else if (item.check != nullptr) {
      stops.append(item.check);
    } else {
      stops.append(item.line);
    }
  }
  return stops;
}

bool SettingsViewWidget::eventFilter(QObject* watched, QEvent* event) {
  const QVariant property = watched->property(kIndexProperty);
  if (!property.isValid()) return false;
  const auto index = static_cast<std::size_t>(property.toULongLong());
  if (index >= mItems.size()) return false;
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) Select(index);
  if (event->type() == QEvent::FocusIn && index < mItems.size()) mScroll->ensureWidgetVisible(mItems[index].line);
  const bool editor = watched == mItems[index].entry || watched == mItems[index].multi;
  if (event->type() == QEvent::FocusOut && editor) {
    // Leaving by Tab, a click or a change of tab commits; the window
    // losing the focus (another window, a menu, a message) does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Commit(index);
  }
  return false;
}

void SettingsViewWidget::Select(std::size_t index) {
  if (index == mSelected) return;
  mSelected = index;
  mView.SelectRow(mItems[index].row);
  if (mAfterEvent) mAfterEvent();
}

void SettingsViewWidget::ShowValue(Item& item) {
  const std::string value = Shown(item.row->Content);
  if (item.secret) {
    // Never the value itself: an empty entry under a mask of one length.
    item.entry->clear();
    item.entry->setPlaceholderText(value.empty() ? QString() : QString(8, QChar(0x2022)));
    item.shownRaw = item.entry->text();
  } else if (item.entry != nullptr) {
    if (item.entry->text().toStdString() != value) item.entry->setText(QString::fromStdString(value));
    item.shownRaw = item.entry->text();
  } else if (item.multi != nullptr) {
    // An editor that already holds the value keeps its cursor.
    if (Spliced(item.shownValue, item.shownRaw, RawText(item.multi)) != value) {
      item.multi->setPlainText(QString::fromStdString(value));
    }
    item.shownRaw = RawText(item.multi);
  }
  item.shownValue = value;
}

void SettingsViewWidget::Reveal(Item& item, bool shown) {
  item.entry->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
  // What the owner typed is shown as it stands; else the value, while held.
  if (IsPending(item)) return;
  item.entry->setText(shown ? QString::fromStdString(item.shownValue) : QString());
  item.shownRaw = item.entry->text();
}

bool SettingsViewWidget::IsPending(const Item& item) const {
  if (item.entry != nullptr) return item.entry->text() != item.shownRaw;
  if (item.multi != nullptr) return RawText(item.multi) != item.shownRaw;
  return false;
}

bool SettingsViewWidget::HasPending() const {
  for (const Item& item : mItems) {
    if (IsPending(item)) return true;
  }
  return false;
}

bool SettingsViewWidget::Commit() {
  for (std::size_t i = 0; i < mItems.size(); ++i) {
    if (!Commit(i)) return false;
  }
  return true;
}

bool SettingsViewWidget::Commit(std::size_t index) {
  Item& item = mItems[index];
  if (!IsPending(item)) return true;
  const std::string text = item.entry != nullptr ? item.entry->text().toStdString()
                                                 : Spliced(item.shownValue, item.shownRaw, RawText(item.multi));
  item.row->Content = text;
  const bool taken = Report(index, text);
  // The row now shows what the document holds.
  ShowValue(item);
  if (!taken) {
    QWidget* editor = item.entry != nullptr ? static_cast<QWidget*>(item.entry) : item.multi;
    // Back to the row, in a window active again once the message is gone.
    QTimer::singleShot(0, editor, [editor] {
      editor->activateWindow();
      editor->setFocus(Qt::OtherFocusReason);
    });
  }
  if (mAfterEvent) mAfterEvent();
  return taken;
}

void SettingsViewWidget::Abandon() {
  for (Item& item : mItems) {
    if (!IsPending(item)) continue;
    item.shownValue.clear();
    item.shownRaw.clear();
    if (item.entry != nullptr) item.entry->clear();
    if (item.multi != nullptr) item.multi->clear();
    ShowValue(item);
  }
}

bool SettingsViewWidget::Report(std::size_t index, const std::string& text) {
  const std::shared_ptr<Row> row = mItems[index].row;
  bool refused = false;
  {
    const RefusalWatch watch(row->Label);
    mView.ChangeValue(row, text);
    refused = watch.Refused();
  }
  if (!refused && mTaken) mTaken(row);
  return !refused;
}

std::string SettingsViewWidget::Spliced(const std::string& original, const QString& shownBefore,
                                        const QString& shownNow) {
  // The original as the editor holds it, and where each of its characters
  // starts in the original.
  const QString source = QString::fromStdString(original);
  QString raw;
  std::vector<qsizetype> from;
  for (qsizetype i = 0; i < source.size();) {
    from.push_back(i);
    const bool crlf = source[i] == u'\r' && i + 1 < source.size() && source[i + 1] == u'\n';
    raw += source[i] == u'\r' || source[i] == u'\n' ? QChar(QChar::ParagraphSeparator) : source[i];
    i += crlf ? 2 : 1;
  }
  from.push_back(source.size());
  const QString lineBreak = original.find("\r\n") != std::string::npos ? QStringLiteral("\r\n") : QStringLiteral("\n");
  const auto lines = [&lineBreak](QString text) { return text.replace(QChar::ParagraphSeparator, lineBreak); };
  if (raw != shownBefore) return lines(shownNow).toStdString();
  qsizetype head = 0;
  while (head < shownBefore.size() && head < shownNow.size() && shownBefore[head] == shownNow[head]) ++head;
  qsizetype tail = 0;
  while (tail < shownBefore.size() - head && tail < shownNow.size() - head &&
         shownBefore[shownBefore.size() - 1 - tail] == shownNow[shownNow.size() - 1 - tail]) {
    ++tail;
  }
  const QString middle = shownNow.mid(head, shownNow.size() - head - tail);
  return (source.left(from[static_cast<std::size_t>(head)]) + lines(middle) +
          source.mid(from[static_cast<std::size_t>(shownBefore.size() - tail)]))
      .toStdString();
}

}  // namespace TLPaymentPlugIns
