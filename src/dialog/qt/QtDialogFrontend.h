#pragma once

#include <string>

#include "dialog/DialogFrontend.h"

namespace TLPaymentPlugIns {

// Shows the configuration dialog as a Qt 6 Widgets window. It uses the
// host's QApplication, or creates one for the process when there is none.
// Without a display (DISPLAY, WAYLAND_DISPLAY) or a Qt platform named in
// QT_QPA_PLATFORM, or when the X server it would use cannot be reached, it
// reports itself unavailable instead of letting Qt abort.
class QtDialogFrontend : public DialogFrontend {
 public:
  std::string Unavailable() const override;
  void ShowModal(frmPlugIn& form) override;
  // Reads the picture's header only, so a huge picture costs nothing here.
  PictureSize ReadPicture(const std::string& path) override;
  void OpenLink(const std::string& target) override;
  void MousePointer(int pointer) override;

  // Instead of waiting for the user, draw the dialog off screen into
  // main.png, advanced.png and report.png in folder, then close it without
  // saving.
  void ScreenshotTo(const std::string& folder);
  bool LastClosedByOk() const { return mLastClosedByOk; }

 private:
  std::string mScreenshotFolder;
  bool mLastClosedByOk = false;
  bool mPointerOverridden = false;
};

}  // namespace TLPaymentPlugIns
