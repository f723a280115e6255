#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testing_support {

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "tlpp-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  mPath = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Give back write permission first so read-only fixtures can go too.
  for (auto it = fs::recursive_directory_iterator(mPath, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(mPath, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(mPath, ec);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CopySample(const std::string& sampleName, const std::string& dest) {
  fs::copy(fs::path(TLPP_SAMPLES_DIR) / sampleName, dest, fs::copy_options::recursive);
}

std::string Fixture(const std::string& relative) { return ReadFile(std::string(TLPP_TEST_DATA) + "/" + relative); }

}  // namespace testing_support
