#include "support/ScriptedFrontend.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "platform/ErrorCodes.h"

namespace testing_support {

using TLPaymentPlugIns::ImageControl;

namespace {

uint32_t Little32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

void ScriptedFrontend::ShowModal(Form& form) {
  mForm = &form;
  ++shown;
  form.Form_Load();
  if (script) script(*this);
  if (form.IsOpen()) CloseWindow();
}

ImageControl::PictureSize ScriptedFrontend::ReadPicture(const std::string& path) {
  if (pictures) return pictures(path);
  std::ifstream in(path, std::ios::binary);
  unsigned char header[26] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 'B' || header[1] != 'M') {
    throw TLPaymentPlugIns::errors::InvalidPicture(path);
  }
  const auto width = static_cast<int32_t>(Little32(header + 18));
  const auto height = static_cast<int32_t>(Little32(header + 22));
  if (width <= 0 || height == 0) throw TLPaymentPlugIns::errors::InvalidPicture(path);
  return {width, std::abs(height)};
}

ScriptedFrontend::Form& ScriptedFrontend::form() const {
  if (mForm == nullptr) throw std::logic_error("no dialog has been shown");
  return *mForm;
}

ScriptedFrontend::RowPtr ScriptedFrontend::Row(const TLPaymentPlugIns::TolvaneUI& view,
                                               const std::string& key) const {
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
