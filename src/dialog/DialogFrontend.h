#pragma once

#include <memory>
#include <string>

namespace TLPaymentPlugIns {

// The dialog's form. A frontend shows it and hands it back; the form itself
// is the library's own.
class frmPlugIn;

// A picture's size in pixels.
struct PictureSize {
  long Width = 0;
  long Height = 0;
};

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
  virtual PictureSize ReadPicture(const std::string& path) = 0;
  // Hands a link to the user's default handler; failures are ignored.
  virtual void OpenLink(const std::string& target) = 0;
  virtual void MousePointer(int pointer) = 0;

  // Whether form was last closed with OK (or Enter), for a frontend that
  // wraps another and reports how the dialog ended.
  static bool ClosedByOk(const frmPlugIn& form);

  // The process's one frontend slot. Install returns the previous frontend;
  // an empty pointer uninstalls.
  static std::shared_ptr<DialogFrontend> Install(std::shared_ptr<DialogFrontend> frontend);
  static std::shared_ptr<DialogFrontend> Installed();
};

}  // namespace TLPaymentPlugIns
