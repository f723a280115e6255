#include "server/DefaultFrontend.h"

#include "dialog/DialogFrontend.h"
#include "dialog/DialogModule.h"

namespace TLPaymentPlugIns::server {

void EnsureDialogFrontend(const std::string& modulePath) {
  if (!DialogFrontend::Installed()) DialogFrontend::Install(DialogModule::Load(modulePath));
}

}  // namespace TLPaymentPlugIns::server
