#pragma once

#include <memory>
#include <string>

#include "platform/Folder.h"
#include "platform/TextStream.h"

namespace TLPaymentPlugIns {

// Files and folders, named by path strings. Failures raise the runtime's
// numbered file errors (53 file not found, 70 permission denied, 76 path not
// found, ...).
class FileSystemObject {
 public:
  enum IOMode { ForReading = 1, ForWriting = 2 };
  enum Tristate { TristateFalse = 0 };

  // A folder exists, following symbolic links; a file is never a folder.
  bool FolderExists(const std::string& path) const;
  // A regular file exists, following symbolic links; a folder is never a file.
  bool FileExists(const std::string& path) const;
  // Anything is at path: a file, a folder, even a link that leads nowhere.
  bool Exists(const std::string& path) const;
  // The folder at path; raises 76 when there is none.
  Folder GetFolder(const std::string& path) const;
  // Creates one folder level; its parent must exist.
  void CreateFolder(const std::string& path) const;
  // Copies one file byte for byte, through the kernel's copy where it can.
  void CopyFile(const std::string& source, const std::string& destination, bool overwrite) const;
  // Opens a text file. ForReading: the file must exist. ForWriting: the file
  // is emptied, or created when create is true.
  std::unique_ptr<TextStream> OpenTextFile(const std::string& path, IOMode mode, bool create,
                                           Tristate format = TristateFalse) const;
};

}  // namespace TLPaymentPlugIns
