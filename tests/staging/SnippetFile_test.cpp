#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingStageObject.h"
#include "plugin/PlugIn.h"
#include "support/PlugInFolder.h"
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

TEST_F(SnippetFileTest, ASnippetLinkedFromOutsideThePlugInFolderIsRefused) {
  WriteFile(dir / "secret.txt", "secret");
  fs::remove(folder + "/plugin.html");
  fs::create_symlink(dir / "secret.txt", folder + "/plugin.html");
  EXPECT_THROW(plugIn.ParseSnippetFile(&host), Error);
  for (const std::string& call : host.calls) EXPECT_EQ(call.find("secret"), std::string::npos);
}
