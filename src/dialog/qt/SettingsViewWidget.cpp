#include "dialog/qt/SettingsViewWidget.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/LocaleNumbers.h"
#include "dialog/qt/QtColors.h"

namespace TLPaymentPlugIns {

namespace {

constexpr int kIndentPerLevel = 16;
constexpr int kLabelWidth = 200;
const char* const kIndexProperty = "tlppRowIndex";

QString Shown(const Variant& content) { return QString::fromStdString(LocaleNumbers::ToText(content)); }

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void SetTextColor(QLabel* label, const QColor& color) {
  label->setStyleSheet(QStringLiteral("color: %1").arg(color.name()));
}

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
  auto* scroll = new QScrollArea(this);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  mBody = new QWidget(scroll);
  mRowsLayout = new QVBoxLayout(mBody);
  mRowsLayout->setContentsMargins(2, 2, 2, 2);
  mRowsLayout->setSpacing(1);
  mRowsLayout->addStretch(1);
  scroll->setWidget(mBody);
  layout->addWidget(scroll, 1);
}

void SettingsViewWidget::Sync() {
  mCaption->setText(QString::fromStdString(mView.Caption));
  bool same = mItems.size() == mView.Rows().Count();
  for (std::size_t i = 0; same && i < mItems.size(); ++i) same = mItems[i].row == mView.Rows().Item(i);
  if (!same) Rebuild();
  for (std::size_t i = 0; i < mItems.size(); ++i) {
    Item& item = mItems[i];
    // A value the user is still editing stays as it is.
    if (item.entry != nullptr && !item.entry->isModified()) item.entry->setText(Shown(item.row->Content));
    if (item.multi != nullptr && !item.multi->document()->isModified()) {
      item.multi->setPlainText(Shown(item.row->Content));
    }
    if (item.check != nullptr) item.check->setChecked(item.row->IsChecked);
    item.line->setBackgroundRole(i == mSelected ? QPalette::Highlight : QPalette::Base);
  }
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
  switch (static_cast<RowKind>(row->Kind())) {
    case KindCheck:
      item.check = new QCheckBox(QString::fromStdString(row->Label), item.line);
      item.check->setObjectName(key);
      layout->addWidget(item.check, 1);
      QObject::connect(item.check, &QCheckBox::clicked, this, [this, index](bool checked) {
        mItems[index].row->IsChecked = checked;
        Report(index, checked ? "1" : "0");
      });
      break;
    case KindEntry:
    case KindMulti: {
      auto* label = PlainLabel(QString::fromStdString(row->Label), item.line);
      label->setFixedWidth(kLabelWidth - kIndentPerLevel * row->Level);
      label->setWordWrap(true);
      layout->addWidget(label, 0, Qt::AlignTop);
      if (row->Kind() == KindEntry) {
        item.entry = new QLineEdit(item.line);
        item.entry->setObjectName(key);
        layout->addWidget(item.entry, 1);
        QObject::connect(item.entry, &QLineEdit::editingFinished, this, [this, index] {
          QLineEdit* entry = mItems[index].entry;
          if (!entry->isModified()) return;
          entry->setModified(false);
          mItems[index].row->Content = entry->text().toStdString();
          Report(index, entry->text().toStdString());
        });
      } else {
        item.multi = new QPlainTextEdit(item.line);
        item.multi->setObjectName(key);
        item.multi->setTabChangesFocus(true);
        item.multi->setFixedHeight(item.multi->fontMetrics().lineSpacing() * 3 + 10);
        layout->addWidget(item.multi, 1);
      }
      break;
    }
    case KindGroup: {
      auto* label = PlainLabel(QString::fromStdString(row->Label), item.line);
      QFont bold = label->font();
      bold.setBold(true);
      label->setFont(bold);
      SetTextColor(label, QtColors::From(row->GroupColor, label->palette()).darker(150));
      layout->addWidget(label, 1);
      break;
    }
    case KindStatus: {
      auto* text = PlainLabel(QString::fromStdString(row->Text()), item.line);
      text->setMinimumWidth(1);
      auto* status = PlainLabel(Shown(row->Content), item.line);
      SetTextColor(status, QtColors::From(row->StateColor, status->palette()));
      QFont bold = status->font();
      bold.setBold(true);
      status->setFont(bold);
      layout->addWidget(text, 1);
      layout->addWidget(status, 0);
      break;
    }
  }
  mRowsLayout->insertWidget(mRowsLayout->count() - 1, item.line);
  Watch(item.line, index);
  for (QWidget* child : item.line->findChildren<QWidget*>()) Watch(child, index);
  mItems.push_back(item);
}

void SettingsViewWidget::Watch(QWidget* widget, std::size_t index) {
  widget->setProperty(kIndexProperty, static_cast<qulonglong>(index));
  widget->installEventFilter(this);
}

bool SettingsViewWidget::eventFilter(QObject* watched, QEvent* event) {
  const QVariant property = watched->property(kIndexProperty);
  if (!property.isValid()) return false;
  const auto index = static_cast<std::size_t>(property.toULongLong());
  if (index >= mItems.size()) return false;
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) Select(index);
  if (event->type() == QEvent::FocusOut && watched == mItems[index].multi) {
    QPlainTextEdit* multi = mItems[index].multi;
    if (multi->document()->isModified()) {
      multi->document()->setModified(false);
      const std::string text = multi->toPlainText().toStdString();
      mItems[index].row->Content = text;
      Report(index, text);
    }
  }
  return false;
}

void SettingsViewWidget::Select(std::size_t index) {
  if (index == mSelected) return;
  mSelected = index;
  mView.SelectRow(mItems[index].row);
  if (mAfterEvent) mAfterEvent();
}

void SettingsViewWidget::Report(std::size_t index, const std::string& text) {
  mView.ChangeValue(mItems[index].row, text);
  if (mAfterEvent) mAfterEvent();
}

}  // namespace TLPaymentPlugIns
