#include "DialogTest.h"
#include "platform/Error.h"
#include "support/Raises.h"

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

TEST_F(Captions, ACaptionMissingInTheDisplayLanguageIsEmptyWithoutFallback) {
  Load("bare.xml");
  const auto& form = Show("", "");
  for (const std::string* caption :
       {&form.Caption, &form.lblPlugInInfo.Caption, &form.SSCPlugInActive.Caption, &form.cmdOk.Caption,
        &form.cmdCancel.Caption, &form.cmdApply.Caption, &form.TLUSettings.Caption, &form.TLUReport.Caption}) {
    EXPECT_EQ(*caption, "");
  }
  for (const auto& tab : form.SSAPlugIn.Tabs) EXPECT_EQ(tab.Caption, "");
  EXPECT_EQ(form.txtPlugInInfo.Text, "One paragraph without line breaks.");
}

TEST_F(Captions, AMissingInfoTextStopsTheDialogWithError91) {
  Load("link_without_caption.xml");
  EXPECT_TRUE(testing_support::Raises(91, [&] { plugIn.ShowConfigDialogue("en", "fr"); }));
}

using Logo = DialogTest;

struct LogoCase {
  long w, h;
  bool stretched;
  double width, height, top, labels;
};

TEST_F(Logo, IsPlacedAtItsSizeOrFittedIntoTheBoxAndTheLabelsMoveBesideIt) {
  Load("plugin.xml");
  const LogoCase cases[] = {
      {50, 40, false, 780, 630, 472.5, 1020},       // fits: natural size
      {190, 73, false, 2880, 1125, 225, 3120},      // fits exactly: natural size
      {400, 100, true, 2850, 712.5, 431.25, 3090},  // too high and wide
      {100, 200, true, 547.5, 1095, 240, 787.5},    // too high
      {300, 10, true, 2850, 95, 740, 3090},         // low but too wide
      {20000, 20000, true, 1095, 1095, 240, 1335},  // huge
  };
  for (const LogoCase& c : cases) {
    PutLogo();
    frontend->pictures = [&](const std::string&) { return PictureSize{c.w, c.h}; };
    const auto& form = Show("de", "de");
    EXPECT_TRUE(form.LeadLogo.Visible);
    EXPECT_EQ(form.LeadLogo.PicturePath, dir / "logo.bmp");
    EXPECT_EQ(form.LeadLogo.PaintSizeMode, c.stretched ? 1 : 0) << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(form.LeadLogo.Width, c.width) << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(form.LeadLogo.Height, c.height) << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(form.LeadLogo.Top, c.top) << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(form.LeadLogo.Left, 120);
    EXPECT_DOUBLE_EQ(form.lblPlugInInfo.Left, c.labels);
    EXPECT_DOUBLE_EQ(form.LblPlugInName.Left, c.labels);
    EXPECT_DOUBLE_EQ(form.LblPlugInCopyRight.Left, 3660);
    EXPECT_EQ(form.LeadLogo.BackColor, 0x8000000Fu);
  }
}

TEST_F(Logo, WithoutALogoTheControlIsHiddenAndTheLabelsMoveLeft) {
  Load("plugin.xml");
  const auto& form = Show("de", "de");
  EXPECT_FALSE(form.LeadLogo.Visible);
  EXPECT_DOUBLE_EQ(form.lblPlugInInfo.Left, 120);
  EXPECT_DOUBLE_EQ(form.LblPlugInName.Left, 120);
}
