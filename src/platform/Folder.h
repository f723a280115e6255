#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"

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
  // A direct entry that is a folder, or that may be one but cannot be
  // examined; problem then says why.
  struct Entry;
  // The sub-folders in the order of SubFolders, with each entry that cannot
  // be examined in its place by name.
  std::vector<Entry> SubFolderEntries() const;

 private:
  std::string mPath;
  std::string mName;
};

struct Folder::Entry {
  Folder folder;
  std::optional<Error> problem;
};

}  // namespace TLPaymentPlugIns
