// Upgrading a plug-in folder to a new version: what is carried, converted
// and dropped, the swap under faults, rollback, and that an unchanged
// version changes nothing.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <map>

#include "catalogue/PlugInUpgrade.h"
#include "plugin/PlugIn.h"
#include "plugin/PlugInLock.h"
#include "support/PlugInFolder.h"
#include "support/ScratchMount.h"
#include "support/Table.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kWait{1000};

std::string Params(std::string abbreviated) {
  for (std::size_t at; (at = abbreviated.find('{')) != std::string::npos;) {
    abbreviated.replace(at, 1, "<Param readOnly=\"false\" ");
  }
  for (std::size_t at; (at = abbreviated.find('}')) != std::string::npos;) abbreviated.replace(at, 1, "</Param>");
  return "<Params>" + abbreviated + "</Params>";
}

// Every file under root by its relative path, with its bytes.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = ReadFile(entry.path().string());
  }
  return files;
}

// A sample installed as dir/shop/p and shipped again as dir/next.
void Installed(const TempDir& dir, const std::string& sample) {
  fs::create_directories(dir / "shop");
  CopySample(sample, dir / "shop/p");
  CopySample(sample, dir / "next");
}

std::string Dash(const std::string& text) { return text.empty() ? "-" : text; }

}  // namespace

TEST(PlugInUpgrade, PlansAndWritesEachPairOfDeclarations) {
  for (const TableRow& row : ReadTable("catalogue/data/upgrade.txt")) {
    SCOPED_TRACE(row.path + ":" + std::to_string(row.line) + ": " + row.fields[0]);
    TempDir dir;
    const std::string old = MakePlugInFolder(dir, "shop/p", MinimalConfig("P", Params(row.fields[1])));
    const std::string next = MakePlugInFolder(dir, "next", MinimalConfig("p", Params(row.fields[2])));
    PlugInUpgrade upgrade(old, next);
    std::string plan;
    for (const PlugInUpgrade::Change& change : upgrade.Changes()) {
      if (change.name == "active") continue;
      plan += std::string(plan.empty() ? "" : " ; ") + PlugInUpgrade::KindName(change.kind) + " " + change.name + " " +
              Dash(change.language) + " " + Dash(change.oldValue) + " " + Dash(change.newValue);
    }
    EXPECT_EQ(plan, row.fields[3]);
    // What the plan says a parameter holds now is what a lookup finds.
    upgrade.Apply(kWait);
    PlugIn result;
    result.ConfigPath(old);
    for (const PlugInUpgrade::Change& change : upgrade.Changes()) {
      if (change.kind == PlugInUpgrade::Kind::Dropped || change.name == "active") continue;
      EXPECT_EQ(result.GetParam(change.name, change.language), change.newValue) << change.name;
    }
  }
}

TEST(PlugInUpgrade, AnUnchangedVersionChangesNoByteAndTheBackupIsTheOldFolder) {
  for (const char* sample : {"cashondelivery", "creditcard", "invoice"}) {
    TempDir dir;
    Installed(dir, sample);
    const auto before = Tree(dir / "shop/p");
    PlugInUpgrade upgrade(dir / "shop/p", dir / "next");
    EXPECT_TRUE(upgrade.Complete()) << sample;
    const std::time_t now = std::time(nullptr);
    const std::string backup = upgrade.Apply(kWait);
    // Named for when it was made, in local time.
    char year[8];
    std::strftime(year, sizeof year, "-%Y", std::localtime(&now));
    EXPECT_NE(fs::path(backup).filename().string().find(year), std::string::npos) << backup;
    EXPECT_EQ(Tree(dir / "shop/p"), before) << sample;
    EXPECT_EQ(Tree(backup), before) << sample;
    // The latest of the plug-in's backups, whatever else lies beside it.
    for (const char* other : {"zz-not-a-backup", "p.before-upgrade-20000101-000000", "p.before-upgrade-1999"}) {
      fs::create_directory(fs::path(backup).parent_path() / other);
    }
    EXPECT_EQ(PlugInUpgrade::Rollback(dir / "shop/p", kWait), backup);
    EXPECT_EQ(Tree(dir / "shop/p"), before) << sample;
    EXPECT_FALSE(fs::exists(backup));
  }
}

