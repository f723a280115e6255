#pragma once

#include <unistd.h>

#include <fstream>

// This process's resident set, in KiB.
inline long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
