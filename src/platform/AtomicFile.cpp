#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

namespace {

// Removes the temporary file unless the rename took it over.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string pattern) : mPath(std::move(pattern)), mFd(mkstemp(mPath.data())) {
    if (mFd < 0) mPath.clear();
  }
  ~TemporaryFile() {
    if (mFd >= 0) close(mFd);
    if (!mPath.empty()) unlink(mPath.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return mFd; }
  const std::string& path() const { return mPath; }
  int closeNow() {
    const int rc = close(mFd);
    mFd = -1;
    return rc;
  }
  void release() { mPath.clear(); }

 private:
  std::string mPath;
  int mFd;
};

mode_t DefaultMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

void AtomicFile::Replace(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target(path);
  const std::string folder = target.has_parent_path() ? target.parent_path().string() : std::string(".");
  TemporaryFile temp(folder + "/." + target.filename().string() + ".tmp-XXXXXX");
  if (temp.fd() < 0) throw errors::FromErrno(errno, path);

  struct stat existing {};
  const mode_t mode = stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : DefaultMode();
  if (fchmod(temp.fd(), mode) != 0) throw errors::FromErrno(errno, path);

  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(temp.fd(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw errors::FromErrno(errno, path);
    }
    written += static_cast<std::size_t>(n);
  }
  if (fsync(temp.fd()) != 0) throw errors::FromErrno(errno, path);
  if (temp.closeNow() != 0) throw errors::FromErrno(errno, path);
  if (rename(temp.path().c_str(), path.c_str()) != 0) throw errors::FromErrno(errno, path);
  temp.release();

  // Make the rename itself durable.
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

}  // namespace TLPaymentPlugIns
