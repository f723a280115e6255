#pragma once

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/TempDir.h"

namespace testing_support {

// The broken root's plug-ins in all, and the good fixture's copies in it.
inline constexpr int kBrokenRootSize = 200;
inline constexpr int kBrokenRootGoodCopies = 188;

// A copy of tests/catalogue/data/broken-root under dir, with what git cannot
// keep added (the link loop, the mode-000 config.xml) and the good fixture
// copied 188 times, each with its own ID (Good001 ...). Returns its path.
inline std::string MakeBrokenRoot(const TempDir& dir) {
  namespace fs = std::filesystem;
  const std::string data = std::string(TLPP_TEST_DATA) + "/catalogue/data/";
  const std::string root = dir / "broken-root";
  fs::copy(data + "broken-root", root, fs::copy_options::recursive);
  fs::create_symlink("link-loop", root + "/link-loop");
  fs::permissions(root + "/unreadable/config.xml", fs::perms::none);
  const std::string good = ReadFile(data + "good/config.xml");
  const std::size_t afterGood = good.find("<ID>Good</ID>") + 8;
  for (int i = 1; i <= kBrokenRootGoodCopies; ++i) {
    const std::string number = std::to_string(1000 + i).substr(1);  // 001 ...
    fs::create_directory(root + "/Good" + number);
    WriteFile(root + "/Good" + number + "/config.xml", std::string(good).insert(afterGood, number));
  }
  return root;
}

// Whether this process is refused a mode-000 file, as every user but root is.
inline bool ModesAreEnforced() { return geteuid() != 0; }

// Every file under root that can be read, with its bytes, to show that
// nothing was written.
inline std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::error_code ec;
    if (entry.is_regular_file(ec) && access(entry.path().c_str(), R_OK) == 0) {
      files[entry.path().string()] = ReadFile(entry.path().string());
    }
  }
  return files;
}

}  // namespace testing_support
