#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/PlugIns.h"
#include "platform/Error.h"

namespace TLPaymentPlugIns {

// A scan of a plug-in root that keeps going where PlugIns stops: every
// direct sub-folder with anything named config.xml in it, and every entry
// that may be a folder but cannot be examined (a link loop), gives one
// result, in the order PlugIns scans them. Plug-ins are filed by the rules
// PlugIns files them by, so an ID that is already filed is the later
// folder's error (457). Nothing is written.
class PlugInScan {
 public:
  // One sub-folder's outcome: the plug-in loaded from it, or the error that
  // kept it out.
  struct Result {
    std::string folder;
    std::shared_ptr<PlugIn> plugIn;
    std::optional<Error> error;
  };

  // Raises only the root's own error: 76 when there is no folder root, the
  // file system's error when it cannot be listed.
  static std::vector<Result> Run(const std::string& root);

  // The path of the sub-folder name of root, as both scans form it.
  static std::string FolderPath(const std::string& root, const std::string& name);
  // Loads the plug-in in folderPath and files it under its ID; the first
  // error (load, ID, duplicate key) is raised and nothing is filed.
  static std::shared_ptr<PlugIn> File(const std::string& folderPath, PlugIns::Items& items);
};

}  // namespace TLPaymentPlugIns
