#pragma once

#include <string>
#include <vector>

namespace TLPaymentPlugIns {

// An existing folder, as FileSystemObject::GetFolder found it.
class Folder {
 public:
  Folder(std::string path, std::string name) : mPath(std::move(path)), mName(std::move(name)) {}

  const std::string& Path() const noexcept { return mPath; }
  const std::string& Name() const noexcept { return mName; }
  // The direct sub-folders, sorted by name byte for byte, so that every file
  // system lists them in the same order. An entry that cannot be examined
  // (a dangling link, a link loop) is not a folder.
  std::vector<Folder> SubFolders() const;

 private:
  std::string mPath;
  std::string mName;
};

}  // namespace TLPaymentPlugIns
