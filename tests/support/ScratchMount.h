#pragma once

#include <string>

#include "support/TempDir.h"

namespace testing_support {

// A small tmpfs of its own, for faults a normal folder cannot show to root:
// a full file system and a read-only one. Mounting needs root; available()
// says whether it worked, and a test skips otherwise. Unmounted on
// destruction.
class ScratchMount {
 public:
  explicit ScratchMount(std::size_t bytes);
  ~ScratchMount();
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;

  bool available() const { return mMounted; }
  const std::string& path() const { return mDir.path(); }
  std::string operator/(const std::string& relative) const { return mDir / relative; }
  // Remounts read-only; true on success.
  bool makeReadOnly();
  // Writes filler files until the file system is full.
  void fill();

 private:
  TempDir mDir;
  bool mMounted = false;
};

}  // namespace testing_support
