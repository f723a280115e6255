#include "plugin/PlugIn.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/PlugInFolder.h"
#include "support/Raises.h"
#include "support/ScratchMount.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

constexpr const char* kMalformed = "Configuration malformed. Proccess aborted";
constexpr const char* kPathMissing = "Configuration Path not present";

std::string FixtureFolder(const TempDir& dir, const std::string& fixture, const std::string& name = "p") {
  return MakePlugInFolder(dir, name, Fixture("plugin/data/" + fixture));
}

}  // namespace

TEST(PlugInLoad, MissingOrMalformedDocumentRaises100991AndKeepsThePath) {
  TempDir dir;
  std::filesystem::create_directory(dir / "empty");
  const std::string broken = FixtureFolder(dir, "not_well_formed.xml");
  for (const std::string& folder : {dir / "empty", broken}) {
    PlugIn plugIn;
    EXPECT_TRUE(Raises(
        100991, [&] { plugIn.ConfigPath(folder); }, kMalformed));
    EXPECT_EQ(plugIn.ConfigPath(), folder);
    // Every loading member tries again and fails the same way.
    EXPECT_TRUE(Raises(100991, [&] { plugIn.ID(); }));
    EXPECT_TRUE(Raises(100991, [&] { plugIn.Config(); }));
    EXPECT_EQ(plugIn.IconPath(), "");
    EXPECT_TRUE(Raises(
        100994, [&] { plugIn.SaveConfiguration(); }, kPathMissing));
  }
}

TEST(PlugInFlags, OnlyExactTrueCounts) {
  TempDir dir;
  PlugIn plugIn;
  plugIn.ConfigPath(FixtureFolder(dir, "no_active_attribute.xml"));
  EXPECT_FALSE(plugIn.IsUserDef());  // "True" is not "true"
  EXPECT_TRUE(Raises(91, [&] { plugIn.IsActive(); }));
  EXPECT_TRUE(Raises(91, [&] { plugIn.IsActive(true); }));
  EXPECT_EQ(plugIn.Config().documentElement().attributes().getNamedItem("active").IsEmpty(), true);

  PlugIn other;
  other.ConfigPath(MakePlugInFolder(dir, "q", "<P active=\"TRUE\" userDefined=\"1\"/>"));
  EXPECT_FALSE(other.IsActive());
  EXPECT_FALSE(other.IsUserDef());
}

TEST(PlugInSave, FailedSaveReachesCallerAndKeepsFileAndMemory) {
  ScratchMount mount(64 * 1024);
  if (!mount.available()) GTEST_SKIP() << "needs root to mount a scratch file system";
  WriteFile(mount / "config.xml", Fixture("plugin/data/complete.xml"));
  const std::string before = ReadFile(mount / "config.xml");
  PlugIn plugIn;
  plugIn.ConfigPath(mount.path());
  plugIn.IsActive(true);
  ASSERT_TRUE(mount.makeReadOnly());
  EXPECT_TRUE(Raises(70, [&] { plugIn.SaveConfiguration(); }));
  EXPECT_EQ(ReadFile(mount / "config.xml"), before);
  EXPECT_TRUE(plugIn.IsActive());
}
