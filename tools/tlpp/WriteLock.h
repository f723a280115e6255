#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Arguments.h"

namespace tlpp {

// Every command that writes a plug-in's config.xml runs its reading,
// changing and saving while it holds the folder's lock (PlugInLock), so a
// second writer waits instead of dropping the first one's change.
class WriteLock {
 public:
  // Runs write while holding the locks of folders (taken in sorted order),
  // waiting up to --wait SECONDS (default 10) for each. Returns what write
  // returns, or kExitBusy with the error when another writer held a lock
  // too long.
  static int Run(const std::vector<std::string>& folders, const Arguments& args, const std::function<int()>& write);
};

}  // namespace tlpp
