#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog/DialogFrontend.h"
#include "dialog/frmPlugIn.h"

namespace testing_support {

// A frontend without a window: it runs the dialog's load sequence, then
// lets a script act as the user on the open dialog, and closes the window
// (as the user would) if the script left it open. It records what a real
// frontend would have done.
class ScriptedFrontend : public TLPaymentPlugIns::DialogFrontend {
 public:
  using Form = TLPaymentPlugIns::frmPlugIn;
  using RowPtr = std::shared_ptr<TLPaymentPlugIns::Row>;

  std::string Unavailable() const override { return unavailable; }
  void ShowModal(Form& form) override;
  // What pictures says, or 50 x 40 for every file.
  TLPaymentPlugIns::PictureSize ReadPicture(const std::string& path) override;
  void OpenLink(const std::string& target) override { openedLinks.push_back(target); }
  void MousePointer(int value) override { pointer = value; }

  // The dialog last shown; valid while its plug-in keeps it.
  Form& form() const;
  RowPtr Row(const TLPaymentPlugIns::TolvaneUI& view, const std::string& key) const;

  // The user's actions on the open dialog.
  void TickActive() { form().SSCPlugInActive.Toggle(); }
  // Types text into a row and finishes the edit.
  void EditRow(const std::string& key, const std::string& text);
  void CheckRow(const std::string& key, bool checked);
  void SelectRow(const TLPaymentPlugIns::TolvaneUI& view, const std::string& key);
  void PressOk() { form().cmdOk.Click(); }
  void PressApply() { form().cmdApply.Click(); }
  void PressCancel() { form().cmdCancel.Click(); }
  void CloseWindow() { form().Unload(); }

  // Set by a test.
  std::string unavailable;
  std::function<void(ScriptedFrontend&)> script;
  std::function<TLPaymentPlugIns::PictureSize(const std::string&)> pictures;
  // Recorded.
  int shown = 0;
  std::vector<std::string> openedLinks;
  int pointer = 0;

 private:
  Form* mForm = nullptr;
};

}  // namespace testing_support
