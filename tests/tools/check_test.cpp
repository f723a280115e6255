// tlpp check on small fixture plug-ins: which findings, which exit status,
// which JSON shape.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

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

bool Has(const std::string& out, const std::string& line) {
  std::istringstream lines(out);
  for (std::string each; std::getline(lines, each);) {
    if (each.rfind(line, 0) == 0) return true;
  }
  return false;
}

}  // namespace

TEST(TlppCheck, ReportsEachPublishingFaultOfAnActivePlugIn) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"faulty"}));
  EXPECT_EQ(run.status, 1);
  for (const char* expected : {
           "Faulty\t*\terror\tThe declared file \"certificate.pem\" is missing",
           "Faulty\t*\terror\tThe declared file \"missing.gif\" is missing",
           "Faulty\tde\terror\tThe parameter \"Empty\" is empty.",
           "Faulty\ten\terror\tThe parameter \"GermanOnly\" has no value for this store language.",
           "Faulty\ten\terror\tThe page snippet refers to \"Nowhere\", which the plug-in does not declare.",
           "Faulty\tde\terror\tNo option of \"Cards\" is chosen",
           "Faulty\ten\terror\tThe page snippet reference type=\"conditional\" param=\"Word\" value=\"never\" does not render: Type mismatch",
           "Faulty\t*\twarning\tNo language is marked as the default",
           "Faulty\ten\twarning\tThe dialog would show empty captions for: FormTabMainCaption, FormTabAdvancedCaption, FormTabReportCaption, FormCaption,",
           "Faulty\t*\twarning\tThe parameter \"FormCaption\" shares its name with an earlier <Caption> element",
           "Faulty\t*\terror\tThe configuration dialog cannot open: error 13: Type mismatch.",
           "Faulty\t*\twarning\tThe file \"missing.gif\" would be published outside the stage folder",
       }) {
    EXPECT_TRUE(Has(run.out, expected)) << expected << "\n--- output:\n" << run.out;
  }
  // A hidden parameter is never reported, and "de" has a value for GermanOnly.
  EXPECT_EQ(run.out.find("Hidden"), std::string::npos);
  EXPECT_FALSE(Has(run.out, "Faulty\tde\terror\tThe parameter \"GermanOnly\""));
}

TEST(TlppCheck, InactivePlugInsGetWarningsOnlyAndCleanOnesNothing) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"clean", "inactive"}));
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "Inactive\ten\twarning\tThe dialog would show empty captions for: FormCmdApplyCaption.\n");
}

TEST(TlppCheck, StoreLanguagesCanBeChosen) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"faulty"}) + " --store-langs ,de,,");
  EXPECT_TRUE(Has(run.out, "Faulty\tde\terror\tThe parameter \"Empty\""));
  EXPECT_FALSE(Has(run.out, "Faulty\ten\terror"));
  EXPECT_FALSE(Has(run.out, "Faulty\t\t"));  // empty entries name no language
}

TEST(TlppCheck, JsonIsOneObjectPerFindingInAnArray) {
  TempDir dir;
  const CommandRun run = Check(Root(dir, {"inactive"}) + " --format json");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "[\n  {\"plugin\": \"Inactive\", \"language\": \"en\", \"severity\": \"warning\", \"message\": \"The dialog "
            "would show empty captions for: FormCmdApplyCaption.\"}\n]\n");
  TempDir cleanDir;
  EXPECT_EQ(Check(Root(cleanDir, {"clean"}) + " --format json").out, "[\n]\n");
}

TEST(TlppCheck, ABrokenPlugInExits1AfterTheOthersAreCheckedAndOnlyAMissingRoot2) {
  TempDir dir;
  EXPECT_EQ(Check(dir / "missing").status, 2);
  fs::create_directory(dir / "broken");
  WriteFile(dir / "broken/config.xml", "<P>");
  const CommandRun run = Check(Root(dir, {"inactive"}));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run.out, "Inactive\ten\twarning\t")) << run.out;
}
