#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "RecordingStageObject.h"
#include "plugin/PlugIn.h"
#include "staging/StageManifest.h"
#include "support/PlugInFolder.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// Every entry below root, links listed and not followed.
std::vector<std::string> Listing(const std::string& root) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    entries.push_back(entry.path().lexically_relative(root).string());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

class FileStagingTest : public ::testing::Test {
 protected:
  // A plug-in folder with the fixture's document and these files, and an
  // empty stage folder.
  void Make(const std::string& fixture, const std::vector<std::pair<std::string, std::string>>& files) {
    plugInFolder = MakePlugInFolder(dir, "plugin", Fixture("staging/data/" + fixture));
    for (const auto& [name, bytes] : files) WriteFile(plugInFolder + "/" + name, bytes);
    fs::create_directory(stage);
    plugIn.ConfigPath(plugInFolder);
  }

  TempDir dir;
  std::string plugInFolder;
  const std::string stage = dir / "stage";
  PlugIn plugIn;
  RecordingStageObject host;
};

const std::string kBinary("line\r\nzero\0byte\xff\n", 18);

const std::vector<std::pair<std::string, std::string>> kFilesSources = {
    {"page.html", "page"},     {"binary.dat", kBinary},      {"capital.html", "capital"},
    {"one.html", "one"},       {"unstaged.txt", "unstaged"}, {"first.txt", "first"},
    {"second.html", "second"}, {"resource.txt", "resource"}, {"required.txt", "required"},
};

}  // namespace

