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

TEST_F(SnippetFileTest, ASnippetLinkedFromOutsideThePlugInFolderIsRefused) {
  WriteFile(dir / "secret.txt", "secret");
  fs::remove(folder + "/plugin.html");
  fs::create_symlink(dir / "secret.txt", folder + "/plugin.html");
  EXPECT_THROW(plugIn.ParseSnippetFile(&host), Error);
  for (const std::string& call : host.calls) EXPECT_EQ(call.find("secret"), std::string::npos);
}
