#include "catalogue/PlugIns.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/MessageCapture.h"
#include "support/PlugInFolder.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

std::vector<std::string> Ids(const PlugIns& plugIns) {
  std::vector<std::string> ids;
  for (const auto& plugIn : plugIns) ids.push_back(plugIn->ID());
  return ids;
}

}  // namespace

TEST(PlugInsScan, FindsDirectSubFoldersWithConfigInNameOrder) {
  TempDir dir;
  MakePlugInFolder(dir, "zeta", MinimalConfig("Zeta"));
  MakePlugInFolder(dir, "alpha", MinimalConfig("Alpha"));
  std::filesystem::create_directories(dir / "nocfg/inner");
  WriteFile(dir / "nocfg/plugin.html", "");
  MakePlugInFolder(dir, "nocfg/inner/deep", MinimalConfig("Deep"));
  WriteFile(dir / "config.xml", MinimalConfig("Root"));
  std::filesystem::create_directory(dir / "cfgfolder/");
  std::filesystem::create_directory(dir / "cfgfolder/config.xml");

  PlugIns plugIns;
  plugIns.PlugInsPath(dir.path());
  EXPECT_EQ(plugIns.Count(), 2);
  EXPECT_EQ(Ids(plugIns), (std::vector<std::string>{"Alpha", "Zeta"}));
  EXPECT_EQ(plugIns[1]->ID(), "Alpha");
  EXPECT_EQ(plugIns["ZETA"], plugIns.Item("zeta"));
  EXPECT_EQ(plugIns.Item(2)->ConfigPath(), dir / "zeta");
}

TEST(PlugInsScan, EveryLetMakesNewObjectsAndPassesATrailingSeparatorOnDoubled) {
  TempDir dir;
  MakePlugInFolder(dir, "a", MinimalConfig("A"));
  PlugIns plugIns;
  plugIns.PlugInsPath(dir.path());
  const auto first = plugIns[1];
  plugIns.PlugInsPath(dir.path() + "/");
  EXPECT_NE(plugIns[1], first);
  EXPECT_EQ(first->ID(), "A");  // still alive while held
  EXPECT_EQ(plugIns.PlugInsPath(), dir.path() + "/");
  EXPECT_EQ(plugIns[1]->ConfigPath(), dir.path() + "//a");
}

TEST(PlugInsScan, MissingRootShowsTheMessageOncePerLetAndEmptiesTheCollection) {
  TempDir dir;
  MakePlugInFolder(dir, "a", MinimalConfig("A"));
  PlugIns plugIns;
  {
    MessageCapture messages;
    plugIns.PlugInsPath(dir.path());
    ASSERT_EQ(plugIns.Count(), 1);
    plugIns.PlugInsPath(dir / "missing");
    plugIns.PlugInsPath(dir / "a/config.xml");
    EXPECT_EQ(plugIns.Count(), 0);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"TLPaymentPlugIns: PlugIn Folder does not exist",
                                                        "TLPaymentPlugIns: PlugIn Folder does not exist"}));
  }
  // The default message box is one line on standard error.
  testing::internal::CaptureStderr();
  plugIns.PlugInsPath("/nonexistent/tlpp/root");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "TLPaymentPlugIns: PlugIn Folder does not exist\n");
}
