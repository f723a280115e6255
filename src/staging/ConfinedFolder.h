#pragma once

#include <filesystem>
#include <string>

namespace TLPaymentPlugIns {

// A folder that the host gave staging and that staging must not leave: the
// stage folder it writes into, the plug-in folder it reads from. A path is
// inside when, with ".", "..", doubled separators and symbolic links
// resolved, it lies below the folder; a symbolic link that can't be resolved
// (it points to nothing yet) counts as outside, since writing through it
// would create its target.
class ConfinedFolder {
 public:
  // The folder is resolved once, here; when it is empty or can't be
  // resolved, every path is outside.
  explicit ConfinedFolder(const std::string& folder);

  // folder + "/" + a relative path from a document ("\" taken as "/"),
  // confined. A path that begins with a separator ("\tlinvoice\logo.gif")
  // only doubles it and stays below the folder, as a parentFolder does.
  std::string Join(const std::string& documentPath) const;
  // The path itself when it lies inside; raises 70 (permission denied)
  // otherwise.
  const std::string& Confine(const std::string& path) const;
  // The path below the folder, links resolved; "" when it lies outside.
  std::string Relative(const std::string& path) const;

 private:
  // The resolved path below the folder, or an empty path when outside.
  std::filesystem::path Below(const std::string& path) const;

  std::string mFolder;
  std::filesystem::path mResolved;
};

}  // namespace TLPaymentPlugIns
