#include "plugin/PlugInLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/ErrorCodes.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugInErrors.h"

namespace TLPaymentPlugIns {

namespace {

// How often a waiting writer asks again.
constexpr std::chrono::milliseconds kRetryInterval{20};

}  // namespace

std::string PlugInLock::LockFilePath(const std::string& folder) { return Path::Join(folder, schema::kLockFile); }

PlugInLock::PlugInLock(const std::string& folder, std::chrono::milliseconds timeout)
    : mPath(LockFilePath(folder)), mFd(-1) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    mFd = ::open(mPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (mFd < 0) throw errors::FromErrno(errno, mPath);
    // Ask without blocking until the lock is ours or the wait runs out.
    while (::flock(mFd, LOCK_EX | LOCK_NB) != 0) {
      const int failure = errno;
      if (failure == EINTR) continue;
      if (failure != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
        ::close(mFd);
        if (failure != EWOULDBLOCK) throw errors::FromErrno(failure, mPath);
        throw errors::PlugInLocked(folder, std::chrono::duration<double>(timeout).count());
      }
      std::this_thread::sleep_for(kRetryInterval);
    }
    // The previous holder removes the file as it lets go: the lock counts
    // only if it is on the file that is there now.
    struct stat held {};
    struct stat current {};
    if (::fstat(mFd, &held) == 0 && ::stat(mPath.c_str(), &current) == 0 && held.st_dev == current.st_dev &&
        held.st_ino == current.st_ino) {
      return;
    }
    ::close(mFd);
  }
}

PlugInLock::~PlugInLock() {
  // The file goes while it is still locked, so no folder keeps a stray lock
  // file; closing it lets the lock go.
  ::unlink(mPath.c_str());
  ::close(mFd);
}

}  // namespace TLPaymentPlugIns
