#pragma once

#include <chrono>
#include <string>

namespace TLPaymentPlugIns {

// The advisory lock that writers of one plug-in folder's config.xml take, so
// that two of them never overwrite each other's changes: an exclusive flock
// on the file config.xml.lock beside config.xml, created by the writer that
// takes the lock and removed by it as it lets go. A writer takes the lock,
// loads the document, changes it, saves it and only then lets the lock go.
// Readers need no lock, since saves replace config.xml whole. The lock
// belongs to the open file, so it goes when the object goes or the process
// ends, however it ends.
class PlugInLock {
 public:
  // Takes the lock of folder, waiting up to timeout while another writer
  // holds it. Raises 100996 when the wait runs out, and the file system's
  // error when the lock file cannot be opened (for example, no such folder).
  PlugInLock(const std::string& folder, std::chrono::milliseconds timeout);
  ~PlugInLock();
  PlugInLock(const PlugInLock&) = delete;
  PlugInLock& operator=(const PlugInLock&) = delete;

  // The lock file of a folder. A host that takes the lock by hand opens
  // (creating) this file, flocks it, and holds the lock only if the file
  // it locked is still the one at this path; it removes it before closing.
  static std::string LockFilePath(const std::string& folder);

  // The locked folder has been renamed to folder (an upgrade swapped it
  // out): the lock file is removed from there as the lock goes.
  void Moved(const std::string& folder) { mPath = LockFilePath(folder); }

 private:
  std::string mPath;
  int mFd;
};

}  // namespace TLPaymentPlugIns
