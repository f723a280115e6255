#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialog/CheckBox.h"
#include "dialog/CommandButton.h"
#include "dialog/DialogFrontend.h"
#include "dialog/Frame.h"
#include "dialog/ImageControl.h"
#include "dialog/Label.h"
#include "dialog/Panel.h"
#include "dialog/TabStrip.h"
#include "dialog/TextBox.h"
#include "dialog/TolvaneUI.h"
#include "platform/Variant.h"
#include "platform/XmlNode.h"
#include "plugin/ParamModel.h"

namespace TLPaymentPlugIns {

class PlugIn;

// The modal configuration dialog of one plug-in: Main (logo, name,
// description, copyright, provider link, the active box), Advanced (the
// parameters) and Report (the required files), with OK, Cancel and Apply.
// It reads and edits the plug-in's in-memory document; OK and Apply save it.
// Positions are in twips. The dialog decides everything; a frontend shows
// its controls and passes the user's actions to them.
class frmPlugIn {
 public:
  explicit frmPlugIn(std::shared_ptr<DialogFrontend> frontend);
  frmPlugIn(const frmPlugIn&) = delete;
  frmPlugIn& operator=(const frmPlugIn&) = delete;

  // Set before showing: the plug-in first, then the two language codes.
  void PlugIn(TLPaymentPlugIns::PlugIn& pPlugIn);
  std::string AppLang;
  std::string StoreLang;

  // Shows the dialog modally; returns when it is closed.
  void Show();
  // The load sequence, run by the frontend when it shows the dialog.
  void Form_Load();
  // The mouse moves over the dialog's own surface.
  void Form_MouseMove();
  // Closes the dialog window; no dialog code runs after it. The frontend
  // calls it when the window is closed in any other way.
  void Unload();
  bool IsOpen() const { return mOpen; }
  // Whether the last close was OK's.
  bool ClosedByOk() const { return mClosedByOk; }
  // The caption keys whose lookup gave no text, in lookup order: what the
  // user sees empty.
  const std::vector<std::string>& EmptyCaptions() const { return mEmptyCaptions; }
  // Told when the dialog unloads, so that the frontend ends its modal loop.
  std::function<void()> OnUnload;
  // Puts the document's value of a settings row into the row again,
  // creating nothing: what a frontend shows once an entry was taken.
  void ShowDocumentValue(const std::shared_ptr<Row>& row);

  // The dialog window.
  std::string Caption;
  TLPaymentPlugIns::Font Font;
  double Height = 7710;
  static constexpr double kClientWidth = 7695;

  // Controls, by container.
  Panel pnlMain{120, 720, 7695, 6495};
  TabStrip SSAPlugIn{0, 0, 7455, 5895};
  Panel SSPPlugInMain{0, 0, 7455, 5895};
  Panel SSPPlugInAdvanced{0, 0, 7455, 5895};
  Panel SSPPlugInReport{0, 0, 7455, 5895};
  ImageControl LeadLogo{120, 240, 2775, 1095};
  Label lblPlugInInfo{3000, 480, 4215, 255};
  Label LblPlugInName{3000, 720, 4215, 615};
  TextBox txtPlugInInfo{120, 1440, 7095, 2655};
  Label lblProviderURL{120, 4200, 3135, 375};
  Label LblPlugInCopyRight{3660, 4200, 3555, 435};
  Frame SSFrame1{120, 4740, 7095, 30};
  CheckBox SSCPlugInActive{240, 4800, 6975, 375};
  TolvaneUI TLUSettings{120, 720, 7095, 3255};
  Panel ParamDesc{120, 4080, 7095, 975};
  TolvaneUI TLUReport{120, 720, 7095, 3255};
  Panel ReportDesc{120, 4080, 7095, 975};
  CommandButton cmdOk{2700, 6000, 1500, 375, true, false};
  CommandButton cmdCancel{4320, 6000, 1500, 375, false, true};
  CommandButton cmdApply{5940, 6000, 1500, 375, false, false};

 private:
  // Captions and plug-in information.
  std::string LookupCaption(const std::string& key);
  void ApplyCaptions();
  void PlaceLogo();
  // Settings editor and write-back.
  void BuildSettingsView();
  void AddParamRow(XmlNode& P, const ParamKind& kind, int16_t Depth);
  void GiveRowItsValue(Row& row, XmlNode& P, const ParamKind& kind, bool create);
  std::string ReadParamValue(XmlNode& P);
  void WriteBackValue(const std::shared_ptr<Row>& row, const std::string& text);
  // Report tab.
  void BuildReport();
  // Event handlers.
  void cmdOk_Click();
  void cmdApply_Click();
  void cmdCancel_Click();
  void SSCPlugInActive_Click(int16_t Value);
  void lblProviderURL_Click();
  void lblProviderURL_MouseMove();
  void SSAPlugIn_MouseMove();
  void txtPlugInInfo_Click();
  void TLUSettings_RowSelected(const std::shared_ptr<Row>& row);
  void TLUReport_RowSelected(const std::shared_ptr<Row>& row);
  // Runs a handler; an error it raises is shown in a message box.
  void Reported(const std::function<void()>& handler);
  void WireEvents();

  TLPaymentPlugIns::PlugIn* mPlugIn = nullptr;
  bool mLoading = false;
  std::shared_ptr<DialogFrontend> mFrontend;
  // The parameter each settings row was built from.
  std::map<const Row*, XmlNode> mRowParams;
  // Group rows whose members are being added.
  std::vector<std::shared_ptr<Row>> mOpenGroups;
  std::vector<std::string> mEmptyCaptions;
  bool mOpen = false;
  bool mClosedByOk = false;
};

}  // namespace TLPaymentPlugIns
