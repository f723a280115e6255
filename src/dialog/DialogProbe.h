#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace TLPaymentPlugIns {

class PlugIn;

// Opens a plug-in's configuration dialog without showing it, to learn what
// the user would meet: the dialog's own load runs on a copy of the plug-in's
// document (the load may add Value elements; the plug-in's document is never
// touched). The logo is read by the installed frontend when there is one;
// without one it counts as readable.
class DialogProbe {
 public:
  struct Outcome {
    // The error that keeps the dialog from opening.
    std::optional<Error> error;
    // The caption keys the dialog would show empty, in lookup order.
    std::vector<std::string> emptyCaptions;
  };

  // Loads the plug-in first; a load error is raised, not reported.
  static Outcome Open(PlugIn& plugIn, const std::string& AppLang, const std::string& StoreLang);
};

}  // namespace TLPaymentPlugIns
