#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingStageObject.h"
#include "plugin/PlugIn.h"
#include "support/PlugInFolder.h"
#include "support/ProcessStats.h"
#include "support/Raises.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

class SnippetFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakePlugInFolder(dir, "plugin", Fixture("staging/data/snippets.xml"));
    WriteFile(folder + "/PlugIn.HTML", "mixed\r\n");
    WriteFile(folder + "/plugin.html", "lower");
    plugIn.ConfigPath(folder);
  }

  TempDir dir;
  std::string folder;
  PlugIn plugIn;
  RecordingStageObject host;
};

}  // namespace

TEST_F(SnippetFileTest, EverySnippetIsRenderedInTurnAndTheLastOneIsTheResult) {
  EXPECT_EQ(plugIn.ParseSnippetFile(&host), "[lower]");
  // The name is matched in any case but opened as written; "html\plugin.html"
  // is no match (it has no file and would fail).
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"ParseSnippet(mixed\r\n,1)", "PCode", "ParseSnippet(lower,1)", "PCode"}));
}

TEST_F(SnippetFileTest, NothingIsOpenedOrRenderedWithoutASnippetOrAStagingObject) {
  fs::remove(folder + "/PlugIn.HTML");
  EXPECT_EQ(plugIn.ParseSnippetFile(nullptr), "");

  PlugIn noSnippet;
  noSnippet.ConfigPath(MakePlugInFolder(dir, "plain", MinimalConfig("Plain")));
  EXPECT_EQ(noSnippet.ParseSnippetFile(&host), "");
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(SnippetFileTest, FailuresReachTheCallerAndTheFileIsClosed) {
  const long open = OpenDescriptors();
  host.failParseOn = "mixed";
  EXPECT_TRUE(Raises(RecordingStageObject::kHostError, [&] { plugIn.ParseSnippetFile(&host); }));
  EXPECT_EQ(OpenDescriptors(), open);
  host.failParseOn.clear();
  host.failPCodeOn = "lower";
  EXPECT_TRUE(Raises(RecordingStageObject::kHostError, [&] { plugIn.ParseSnippetFile(&host); }));
  EXPECT_EQ(OpenDescriptors(), open);

  fs::remove(folder + "/plugin.html");
  EXPECT_TRUE(Raises(53, [&] { plugIn.ParseSnippetFile(&host); }));
  fs::create_directory(folder + "/plugin.html");
  EXPECT_THROW(plugIn.ParseSnippetFile(&host), Error);
}

TEST_F(SnippetFileTest, TheDocumentIsNeverLoadedHere) {
  PlugIn unset;
  EXPECT_TRUE(Raises(91, [&] { unset.ParseSnippetFile(&host); }));
  // A failed load leaves an empty document: nothing to render.
  PlugIn broken;
  EXPECT_THROW(broken.ConfigPath(dir / "nothing-here"), Error);
  fs::create_directory(dir / "nothing-here");
  WriteFile(dir / "nothing-here/config.xml", Fixture("staging/data/snippets.xml"));
  WriteFile(dir / "nothing-here/plugin.html", "never read");
  EXPECT_EQ(broken.ParseSnippetFile(&host), "");
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(SnippetFileTest, ASnippetLinkedFromOutsideThePlugInFolderIsRefused) {
  WriteFile(dir / "secret.txt", "secret");
  fs::remove(folder + "/plugin.html");
  fs::create_symlink(dir / "secret.txt", folder + "/plugin.html");
  EXPECT_THROW(plugIn.ParseSnippetFile(&host), Error);
  for (const std::string& call : host.calls) EXPECT_EQ(call.find("secret"), std::string::npos);
}
