#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_support {

// This process's resident set, in KiB.
inline long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// This process's open file descriptors.
inline long OpenDescriptors() {
  const std::filesystem::directory_iterator fds("/proc/self/fd");
  return std::distance(begin(fds), end(fds));
}

}  // namespace testing_support
