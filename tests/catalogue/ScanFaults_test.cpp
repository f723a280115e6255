// Scans over folders that misbehave: the collection's own outcome, no
// crash, no descriptor left open.
#include <dirent.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/PlugIns.h"
#include "support/PlugInFolder.h"
#include "support/Raises.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

}  // namespace

TEST(ScanFaults, LinksLoopsAndVanishedDocumentsAreHandled) {
  TempDir dir;
  MakePlugInFolder(dir, "a", MinimalConfig("A"));
  fs::create_symlink(dir / "loop", dir / "loop");                         // a link loop as plug-in folder
  fs::create_directory_symlink(dir / "a", dir / "b-alias");                 // a linked plug-in: same ID again
  fs::create_directory(dir / "c");
  fs::create_symlink(dir / "c/gone.xml", dir / "c/config.xml");             // config.xml that does not exist
  const int before = OpenDescriptors();
  PlugIns plugIns;
  EXPECT_TRUE(Raises(457, [&] { plugIns.PlugInsPath(dir.path()); }));
  EXPECT_EQ(plugIns.Count(), 1);
  fs::remove(dir / "b-alias");
  plugIns.PlugInsPath(dir.path());
  EXPECT_EQ(plugIns.Count(), 1);
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST(ScanFaults, ADocumentThatCannotBeReadEndsTheScanWith100991) {
  TempDir dir;
  MakePlugInFolder(dir, "a", MinimalConfig("A"));
  fs::create_directory(dir / "b");
  // A file that exists but is not a readable document: a FIFO would block,
  // so use a document truncated mid-way, as a crash of its writer leaves it.
  WriteFile(dir / "b/config.xml", MinimalConfig("B").substr(0, 40));
  const int before = OpenDescriptors();
  PlugIns plugIns;
  EXPECT_TRUE(Raises(100991, [&] { plugIns.PlugInsPath(dir.path()); }));
  EXPECT_EQ(plugIns.Count(), 1);
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST(ScanFaults, ManyPlugInsInOneScanKeepDescriptorsFlat) {
  TempDir dir;
  for (int i = 0; i < 500; ++i) MakePlugInFolder(dir, "p" + std::to_string(i), MinimalConfig("P" + std::to_string(i)));
  const int before = OpenDescriptors();
  PlugIns plugIns;
  for (int round = 0; round < 3; ++round) plugIns.PlugInsPath(dir.path());
  EXPECT_EQ(plugIns.Count(), 500);
  for (const auto& plugIn : plugIns) EXPECT_EQ(plugIn->GetParam("none"), "");
  EXPECT_EQ(OpenDescriptors(), before);
}
