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
