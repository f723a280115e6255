#include "dialog/DialogProbe.h"

#include <memory>

#include "dialog/DialogFrontend.h"
#include "dialog/frmPlugIn.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {

// A frontend that shows nothing; pictures are read by the installed
// frontend when there is one.
class HiddenFrontend : public DialogFrontend {
 public:
  std::string Unavailable() const override { return {}; }
  void ShowModal(frmPlugIn& form) override { form.Form_Load(); }
  PictureSize ReadPicture(const std::string& path) override {
    const std::shared_ptr<DialogFrontend> installed = DialogFrontend::Installed();
    return installed ? installed->ReadPicture(path) : PictureSize{};
  }
  void OpenLink(const std::string& /*target*/) override {}
  void MousePointer(int /*pointer*/) override {}
};

}  // namespace

DialogProbe::Outcome DialogProbe::Open(PlugIn& plugIn, const std::string& AppLang, const std::string& StoreLang) {
  // A plug-in of the same folder holding a copy of the document.
  PlugIn copy;
  copy.mConfigPath = plugIn.ConfigPath();
  copy.mConfig = std::make_shared<XmlDocument>(plugIn.Config().clone());
  copy.mLoaded = true;
  copy.mCharSet = plugIn.mCharSet;
  copy.mCharSetIO = plugIn.mCharSetIO;

  // The dialog's own load sequence, as ShowConfigDialogue would run it.
  frmPlugIn form(std::make_shared<HiddenFrontend>());
  form.PlugIn(copy);
  form.AppLang = AppLang;
  form.StoreLang = StoreLang;
  Outcome outcome;
  try {
    form.Form_Load();
  } catch (const Error& error) {
    outcome.error = error;
  }
  outcome.emptyCaptions = form.EmptyCaptions();
  return outcome;
}

}  // namespace TLPaymentPlugIns
