#pragma once

#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with all its
// contents (read-only parts included) when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return mPath; }
  // path() + "/" + relative
  std::string operator/(const std::string& relative) const { return mPath + "/" + relative; }

 private:
  std::string mPath;
};

// Whole-file helpers for fixtures.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// Copies a bundled sample plug-in (a folder of examples/plugins) to dest.
void CopySample(const std::string& sampleName, const std::string& dest);
// A fixture document stored beside the tests, by path relative to tests/.
std::string Fixture(const std::string& relative);

// The text with each occurrence of from replaced by to.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace testing_support
