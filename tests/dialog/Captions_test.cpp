#include "DialogTest.h"
#include "support/Table.h"

using TLPaymentPlugIns::PictureSize;

using Captions = DialogTest;

TEST_F(Captions, EveryTextComesFromTheDocumentInTheDisplayLanguage) {
  Load("plugin.xml");
  const auto& form = Show("en", "de");
  EXPECT_EQ(form.Caption, "Set up test payment");
  EXPECT_EQ(form.SSAPlugIn.TabFor(form.SSPPlugInReport).Caption, "Report");
  EXPECT_EQ(form.cmdOk.Caption, "<b>OK</b>");
  EXPECT_EQ(form.TLUReport.Caption, "Files");
  EXPECT_EQ(form.LblPlugInCopyRight.Caption, "© Test Ltd");
  // Tabs go, and each line break becomes CR LF.
  EXPECT_EQ(form.txtPlugInInfo.Text, "First line\r\nSecond line");
  EXPECT_EQ(form.lblProviderURL.Caption, "To the provider");
  EXPECT_EQ(form.ParamDesc.Caption, "");
}

using Logo = PlugInDialog;

TEST_F(Logo, IsPlacedAtItsSizeOrFittedIntoTheBoxAndTheLabelsMoveBesideIt) {
  for (const auto& [path, line, fields] : testing_support::ReadTable("dialog/data/logo_sizes.txt")) {
    const testing::ScopedTrace where(path.c_str(), line, fields.at(0) + "x" + fields.at(1));
    PutLogo();
    const PictureSize size{std::stol(fields.at(0)), std::stol(fields.at(1))};
    frontend->pictures = [&](const std::string&) { return size; };
    const auto& form = Show("de", "de");
    EXPECT_TRUE(form.LeadLogo.Visible);
    EXPECT_EQ(form.LeadLogo.PicturePath, dir / "logo.bmp");
    EXPECT_EQ(form.LeadLogo.PaintSizeMode, fields.at(2) == "yes" ? 1 : 0);
    EXPECT_DOUBLE_EQ(form.LeadLogo.Width, std::stod(fields.at(3)));
    EXPECT_DOUBLE_EQ(form.LeadLogo.Height, std::stod(fields.at(4)));
    EXPECT_DOUBLE_EQ(form.LeadLogo.Top, std::stod(fields.at(5)));
    EXPECT_DOUBLE_EQ(form.LeadLogo.Left, 120);
    EXPECT_DOUBLE_EQ(form.lblPlugInInfo.Left, std::stod(fields.at(6)));
    EXPECT_DOUBLE_EQ(form.LblPlugInName.Left, std::stod(fields.at(6)));
    EXPECT_DOUBLE_EQ(form.LblPlugInCopyRight.Left, 3660);
    EXPECT_EQ(form.LeadLogo.BackColor, 0x8000000Fu);
  }
}
