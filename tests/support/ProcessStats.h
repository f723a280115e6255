#pragma once

#include <filesystem>
#include <iterator>

namespace testing_support {

// This process's open file descriptors.
inline long OpenDescriptors() {
  const std::filesystem::directory_iterator fds("/proc/self/fd");
  return std::distance(begin(fds), end(fds));
}

}  // namespace testing_support
