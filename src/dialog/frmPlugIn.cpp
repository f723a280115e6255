#include "dialog/frmPlugIn.h"

#include <exception>

#include "platform/Error.h"
#include "platform/MessageBox.h"
#include "plugin/ConfigSchema.h"
#include "plugin/LanguageResolution.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {
constexpr uint32_t kLinkColor = 0xC00000;  // red 0, green 0, blue 192
constexpr double kPanelTop = 120;
constexpr double kOuterHeight = 6990;
}  // namespace

frmPlugIn::frmPlugIn(std::shared_ptr<DialogFrontend> frontend) : mFrontend(std::move(frontend)) {
  SSAPlugIn.AddTab("TabPlugInMain", SSPPlugInMain);
  SSAPlugIn.AddTab("TabPlugInAdvanced", SSPPlugInAdvanced);
  SSAPlugIn.AddTab("TabPlugInReport", SSPPlugInReport);
  LblPlugInName.Font.Bold = true;
  lblProviderURL.ForeColor = kLinkColor;
  LblPlugInCopyRight.Alignment = Label::AlignRight;
  cmdApply.Enabled = false;
  // What the load sequence replaces.
  Caption = "[Caption]";
  cmdOk.Caption = "[OK]";
  cmdCancel.Caption = "[Cancel]";
  cmdApply.Caption = "[Apply]";
  TLUSettings.Caption = "[Settings]";
  TLUReport.Caption = "[Report]";
  LeadLogo.Reader = [this](const std::string& path) { return mFrontend->ReadPicture(path); };
  WireEvents();
}

void frmPlugIn::WireEvents() {
  cmdOk.OnClick = [this] { Reported([this] { cmdOk_Click(); }); };
  cmdApply.OnClick = [this] { Reported([this] { cmdApply_Click(); }); };
  cmdCancel.OnClick = [this] { Reported([this] { cmdCancel_Click(); }); };
  SSCPlugInActive.OnClick = [this](int16_t value) { Reported([this, value] { SSCPlugInActive_Click(value); }); };
  lblProviderURL.OnClick = [this] { Reported([this] { lblProviderURL_Click(); }); };
  lblProviderURL.OnMouseMove = [this] { lblProviderURL_MouseMove(); };
  SSAPlugIn.OnMouseMove = [this] { SSAPlugIn_MouseMove(); };
  txtPlugInInfo.OnClick = [this] { txtPlugInInfo_Click(); };
  TLUSettings.OnRowSelected = [this](const std::shared_ptr<Row>& row) { TLUSettings_RowSelected(row); };
  TLUReport.OnRowSelected = [this](const std::shared_ptr<Row>& row) { TLUReport_RowSelected(row); };
  // A value that cannot be written back is reported, and the row shows the
  // document's value again.
  TLUSettings.OnValueChanged = [this](const std::shared_ptr<Row>& row, const std::string& text) {
    Reported([this, &row, &text] {
      try {
        WriteBackValue(row, text);
      } catch (...) {
        ShowDocumentValue(row);
        throw;
      }
    });
  };
}

void frmPlugIn::PlugIn(TLPaymentPlugIns::PlugIn& pPlugIn) { mPlugIn = &pPlugIn; }

void frmPlugIn::Show() {
  mOpen = true;
  mClosedByOk = false;
  try {
    mFrontend->ShowModal(*this);
  } catch (...) {
    mOpen = false;
    throw;
  }
  mOpen = false;
}

void frmPlugIn::Unload() {
  if (!mOpen) return;
  mOpen = false;
  if (OnUnload) OnUnload();
}

void frmPlugIn::Form_Load() {
  // Character sets: every control takes mCharSet, the settings view
  // mCharSetIO.
  Font.Charset = mPlugIn->mCharSet;
  SSAPlugIn.Font.Charset = mPlugIn->mCharSet;
  SSAPlugIn.Font2.Charset = mPlugIn->mCharSet;
  LeadLogo.Font.Charset = mPlugIn->mCharSet;
  lblPlugInInfo.Font.Charset = mPlugIn->mCharSet;
  LblPlugInName.Font.Charset = mPlugIn->mCharSet;
  txtPlugInInfo.Font.Charset = mPlugIn->mCharSet;
  lblProviderURL.Font.Charset = mPlugIn->mCharSet;
  LblPlugInCopyRight.Font.Charset = mPlugIn->mCharSet;
  SSCPlugInActive.Font.Charset = mPlugIn->mCharSet;
  cmdOk.Font.Charset = mPlugIn->mCharSet;
  cmdCancel.Font.Charset = mPlugIn->mCharSet;
  cmdApply.Font.Charset = mPlugIn->mCharSet;
  ParamDesc.Font.Charset = mPlugIn->mCharSet;
  TLUReport.Font.Charset = mPlugIn->mCharSet;
  ReportDesc.Font.Charset = mPlugIn->mCharSet;
  TLUSettings.Font.Charset = mPlugIn->mCharSetIO;

  // Layout.
  pnlMain.Top = kPanelTop;
  Height = kOuterHeight;

  // From here until the end, changes to the controls are not the user's.
  mLoading = true;

  // The display language.
  XmlDocument& config = mPlugIn->Config();
  if (AppLang.empty() || !config.selectSingleNode(schema::QueryLanguage(AppLang))) {
    AppLang = LanguageResolution::DefaultCode(config);
  }

  ApplyCaptions();
  PlaceLogo();
  BuildSettingsView();
  BuildReport();

  mLoading = false;
}

void frmPlugIn::cmdOk_Click() {
  mPlugIn->SaveConfiguration();
  mClosedByOk = true;
  Unload();
}

void frmPlugIn::cmdApply_Click() {
  mPlugIn->SaveConfiguration();
  cmdApply.Enabled = false;
}

void frmPlugIn::cmdCancel_Click() { Unload(); }

void frmPlugIn::SSCPlugInActive_Click(int16_t Value) {
  if (mLoading) return;
  mPlugIn->IsActive(Value == -1);
  cmdApply.Enabled = true;
}

void frmPlugIn::lblProviderURL_Click() {
  const XmlNode link = mPlugIn->Config().selectSingleNode(schema::QueryInfoProviderURL(AppLang));
  if (!link) return;
  mFrontend->OpenLink(link.text());
}

void frmPlugIn::lblProviderURL_MouseMove() {
  lblProviderURL.Font.Underline = true;
  mFrontend->MousePointer(DialogFrontend::kPointerQuestionArrow);
}

void frmPlugIn::Form_MouseMove() {
  lblProviderURL.Font.Underline = false;
  mFrontend->MousePointer(DialogFrontend::kPointerDefault);
}

void frmPlugIn::SSAPlugIn_MouseMove() { Form_MouseMove(); }

void frmPlugIn::txtPlugInInfo_Click() { txtPlugInInfo.SelLength = 0; }

void frmPlugIn::TLUSettings_RowSelected(const std::shared_ptr<Row>& row) {
  if (mLoading || !row) return;
  ParamDesc.Caption = row->Description;
}

void frmPlugIn::TLUReport_RowSelected(const std::shared_ptr<Row>& row) {
  if (mLoading || !row) return;
  ReportDesc.Caption = row->Description;
}

void frmPlugIn::Reported(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const Error& error) {
    MessageBox::Show(error.Description(), Caption);
  } catch (const std::exception& error) {
    MessageBox::Show(error.what(), Caption);
  }
}

}  // namespace TLPaymentPlugIns
