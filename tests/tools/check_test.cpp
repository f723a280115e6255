// tlpp check on small fixture plug-ins: which findings, which exit status,
// which JSON shape.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/Table.h"
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
  TempDir scratch;
  const CommandRun run = Tlpp("check " + Root(dir, {"faulty"}), "/dev/null", "TMPDIR=" + scratch.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, Fixture("tools/data/check/faulty.expected"));
  EXPECT_TRUE(fs::is_empty(scratch.path())) << "the check's staging rehearsal is cleared away";
  // Chosen store languages (empty entries name none): the German lines alone.
  EXPECT_EQ(Check(dir.path() + " --store-langs ,de,,").out, Fixture("tools/data/check/faulty.de.expected"));
}

TEST(TlppCheck, InactivePlugInsGetWarningsOnlyAndCleanOnesNothing) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"clean", "inactive"}));
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, Fixture("tools/data/check/inactive.expected"));
}

// A dialog that fails in one language only is reported for that language.
TEST(TlppCheck, ADialogFailingInOneLanguageIsReportedForItAlone) {
  TempDir dir;
  Root(dir, {"clean"});
  std::string config = ReadFile(dir / "clean/config.xml");
  config.replace(config.find("<Name lang=\"de\">"), 16, "<Name lang=\"xx\">");
  WriteFile(dir / "clean/config.xml", config);
  const CommandRun run = Check(dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.rfind("Clean\tde\terror\tdialog-fails\t", 0), 0u) << run.out;
  EXPECT_EQ(run.out.rfind("dialog-fails"), run.out.find("dialog-fails")) << run.out;
}

TEST(TlppCheck, JsonIsOneObjectPerFindingInAnArray) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"inactive"}) + " --format json");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Fixture("tools/data/check/inactive.json"));
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

// tlpp new starts a plug-in that validates, opens, checks clean once active
// and stages; it never writes over a folder that is there.
TEST(TlppNew, StartsAPlugInThatChecksCleanAndStages) {
  TempDir dir;
  ASSERT_EQ(Tlpp("new TLStart " + dir.path() + " --langs=en,de --name 'A & \"B\"'").status, 0);
  const std::string before = ReadFile(dir / "tlstart/config.xml");
  EXPECT_EQ(Tlpp("new tlstart " + dir.path() + " --langs fr").status, 2);
  EXPECT_EQ(Tlpp("new TLStart /proc", "&1").out, "tlpp new: cannot create a folder in /proc\n");
  EXPECT_EQ(ReadFile(dir / "tlstart/config.xml"), before);
  ASSERT_EQ(Tlpp("activate " + dir / "tlstart").status, 0);
  const CommandRun run = Check(dir.path() + " --schema");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Tlpp("get " + dir / "tlstart" + " Label --store-lang de").out, "[de] Payment method\n");
  fs::create_directory(dir / "stage");
  EXPECT_EQ(Tlpp("stage " + dir / "tlstart " + dir / "stage").status, 0);
  EXPECT_NE(ReadFile(dir / "stage/tlstart/plugin.html").find("<Option value=\\\"A\\\">Option A"), std::string::npos);
  // The pictures are the ones once seen to decode.
  EXPECT_TRUE(ReadFile(dir / "tlstart/logo.bmp") == Fixture("tools/data/new/logo.bmp"));
  EXPECT_TRUE(ReadFile(dir / "tlstart/plugin.ico") == Fixture("tools/data/new/plugin.ico"));
}

// Each kind of problem the schema finds is a warning that says where; what
// the library refuses on its own is still an error.
TEST(TlppCheck, SchemaProblemsAreWarningsThatSayWhere) {
  TempDir dir;
  ASSERT_EQ(Tlpp("new TLSchema " + dir.path() + " --langs en").status, 0);
  std::string config = ReadFile(dir / "tlschema/config.xml");
  for (const auto& [path, line, fields] : ReadTable("tools/data/check/schema.edits")) {
    config.replace(config.find(fields[0]), fields[0].size(), Replaced(fields[1], "\\n", "\n"));
  }
  WriteFile(dir / "tlschema/config.xml", config);
  const CommandRun run = Check(dir.path() + " --schema");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Replaced(run.out, dir.path(), "ROOT"), Fixture("tools/data/check/schema.expected"));
}
