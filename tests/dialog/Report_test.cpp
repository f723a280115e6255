#include <filesystem>

#include "DialogTest.h"

using TLPaymentPlugIns::KindStatus;
using TLPaymentPlugIns::Variant;
using testing_support::WriteFile;

using Report = DialogTest;

TEST_F(Report, EachResourceFileGetsAGreenOrDarkRedRowWithItsPathAndSentence) {
  Load("plugin.xml");
  WriteFile(dir / "present.txt", "");
  std::filesystem::create_directory(dir / "sub");
  WriteFile(dir / "sub/present.txt", "");
  std::filesystem::create_directory(dir / "missing.txt");  // a folder is not a file
  const auto& form = Show("en", "en");
  const auto& rows = form.TLUReport.Rows();
  ASSERT_EQ(rows.Count(), 3u);
  const char* keys[] = {"present.txt", "missing.txt", "sub\\present.txt"};
  const char* paths[] = {"/present.txt", "/missing.txt", "/sub/present.txt"};
  const bool found[] = {true, false, true};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& row = *rows.Item(i);
    const std::string path = dir.path() + paths[i];
    EXPECT_EQ(row.Key(), keys[i]);
    EXPECT_EQ(row.Text(), path);
    EXPECT_EQ(row.Kind(), KindStatus);
    EXPECT_EQ(row.StateColor, found[i] ? 0x009900u : 0x000099u) << keys[i];
    EXPECT_EQ(row.Content, Variant(found[i] ? "Present" : "Missing")) << keys[i];
    EXPECT_EQ(row.Description,
              path + "\r\n\r\n" +
                  (found[i]
                       ? "Keine Fehler."
                       : "Die benötigte Datei wurde nicht gefunden. Diese Datei ist für die Verwendung notwendig."));
  }
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
