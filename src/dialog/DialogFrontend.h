#pragma once

#include <memory>
#include <string>

#include "dialog/ImageControl.h"

namespace TLPaymentPlugIns {

class frmPlugIn;

// What shows the configuration dialog: a window system's frontend, or a
// scripted one in tests. A host installs one for the whole process before it
// opens a dialog; without one, ShowConfigDialogue raises 100995.
class DialogFrontend {
 public:
  // Application-wide mouse pointers.
  static constexpr int kPointerDefault = 0;
  static constexpr int kPointerQuestionArrow = 14;

  virtual ~DialogFrontend() = default;

  // Why no window can be shown now, or "" when one can. Asked before the
  // dialog is built.
  virtual std::string Unavailable() const = 0;
  // Runs form.Form_Load(), whose error passes to the caller before anything
  // is shown; then shows the form modally and returns when it is unloaded.
  virtual void ShowModal(frmPlugIn& form) = 0;
  // The size in pixels of the picture in a file; raises 481 when the file is
  // not a picture this frontend can read.
  virtual ImageControl::PictureSize ReadPicture(const std::string& path) = 0;
  // Hands a link to the user's default handler; failures are ignored.
  virtual void OpenLink(const std::string& target) = 0;
  virtual void MousePointer(int pointer) = 0;

  // The process's one frontend slot. Install returns the previous frontend;
  // an empty pointer uninstalls.
  static std::shared_ptr<DialogFrontend> Install(std::shared_ptr<DialogFrontend> frontend);
  static std::shared_ptr<DialogFrontend> Installed();
};

}  // namespace TLPaymentPlugIns
