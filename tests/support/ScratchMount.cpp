#include "support/ScratchMount.h"

#include <sys/mount.h>

#include <cstdio>
#include <string>

namespace testing_support {

ScratchMount::ScratchMount(std::size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes);
  mMounted = mount("tmpfs", mDir.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

ScratchMount::~ScratchMount() {
  if (mMounted) umount2(mDir.path().c_str(), MNT_DETACH);
}

bool ScratchMount::makeReadOnly() {
  return mMounted && mount(nullptr, mDir.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void ScratchMount::fill() {
  const std::string block(4096, 'f');
  for (int i = 0;; ++i) {
    std::FILE* file = std::fopen((mDir / ("filler" + std::to_string(i))).c_str(), "wb");
    if (file == nullptr) return;
    bool full = false;
    while (!full) full = std::fwrite(block.data(), 1, block.size(), file) != block.size() || std::fflush(file) != 0;
    std::fclose(file);
    if (i > 10000) return;
  }
}

}  // namespace testing_support
