// tlpp check on small fixture plug-ins: which findings, which exit status,
// which JSON shape.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"
#include "tools/Tlpp.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

CommandRun Check(const std::string& arguments) { return Tlpp("check " + arguments); }

// A root holding copies of the named fixture plug-ins.
std::string Root(const TempDir& dir, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    fs::copy(std::string(TLPP_TEST_DATA) + "/tools/data/check/" + name, dir / name, fs::copy_options::recursive);
  }
  return dir.path();
}

}  // namespace

// faulty.expected lists every finding, in order; nothing about the hidden
// parameter, and nothing about GermanOnly in German, which has a value.
TEST(TlppCheck, ReportsEachPublishingFaultOfAnActivePlugIn) {
  TempDir dir;
  const std::string expected = Fixture("tools/data/check/faulty.expected");
  const CommandRun run = Check(Root(dir, {"faulty"}));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, expected);

  // Chosen store languages; empty entries name none.
  std::istringstream lines(expected);
  std::string german;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("\ten\t") == std::string::npos) german += line + "\n";
  }
  EXPECT_EQ(Check(dir.path() + " --store-langs ,de,,").out, german);
}

TEST(TlppCheck, InactivePlugInsGetWarningsOnlyAndCleanOnesNothing) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"clean", "inactive"}));
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "Inactive\ten\twarning\tempty-caption\tThe dialog would show empty captions for: FormCmdApplyCaption.\n");
}

TEST(TlppCheck, JsonIsOneObjectPerFindingInAnArray) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"inactive"}) + " --format json");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "[\n  {\"plugin\":\"Inactive\",\"language\":\"en\",\"severity\":\"warning\",\"code\":\"empty-caption\","
            "\"message\":\"The dialog would show empty captions for: FormCmdApplyCaption.\"}\n]\n");
  TempDir cleanDir;
  EXPECT_EQ(Check(Root(cleanDir, {"clean"}) + " --format json").out, "[\n]\n");
}

// A quote, a control character and a byte that is not UTF-8 in the plug-in's
// folder name reach a finding's message; each line is still one JSON object.
TEST(TlppCheck, JsonStaysValidWhateverAFindingHolds) {
  TempDir dir;
  const std::string odd = dir / "root/q\"\x01\xff";
  fs::create_directories(dir / "root");
  fs::copy(std::string(TLPP_TEST_DATA) + "/tools/data/check/inactive", odd, fs::copy_options::recursive);
  std::string config = ReadFile(odd + "/config.xml");
  config.replace(config.find("</Files>"), 0, "<File name=\"..\\out.gif\" remoteFile=\"x\\out.gif\"/>");
  WriteFile(odd + "/config.xml", config);
  WriteFile(dir / "root/out.gif", "");
  std::istringstream lines(Check(dir / "root" + " --format json").out);
  std::vector<nlohmann::json> findings;
  for (std::string line; std::getline(lines, line);) {
    if (line.size() > 1) findings.push_back(nlohmann::json::parse(line.substr(0, line.find_last_of('}') + 1)));
  }
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[1]["code"], "file-outside-plugin");
  EXPECT_NE(findings[1]["message"].get<std::string>().find("/q\"\x01\xEF\xBF\xBD/"), std::string::npos) << findings[1];
}
