#include <gtest/gtest.h>

#include <filesystem>
#include <map>
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

// Every entry below root in name order, links listed and not followed: a
// folder as "name/", a link as "name@", a file as its name, a tab and its
// bytes, those outside printable ASCII as \xHH.
std::string Tree(const std::string& root) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string& shown = entries[entry.path().lexically_relative(root).string()];
    shown = entry.is_symlink() ? "@" : entry.is_directory() ? "/" : "\t";
    if (shown != "\t") continue;
    for (const unsigned char c : ReadFile(entry.path().string())) {
      if (c >= ' ' && c < 0x7F) shown += static_cast<char>(c);
      else shown += {'\\', 'x', "0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 15]};
    }
  }
  std::string tree;
  for (const auto& [name, shown] : entries) tree += name + shown + "\n";
  return tree;
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

TEST_F(FileStagingTest, FilesAreCopiedOrRenderedAndFailingOnesPassedOver) {
  Make("files.xml", kFilesSources);
  plugIn.CopyPlugInFiles(stage, &host);

  // Only the exact "true" renders; anything else is a byte-for-byte copy.
  // The later of two elements with one destination wins.
  EXPECT_EQ(Tree(stage), Fixture("staging/data/files_staged.txt"));
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
  EXPECT_EQ(Tree(stage), Fixture("staging/data/files_unrendered.txt"));
}

TEST_F(FileStagingTest, ExistingDestinationsAreReplacedWhole) {
  Make("files.xml", kFilesSources);
  fs::create_directory(stage + "/out");
  WriteFile(stage + "/out/page.html", std::string(1000, 'x'));
  WriteFile(stage + "/out/binary.dat", std::string(1000, 'x'));
  plugIn.CopyPlugInFiles(stage, &host);
  EXPECT_EQ(Tree(stage), Fixture("staging/data/files_staged.txt"));

  // A second run over its own output, with a new source and an empty text.
  WriteFile(plugInFolder + "/page.html", "");
  WriteFile(plugInFolder + "/binary.dat", "new");
  plugIn.CopyPlugInFiles(stage, &host);
  EXPECT_EQ(Tree(stage), Fixture("staging/data/files_restaged.txt"));
}

TEST_F(FileStagingTest, AFailingStagingObjectCostsOnlyItsOwnFile) {
  Make("files.xml", kFilesSources);
  host.failParseOn = "page";
  host.failPCodeOn = "second";
  plugIn.CopyPlugInFiles(stage, &host);
  // Both calls are still made for each file, and neither failed file gets
  // any text: not the previous rendering, not a partial one.
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ParseSnippet(page,1)", "PCode", "ParseSnippet(second,1)", "PCode"}));
  EXPECT_EQ(Tree(stage), Fixture("staging/data/files_failing.txt"));
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

  EXPECT_EQ(Tree(outside), "secret.txt\tsecret\n");
  EXPECT_FALSE(fs::exists(dir / "escaped"));
  // A leading separator is a doubled one: copied, rendered and listed inside.
  EXPECT_EQ(Tree(stage), Fixture("staging/data/confinement_staged.txt"));
  // The manifest's lines without sizes and hashes.
  std::istringstream lines(StageManifest::Describe(plugIn, stage));
  std::string listed;
  for (std::string line; std::getline(lines, line);) {
    listed += line.substr(0, line.find("  ", line.find_first_not_of(' ', line.find(' ')))) + "\n";
  }
  EXPECT_EQ(listed, "folder    ok/\ncopied    ok/page.html\nrendered  ok/rendered.html\ncopied    ok/copied.txt\n");
}
