#include "server/DefaultFrontend.h"

#include <memory>

#include "dialog/DialogFrontend.h"
#ifdef TLPP_WITH_QT
#include "dialog/qt/QtDialogFrontend.h"
#endif

namespace TLPaymentPlugIns::server {

void EnsureDialogFrontend() {
#ifdef TLPP_WITH_QT
  if (!DialogFrontend::Installed()) DialogFrontend::Install(std::make_shared<QtDialogFrontend>());
#endif
}

}  // namespace TLPaymentPlugIns::server
