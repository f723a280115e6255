#pragma once

#include <functional>
#include <memory>
#include <string>

#include "dialog/Control.h"
#include "dialog/Rows.h"

namespace TLPaymentPlugIns {

// The settings view: a caption over rows of values, group headers and
// status lines. It reports the row the user selects and, once the user has
// finished an edit (the entry already in the row's Content or IsChecked),
// the row whose value changed.
class TolvaneUI : public Control {
 public:
  using Control::Control;

  TLPaymentPlugIns::Rows& Rows() { return mRows; }
  const TLPaymentPlugIns::Rows& Rows() const { return mRows; }

  // The user's actions.
  void SelectRow(const std::shared_ptr<Row>& row) const {
    if (OnRowSelected) OnRowSelected(row);
  }
  void ChangeValue(const std::shared_ptr<Row>& row, const std::string& text) const {
    if (OnValueChanged) OnValueChanged(row, text);
  }

  std::string Caption;
  std::function<void(const std::shared_ptr<Row>& row)> OnRowSelected;
  std::function<void(const std::shared_ptr<Row>& row, const std::string& text)> OnValueChanged;

 private:
  TLPaymentPlugIns::Rows mRows;
};

}  // namespace TLPaymentPlugIns
