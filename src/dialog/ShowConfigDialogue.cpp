// PlugIn::ShowConfigDialogue: opens the configuration dialog on the plug-in.
#include "dialog/DialogFrontend.h"
#include "dialog/frmPlugIn.h"
#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"
#include "plugin/PlugInErrors.h"

namespace TLPaymentPlugIns {

void PlugIn::ShowConfigDialogue(const std::string& AppLang, const std::string& StoreLang, int16_t CharSet,
                                int16_t CharSetIO) {
  LoadFirst();
  // Nothing is built, and nothing changes, when no window can be shown.
  const std::shared_ptr<DialogFrontend> frontend = DialogFrontend::Installed();
  if (!frontend) throw errors::DialogUnavailable("no dialog frontend is installed");
  if (const std::string reason = frontend->Unavailable(); !reason.empty()) throw errors::DialogUnavailable(reason);

  mCharSet = CharSet;
  mCharSetIO = CharSetIO;
  mDialog = std::make_shared<frmPlugIn>(frontend);
  mDialog->PlugIn(*this);
  mDialog->AppLang = AppLang;
  mDialog->StoreLang = StoreLang;
  // The dialog stays alive while it is shown, even if a handler opens
  // another one.
  const std::shared_ptr<frmPlugIn> dialog = mDialog;
  dialog->Show();
}

}  // namespace TLPaymentPlugIns
