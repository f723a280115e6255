// The dialog's texts, all from the plug-in's document in the display
// language, and the logo beside the plug-in's name.
#include <cstdint>
#include <string>

#include "dialog/frmPlugIn.h"
#include "platform/FileSystemObject.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {

constexpr uint32_t kButtonFaceColor = 0x8000000F;
// The box the logo is fitted into, and what a picture's pixel is worth.
constexpr double kLogoBoxWidth = 2850;
constexpr double kLogoBoxHeight = 1095;
constexpr double kTwipsPerPixel = 15;
constexpr double kLogoMargin = 30;
constexpr double kLabelGap = 120;
constexpr double kLabelLeftWithoutLogo = 120;

// Tab characters go; each line feed becomes CR LF, where the text box
// breaks lines.
std::string ForTextBox(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\t') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

std::string frmPlugIn::LookupCaption(const std::string& key) {
  std::string text;
  // Any failure, a missing caption included, gives the empty text.
  try {
    text = mPlugIn->Config().selectSingleNode(schema::QueryCaption(key, AppLang)).text();
  } catch (...) {
    text.clear();
  }
  if (text.empty()) mEmptyCaptions.push_back(key);
  return text;
}

void frmPlugIn::ApplyCaptions() {
  SSAPlugIn.TabFor(SSPPlugInMain).Caption = LookupCaption("FormTabMainCaption");
  SSAPlugIn.TabFor(SSPPlugInAdvanced).Caption = LookupCaption("FormTabAdvancedCaption");
  SSAPlugIn.TabFor(SSPPlugInReport).Caption = LookupCaption("FormTabReportCaption");
  Caption = LookupCaption("FormCaption");
  lblPlugInInfo.Caption = LookupCaption("FormTabMainLabelInfo");
  SSCPlugInActive.Caption = LookupCaption("FormTabMainPlugInActive");
  cmdOk.Caption = LookupCaption("FormCmdOkCaption");
  cmdCancel.Caption = LookupCaption("FormCmdCancelCaption");
  cmdApply.Caption = LookupCaption("FormCmdApplyCaption");
  TLUSettings.Caption = LookupCaption("FormTabAdvancedSettingsCaption");
  TLUReport.Caption = LookupCaption("FormTabReportReportCaption");

  XmlDocument& config = mPlugIn->Config();
  LblPlugInName.Caption = config.selectSingleNode(schema::QueryInfoName(AppLang)).text();
  LblPlugInCopyRight.Caption = config.selectSingleNode(schema::QueryInfoCopyright(AppLang)).text();
  txtPlugInInfo.Text = ForTextBox(config.selectSingleNode(schema::QueryInfoDesc(AppLang)).text());
  lblProviderURL.Caption =
      config.selectSingleNode(schema::QueryInfoProviderURL(AppLang)).attributes().getNamedItem(schema::kCaption).text();
  ParamDesc.Caption = "";
  ReportDesc.Caption = "";
}

void frmPlugIn::PlaceLogo() {
  LeadLogo.BackColor = kButtonFaceColor;
  const std::string logoPath = Path::Join(mPlugIn->ConfigPath(), schema::kLogoFile);
  if (!FileSystemObject().FileExists(logoPath)) {
    LeadLogo.Visible = false;
    lblPlugInInfo.Left = kLabelLeftWithoutLogo;
    LblPlugInName.Left = kLabelLeftWithoutLogo;
    return;
  }
  LeadLogo.Load(logoPath, 0, 0, 1);
  const auto w = static_cast<double>(LeadLogo.PictureWidth);
  const auto h = static_cast<double>(LeadLogo.PictureHeight);

  // A picture is shown at its own size when it fits the box both ways.
  const bool natural = h * kTwipsPerPixel <= kLogoBoxHeight && w * kTwipsPerPixel <= kLogoBoxWidth;
  if (natural) {
    LeadLogo.Height = h * kTwipsPerPixel + kLogoMargin;
    LeadLogo.Width = w * kTwipsPerPixel + kLogoMargin;
  } else {
    // Fitted into the box, keeping its proportions; the comparison is made
    // in single precision.
    const float boxRatioHeight = static_cast<float>(h) * 2850.0f / 1095.0f;
    if (boxRatioHeight < static_cast<float>(w)) {
      LeadLogo.Width = kLogoBoxWidth;
      LeadLogo.Height = h * kLogoBoxWidth / w;
    } else {
      LeadLogo.Height = kLogoBoxHeight;
      LeadLogo.Width = w * kLogoBoxHeight / h;
    }
    LeadLogo.PaintSizeMode = 1;
  }

  LeadLogo.Top = LeadLogo.Top + (kLogoBoxHeight - LeadLogo.Height) / 2;
  lblPlugInInfo.Left = LeadLogo.Width + LeadLogo.Left + kLabelGap;
  LblPlugInName.Left = lblPlugInInfo.Left;
}

}  // namespace TLPaymentPlugIns
