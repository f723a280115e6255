#include <filesystem>

#include "DialogTest.h"

using testing_support::WriteFile;

using Report = DialogTest;

TEST_F(Report, EachResourceFileGetsAGreenOrDarkRedRowWithItsPathAndSentence) {
  Load("plugin.xml");
  WriteFile(dir / "present.txt", "");
  std::filesystem::create_directory(dir / "sub");
  WriteFile(dir / "sub/present.txt", "");
  std::filesystem::create_directory(dir / "missing.txt");  // a folder is not a file
  const auto& form = Show("en", "en");
  EXPECT_EQ(Listing(form.TLUReport.Rows()), testing_support::Fixture("dialog/data/report.txt"));
  EXPECT_TRUE(form.SSAPlugIn.TabFor(form.SSPPlugInReport).Enabled);
}

TEST_F(Report, OneResourceFileIsEnoughForAReport) {
  std::string config = testing_support::Fixture("dialog/data/plugin.xml");
  for (const char* file : {"      <File name=\"missing.txt\"/>\n", "      <File name=\"sub\\present.txt\"/>\n"}) {
    config.erase(config.find(file), std::string(file).size());
  }
  testing_support::WriteFile(dir / "config.xml", config);
  plugIn.ConfigPath(dir.path());
  const auto& form = Show("en", "en");
  EXPECT_TRUE(form.SSAPlugIn.TabFor(form.SSPPlugInReport).Enabled);
  EXPECT_EQ(form.TLUReport.Rows().Count(), 1u);
}