TEST(PlugInUpgrade, KeepsTheOwnersFilesAndNeverFollowsALinkOut) {
  TempDir dir;
  Installed(dir, "creditcard");
  fs::create_directory(dir / "shop/p/notes");
  for (const char* name : {"mine.txt", "z.txt", "a.txt", "b.txt"}) WriteFile(dir / "shop/p/notes/" + name, "owner");
  fs::remove(dir / "next/merchant.pem");
  fs::create_symlink("shipped.pem", dir / "next/merchant.pem");
  WriteFile(dir / "outside", "secret");
  fs::create_symlink(dir / "outside", dir / "next/link");
  const std::string owners = ReadFile(dir / "shop/p/merchant.pem");
  PlugInUpgrade upgrade(dir / "shop/p", dir / "next");
  std::vector<std::string> kept;  // the declared ones, then the owner's others in name order
  for (const auto& change : upgrade.Changes()) {
    if (change.kind == PlugInUpgrade::Kind::KeptFile) kept.push_back(change.name);
  }
  EXPECT_EQ(kept, (std::vector<std::string>{"gateway.ini", "merchant.pem", "notes/a.txt", "notes/b.txt",
                                            "notes/mine.txt", "notes/z.txt"}));
  upgrade.Apply(kWait);
  EXPECT_EQ(ReadFile(dir / "shop/p/merchant.pem"), owners);
  EXPECT_EQ(fs::read_symlink(dir / "shop/p/merchant.pem.new"), "shipped.pem");
  EXPECT_EQ(ReadFile(dir / "shop/p/notes/mine.txt"), "owner");
  EXPECT_EQ(fs::read_symlink(dir / "shop/p/link"), dir / "outside");
}

TEST(PlugInUpgrade, RefusesWhatCannotReplaceThePlugIn) {
  TempDir dir;
  const std::string old = MakePlugInFolder(dir, "shop/p", MinimalConfig("P"));
  fs::create_directory_symlink(old, dir / "link");
  const std::string ok = MakePlugInFolder(dir, "ok", MinimalConfig("p"));
  const std::pair<std::string, std::string> cases[] = {
      {old, MakePlugInFolder(dir, "malformed", "<P>")},
      {old, MakePlugInFolder(dir, "other", MinimalConfig("Q"))},
      {old, MakePlugInFolder(dir, "no-id", "<P active=\"true\"/>")},
      {old, MakePlugInFolder(dir, "no-languages", "<P active=\"true\"><ID>P</ID></P>")},
      {old, old + "/"},
      {old, MakePlugInFolder(dir, "shop/p/inside", MinimalConfig("P"))},
      {dir / "link", ok},
  };
  const auto before = Tree(dir.path());
  for (const auto& [folder, next] : cases) {
    EXPECT_TRUE(Raises(100997, [&] { PlugInUpgrade(folder, next); })) << next;
  }
  EXPECT_TRUE(Raises(100998, [&] { PlugInUpgrade::Rollback(old, kWait); }));
  EXPECT_EQ(Tree(dir.path()), before);
}

TEST(PlugInUpgrade, WaitsForTheLockAndCleansUpAStaleAssembly) {
  TempDir dir;
  Installed(dir, "invoice");
  fs::create_directories(dir / "shop/.tlpp-upgrade/p.assembly");
  WriteFile(dir / "shop/.tlpp-upgrade/p.assembly/config.xml", "half");
  PlugInUpgrade upgrade(dir / "shop/p", dir / "next");
  {
    PlugInLock held(dir / "shop/p", kWait);
    EXPECT_TRUE(Raises(100996, [&] { upgrade.Apply(std::chrono::milliseconds(50)); }));
  }
  upgrade.Apply(kWait);
  EXPECT_FALSE(fs::exists(dir / "shop/.tlpp-upgrade/p.assembly"));
  EXPECT_FALSE(fs::exists(dir / "shop/p/config.xml.lock"));
}

TEST(PlugInUpgrade, AFullFileSystemLeavesTheOldFolderWholeAndNoAssembly) {
  ScratchMount mount(1 << 20);
  if (!mount.available()) GTEST_SKIP() << "needs a tmpfs of its own";
  TempDir dir;
  CopySample("creditcard", mount / "p");
  CopySample("creditcard", dir / "next");
  WriteFile(dir / "next/big", std::string(2 << 20, 'x'));
  const auto before = Tree(mount / "p");
  EXPECT_THROW(PlugInUpgrade(mount / "p", dir / "next").Apply(kWait), Error);
  EXPECT_EQ(Tree(mount / "p"), before);
  EXPECT_TRUE(fs::is_empty(mount / ".tlpp-upgrade"));
}