TEST_F(FileStagingTest, FoldersAreCreatedOneLevelAtATimeInDocumentOrder) {
  Make("folders.xml", {});
  fs::create_directory(stage + "/kept");
  WriteFile(stage + "/kept/old.txt", "old");
  plugIn.CopyPlugInFiles(stage, &host);
  // "early" came before its parent; the broken elements are passed over.
  EXPECT_EQ(Listing(stage), (std::vector<std::string>{"kept", "kept/old.txt", "top", "top/mid", "top/mid/deep"}));
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(FileStagingTest, FilesAreCopiedOrRenderedAndFailingOnesPassedOver) {
  Make("files.xml", kFilesSources);
  plugIn.CopyPlugInFiles(stage, &host);

  EXPECT_EQ(Listing(stage), (std::vector<std::string>{"out", "out/binary.dat", "out/capital.html", "out/one.html",
                                                      "out/page.html", "out/resource.txt", "out/twice.txt"}));
  // Only the exact "true" renders; anything else is a byte-for-byte copy.
  EXPECT_EQ(ReadFile(stage + "/out/page.html"), "[page]");
  EXPECT_EQ(ReadFile(stage + "/out/binary.dat"), kBinary);
  EXPECT_EQ(ReadFile(stage + "/out/capital.html"), "capital");
  EXPECT_EQ(ReadFile(stage + "/out/one.html"), "one");
  EXPECT_EQ(ReadFile(stage + "/out/resource.txt"), "resource");
  // The later of two elements with one destination wins.
  EXPECT_EQ(ReadFile(stage + "/out/twice.txt"), "[second]");
  // Each rendered text: ParseSnippet with mode 1, then PCode, once.
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ParseSnippet(page,1)", "PCode", "ParseSnippet(second,1)", "PCode"}));
  // The manifest lists a destination once, for the file written there last.
  const std::string manifest = StageManifest::Describe(plugIn, stage);
  EXPECT_EQ(manifest.find("out/twice.txt"), manifest.rfind("out/twice.txt")) << manifest;
  EXPECT_NE(manifest.find("rendered  out/twice.txt"), std::string::npos) << manifest;
}

TEST_F(FileStagingTest, WithoutAStagingObjectRenderedFilesAreNotWrittenAtAll) {
  Make("files.xml", kFilesSources);
  plugIn.CopyPlugInFiles(stage, nullptr);
  EXPECT_FALSE(fs::exists(stage + "/out/page.html"));
  EXPECT_EQ(ReadFile(stage + "/out/twice.txt"), "first");
  EXPECT_EQ(ReadFile(stage + "/out/binary.dat"), kBinary);
}

TEST_F(FileStagingTest, ExistingDestinationsAreReplacedWhole) {
  Make("files.xml", kFilesSources);
  fs::create_directory(stage + "/out");
  WriteFile(stage + "/out/page.html", std::string(1000, 'x'));
  WriteFile(stage + "/out/binary.dat", std::string(1000, 'x'));
  plugIn.CopyPlugInFiles(stage, &host);
  EXPECT_EQ(ReadFile(stage + "/out/page.html"), "[page]");
  EXPECT_EQ(ReadFile(stage + "/out/binary.dat"), kBinary);

  // A second run over its own output, with a new source and an empty text.
  WriteFile(plugInFolder + "/page.html", "");
  WriteFile(plugInFolder + "/binary.dat", "new");
  plugIn.CopyPlugInFiles(stage, &host);
  EXPECT_EQ(ReadFile(stage + "/out/page.html"), "[]");
  EXPECT_EQ(ReadFile(stage + "/out/binary.dat"), "new");
}

TEST_F(FileStagingTest, AFailingStagingObjectCostsOnlyItsOwnFile) {
  Make("files.xml", kFilesSources);
  host.failParseOn = "page";
  host.failPCodeOn = "second";
  plugIn.CopyPlugInFiles(stage, &host);
  // Both calls are still made for each file, and neither failed file gets
  // any text: not the previous rendering, not a partial one.
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ParseSnippet(page,1)", "PCode", "ParseSnippet(second,1)", "PCode"}));
  EXPECT_EQ(ReadFile(stage + "/out/page.html"), "");
  EXPECT_EQ(ReadFile(stage + "/out/twice.txt"), "");
  EXPECT_EQ(ReadFile(stage + "/out/resource.txt"), "resource");
}

TEST_F(FileStagingTest, NothingIsStagedWithoutADocumentOrAStageFolderUntilOneLoads) {
  Make("files.xml", kFilesSources);
  const std::string file = dir / "file";
  WriteFile(file, "a file, not a folder");
  for (const std::string& path : {std::string(), dir / "missing", file}) {
    plugIn.CopyPlugInFiles(path, &host);
  }
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_TRUE(Listing(stage).empty());
  EXPECT_TRUE(host.calls.empty());

  PlugIn unset;
  unset.CopyPlugInFiles(stage, &host);
  PlugIn broken;
  EXPECT_THROW(broken.ConfigPath(dir / "nothing-here"), Error);
  broken.CopyPlugInFiles(stage, &host);
  EXPECT_TRUE(Listing(stage).empty());
  // A document that appears later is loaded by the staging run itself.
  fs::create_directory(dir / "nothing-here");
  WriteFile(dir / "nothing-here/config.xml", Fixture("staging/data/folders.xml"));
  broken.CopyPlugInFiles(stage, &host);
  EXPECT_TRUE(fs::is_directory(stage + "/top/mid/deep"));
}

TEST_F(FileStagingTest, NothingIsReadOrWrittenOutsideTheGivenFolders) {
  const std::string outside = dir / "outside";
  fs::create_directory(outside);
  WriteFile(outside + "/secret.txt", "secret");
  std::string document = Fixture("staging/data/confinement.xml");
  document.replace(document.find("OUTSIDE/absolute"), 7, outside);
  plugInFolder = MakePlugInFolder(dir, "plugin", document);
  WriteFile(plugInFolder + "/page.html", "page");
  fs::create_symlink(outside + "/secret.txt", plugInFolder + "/secretLink");
  fs::create_directory(stage);
  fs::create_directory_symlink(outside, stage + "/linkOut");
  fs::create_symlink(outside + "/created-through-dangling-link", stage + "/dangling");
  plugIn.ConfigPath(plugInFolder);

  plugIn.CopyPlugInFiles(stage, &host);

  EXPECT_EQ(Listing(outside), std::vector<std::string>{"secret.txt"});
  EXPECT_FALSE(fs::exists(dir / "escaped"));
  // A leading separator is a doubled one: copied, rendered and listed inside.
  EXPECT_EQ(Listing(stage), (std::vector<std::string>{"dangling", "linkOut", "ok", "ok/copied.txt", "ok/page.html",
                                                      "ok/rendered.html"}));
  EXPECT_EQ(ReadFile(stage + "/ok/rendered.html"), "[page]");
  // The manifest's lines without sizes and hashes.
  std::istringstream lines(StageManifest::Describe(plugIn, stage));
  std::string listed;
  for (std::string line; std::getline(lines, line);) {
    listed += line.substr(0, line.find("  ", line.find_first_not_of(' ', line.find(' ')))) + "\n";
  }
  EXPECT_EQ(listed, "folder    ok/\ncopied    ok/page.html\nrendered  ok/rendered.html\ncopied    ok/copied.txt\n");
}
