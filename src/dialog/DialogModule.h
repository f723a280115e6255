#pragma once

#include <memory>
#include <string>

#include "dialog/DialogFrontend.h"

namespace TLPaymentPlugIns {

// The Qt frontend as a module of its own that a host loads the first time
// it opens the dialog, so that a host that never opens one never loads a
// widget toolkit. The module carries its own copy of the dialog's code and
// is never unloaded.
class DialogModule {
 public:
  // The module's one C entry point: a new frontend that the caller owns.
  // With a folder, the frontend draws the dialog off screen into pictures
  // there instead of waiting for the user (see QtDialogFrontend).
  using EntryPoint = DialogFrontend* (*)(const char* screenshotFolder);
  static constexpr const char* kEntryPoint = "tlpp_CreateDialogFrontend";

  // A new frontend from the module at installedPath, relative to the folder
  // of the program or library that this code is linked into; when nothing
  // is there, by its file name: a module of that name that the process has
  // loaded already, else along that program's or library's run path (the
  // build tree's). Raises 100995 naming what is missing when the module, or
  // a library it needs, cannot be loaded.
  static std::shared_ptr<DialogFrontend> Load(const std::string& installedPath,
                                              const std::string& screenshotFolder = "");
};

}  // namespace TLPaymentPlugIns
