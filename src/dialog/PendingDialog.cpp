// The configuration dialog, until the dialog subsystem lands.
#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

void PlugIn::ShowConfigDialogue(const std::string&, const std::string&, int16_t, int16_t) {
  throw errors::NotImplemented("ShowConfigDialogue");
}

}  // namespace TLPaymentPlugIns
