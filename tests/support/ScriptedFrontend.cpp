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

// At most four bytes.
void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
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

void WriteBmp(const std::string& path, long width, long height) {
  const auto rowBytes = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
  const auto imageBytes = rowBytes * static_cast<uint32_t>(height);
  std::string bmp = "BM";
  PutLittle(bmp, 54 + imageBytes, 4);
  PutLittle(bmp, 0, 4);
  PutLittle(bmp, 54, 4);
  PutLittle(bmp, 40, 4);
  PutLittle(bmp, static_cast<uint32_t>(width), 4);
  PutLittle(bmp, static_cast<uint32_t>(height), 4);
  PutLittle(bmp, 1, 2);
  PutLittle(bmp, 24, 2);
  PutLittle(bmp, 0, 4);
  PutLittle(bmp, imageBytes, 4);
  PutLittle(bmp, 2835, 4);
  PutLittle(bmp, 2835, 4);
  PutLittle(bmp, 0, 4);
  PutLittle(bmp, 0, 4);
  bmp.append(imageBytes, static_cast<char>(0xC0));
  std::ofstream(path, std::ios::binary) << bmp;
}

}  // namespace testing_support
