#include "platform/FileSystemObject.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

namespace fs = std::filesystem;

namespace {

Error FromErrorCode(const std::error_code& ec, const std::string& path) { return errors::FromErrno(ec.value(), path); }

Error PathNotFound(const std::string& path) {
  Error error(errors::kPathNotFound, errors::kRuntimeSource, "Path not found: " + path);
  error.At(path).Because(std::generic_category().message(ENOENT));
  return error;
}

}  // namespace

bool FileSystemObject::FolderExists(const std::string& path) const {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

bool FileSystemObject::FileExists(const std::string& path) const {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool FileSystemObject::Exists(const std::string& path) const {
  std::error_code ec;
  return !path.empty() && fs::exists(fs::symlink_status(path, ec));
}

Folder FileSystemObject::GetFolder(const std::string& path) const {
  if (!FolderExists(path)) throw PathNotFound(path);
  return Folder(path, fs::path(path).filename().string());
}

std::vector<Folder::Entry> Folder::SubFolderEntries() const {
  std::error_code ec;
  fs::directory_iterator it(mPath, ec);
  if (ec) throw FromErrorCode(ec, mPath);
  std::vector<Entry> entries;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    std::error_code statError;
    const bool isFolder = it->is_directory(statError);
    if (!isFolder && !statError) continue;
    const std::string name = it->path().filename().string();
    std::string path = mPath + "/" + name;
    std::optional<Error> problem;
    if (statError) problem = FromErrorCode(statError, path);
    entries.push_back({Folder(std::move(path), name), std::move(problem)});
  }
  if (ec) throw FromErrorCode(ec, mPath);
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.folder.Name() < b.folder.Name(); });
  return entries;
}

std::vector<Folder> Folder::SubFolders() const {
  std::vector<Folder> folders;
  for (Entry& entry : SubFolderEntries()) {
    if (!entry.problem) folders.push_back(std::move(entry.folder));
  }
  return folders;
}

void FileSystemObject::CreateFolder(const std::string& path) const {
  if (path.empty()) throw errors::InvalidArgument();
  if (mkdir(path.c_str(), 0777) != 0) {
    if (errno == ENOENT) throw PathNotFound(path);
    throw errors::FromErrno(errno, path);
  }
}

void FileSystemObject::CopyFile(const std::string& source, const std::string& destination, bool overwrite) const {
  if (!FileExists(source)) throw errors::FromErrno(ENOENT, source);
  std::error_code ec;
  const auto options = overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
  fs::copy_file(source, destination, options, ec);
  if (ec) throw FromErrorCode(ec, destination);
}

std::unique_ptr<TextStream> FileSystemObject::OpenTextFile(const std::string& path, IOMode mode, bool create,
                                                           Tristate /*format*/) const {
  if (FolderExists(path)) {
    throw errors::FromErrno(EISDIR, path);
  }
  if (mode == ForWriting && !create && !FileExists(path)) throw errors::FromErrno(ENOENT, path);
  std::FILE* file = std::fopen(path.c_str(), mode == ForReading ? "rbe" : "wbe");
  if (file == nullptr) {
    if (errno == ENOENT && mode == ForWriting) throw PathNotFound(path);
    throw errors::FromErrno(errno, path);
  }
  return std::make_unique<TextStream>(file, path);
}

}  // namespace TLPaymentPlugIns
