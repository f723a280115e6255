// The publish check never disagrees with the code it asks: what it says
// about the dialog is what opening the dialog does, what it says about
// staging is what staging leaves in a stage folder, and checking changes
// nothing.
#include "check/PublishCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/Path.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeList.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"
#include "staging/ReferenceStageObject.h"
#include "support/InstalledFrontend.h"
#include "support/ScriptedFrontend.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

constexpr const char* kDialogFails = "The configuration dialog cannot open: ";

std::vector<std::string> FixturePlugIns() {
  std::vector<std::string> folders;
  const std::string data = TLPP_TEST_DATA;
  for (const std::string& root :
       {data + "/tools/data/check", data + "/catalogue/data/broken-root", std::string(TLPP_SAMPLES_DIR)}) {
    for (const auto& entry : fs::directory_iterator(root)) {
      // Only plug-ins that load and have an ID can be checked.
      try {
        PlugIn plugIn;
        plugIn.ConfigPath(entry.path().string());
        plugIn.ID();
        folders.push_back(entry.path().string());
      } catch (const Error&) {
      }
    }
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

std::string Attribute(const XmlNode& element, const char* name) {
  const XmlNode attribute = element.attributes().getNamedItem(name);
  return attribute ? attribute.text() : std::string();
}

// "error N: description" as the dialog raises it in that language, or "".
std::string OpenDialog(const std::string& folder, const std::string& language) {
  const auto frontend = std::make_shared<ScriptedFrontend>();
  frontend->pictures = [](const std::string&) { return PictureSize{}; };
  const InstalledFrontend installed(frontend);
  PlugIn plugIn;
  plugIn.ConfigPath(folder);
  try {
    plugIn.ShowConfigDialogue(language, language);
  } catch (const Error& error) {
    return "error " + std::to_string(error.Number()) + ": " + error.Description();
  }
  return {};
}

// What the check says about the dialog in that language, or "".
std::string DialogVerdict(const std::vector<Finding>& findings, const std::string& language) {
  for (const Finding& finding : findings) {
    if (finding.message.rfind(kDialogFails, 0) != 0) continue;
    if (finding.language != language && finding.language != "*") continue;
    std::string said = finding.message.substr(std::string(kDialogFails).size());
    return said.substr(0, said.size() - 1);  // without the full stop
  }
  return {};
}

bool NeverStaged(const std::vector<Finding>& findings, const std::string& name) {
  return std::any_of(findings.begin(), findings.end(), [&](const Finding& finding) {
    return finding.message.find("\"" + name + "\"") != std::string::npos &&
           finding.message.find("never staged") != std::string::npos;
  });
}

}  // namespace

class CheckAgreement : public testing::TestWithParam<std::string> {};

TEST_P(CheckAgreement, DialogAndStagingDoWhatTheCheckSays) {
  const TempDir dir;
  const std::string folder = dir / "plugin";
  fs::copy(GetParam(), folder, fs::copy_options::recursive);
  const std::string before = ReadFile(folder + "/config.xml");

  PlugIn checked;
  checked.ConfigPath(folder);
  const std::string inMemory = checked.Config().xml();
  const std::vector<Finding> findings = PublishCheck({}).Check(checked);
  EXPECT_EQ(checked.Config().xml(), inMemory) << "the check changed the document";
  EXPECT_EQ(ReadFile(folder + "/config.xml"), before) << "the check changed the file";

  for (const XmlNode& language : checked.Config().selectNodes(schema::kQueryLanguages)) {
    const std::string code = Attribute(language, schema::kIsoCode);
    EXPECT_EQ(DialogVerdict(findings, code), OpenDialog(folder, code)) << "store language " << code;
  }

  const TempDir stage;
  PlugIn staged;
  staged.ConfigPath(folder);
  ReferenceStageObject stageObj(staged, "");
  staged.CopyPlugInFiles(stage.path(), &stageObj);
  for (const XmlNode& file : checked.Config().selectNodes(schema::kQueryFiles)) {
    const std::string name = Attribute(file, schema::kName);
    std::string remote = Attribute(file, schema::kRemoteFile);
    if (remote.empty()) continue;
    std::replace(remote.begin(), remote.end(), '\\', '/');
    const bool written = fs::exists(stage / remote);
    if (NeverStaged(findings, name)) {
      EXPECT_FALSE(written) << name << " was staged although the check says it never is";
    } else if (fs::exists(folder + "/" + Path::FromDocument(name))) {
      EXPECT_TRUE(written) << name << " was not staged although the check has nothing against it";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FixturesAndSamples, CheckAgreement, testing::ValuesIn(FixturePlugIns()),
                         [](const testing::TestParamInfo<std::string>& param) {
                           std::string name = fs::path(param.param).filename().string();
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });
