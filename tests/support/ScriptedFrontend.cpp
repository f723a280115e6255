#include "support/ScriptedFrontend.h"

#include <stdexcept>

namespace testing_support {

using TLPaymentPlugIns::PictureSize;

void ScriptedFrontend::ShowModal(Form& form) {
  mForm = &form;
  ++shown;
  form.Form_Load();
  if (script) script(*this);
  if (form.IsOpen()) CloseWindow();
}

PictureSize ScriptedFrontend::ReadPicture(const std::string& path) {
  return pictures ? pictures(path) : PictureSize{50, 40};
}

ScriptedFrontend::Form& ScriptedFrontend::form() const {
  if (mForm == nullptr) throw std::logic_error("no dialog has been shown");
  return *mForm;
}

ScriptedFrontend::RowPtr ScriptedFrontend::Row(const TLPaymentPlugIns::TolvaneUI& view, const std::string& key) const {
  for (const auto& row : view.Rows()) {
    if (row->Key() == key) return row;
  }
  throw std::logic_error("no row " + key);
}

void ScriptedFrontend::EditRow(const std::string& key, const std::string& text) {
  const RowPtr row = Row(form().TLUSettings, key);
  row->Content = text;
  form().TLUSettings.ChangeValue(row, text);
}

void ScriptedFrontend::CheckRow(const std::string& key, bool checked) {
  const RowPtr row = Row(form().TLUSettings, key);
  row->IsChecked = checked;
  form().TLUSettings.ChangeValue(row, checked ? "1" : "0");
}

void ScriptedFrontend::SelectRow(const TLPaymentPlugIns::TolvaneUI& view, const std::string& key) {
  view.SelectRow(Row(view, key));
}

}  // namespace testing_support
