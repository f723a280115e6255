#include "plugin/PlugInErrors.h"

namespace TLPaymentPlugIns::errors {

Error ConfigMalformed() {
  return Error(kConfigMalformed, kPlugInSource, "Configuration malformed. Proccess aborted");
}
Error ConfigPathNotPresentOnLoad() {
  return Error(kConfigPathNotPresentOnLoad, kPlugInSource, "Configuration Path not present");
}
Error ConfigFileNotPresent() {
  return Error(kConfigFileNotPresent, kPlugInSource, "Configuration file not present");
}
Error ConfigPathNotPresentOnSave() {
  return Error(kConfigPathNotPresentOnSave, kPlugInSource, "Configuration Path not present");
}
Error DialogUnavailable(const std::string& reason) {
  return Error(kDialogUnavailable, kPlugInSource, "The configuration dialog cannot be shown: " + reason);
}

}  // namespace TLPaymentPlugIns::errors
