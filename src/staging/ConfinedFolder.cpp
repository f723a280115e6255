#include "staging/ConfinedFolder.h"

#include <cerrno>

#include "platform/ErrorCodes.h"
#include "platform/Path.h"

namespace TLPaymentPlugIns {

namespace fs = std::filesystem;

ConfinedFolder::ConfinedFolder(const std::string& folder) : mFolder(folder) {
  // A folder that doesn't exist (yet) holds nothing to read or write; it is
  // resolved as far as it exists, so that its paths fail on their own.
  std::error_code ec;
  if (!folder.empty()) mResolved = fs::weakly_canonical(folder, ec);
  if (ec) mResolved.clear();
}

std::string ConfinedFolder::Join(const std::string& documentPath) const {
  return Confine(Path::Join(mFolder, documentPath));
}

const std::string& ConfinedFolder::Confine(const std::string& path) const {
  if (Below(path).empty()) throw errors::FromErrno(EACCES, path);
  return path;
}

std::string ConfinedFolder::Relative(const std::string& path) const { return Below(path).string(); }

fs::path ConfinedFolder::Below(const std::string& path) const {
  if (mResolved.empty()) return {};
  std::error_code ec;
  const fs::path resolved = fs::weakly_canonical(path, ec);
  if (ec) return {};
  const fs::path below = resolved.lexically_relative(mResolved);
  if (below.empty() || below == "." || *below.begin() == "..") return {};
  // weakly_canonical resolves every link that leads somewhere; a link left
  // in the path points to nothing.
  fs::path walked = mResolved;
  for (const fs::path& part : below) {
    walked /= part;
    if (fs::is_symlink(fs::symlink_status(walked, ec))) return {};
  }
  return below;
}

}  // namespace TLPaymentPlugIns
