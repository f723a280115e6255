#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace testing_support {

// How many plug-ins the broken root holds in all, and how many of them are
// copies of the good fixture.
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
  const std::string id = "<ID>Good</ID>";
  for (int i = 1; i <= kBrokenRootGoodCopies; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Good%03d", i);
    std::string copy = good;
    copy.replace(copy.find(id), id.size(), std::string("<ID>") + name + "</ID>");
    fs::create_directory(root + "/" + name);
    WriteFile(root + "/" + name + "/config.xml", copy);
  }
  return root;
}

// Whether this process is refused a mode-000 file, as every user but root is.
inline bool ModesAreEnforced() { return geteuid() != 0; }

// Every file under root with its bytes (or its mode, when it cannot be
// read), to show that nothing was written.
inline std::map<std::string, std::string> Snapshot(const std::string& root) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::error_code ec;
    if (!entry.is_regular_file(ec)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    if (in) {
      bytes << in.rdbuf();
    } else {
      bytes << "mode " << static_cast<int>(fs::status(entry.path()).permissions());
    }
    files[entry.path().string()] = bytes.str();
  }
  return files;
}

}  // namespace testing_support
