#include "plugin/PlugInErrors.h"

#include <cstdio>

namespace TLPaymentPlugIns::errors {

Error ConfigMalformed() { return Error(kConfigMalformed, kPlugInSource, "Configuration malformed. Proccess aborted"); }
Error ConfigPathNotPresentOnLoad() {
  return Error(kConfigPathNotPresentOnLoad, kPlugInSource, "Configuration Path not present");
}
Error ConfigFileNotPresent() { return Error(kConfigFileNotPresent, kPlugInSource, "Configuration file not present"); }
Error ConfigPathNotPresentOnSave() {
  return Error(kConfigPathNotPresentOnSave, kPlugInSource, "Configuration Path not present");
}
Error DialogUnavailable(const std::string& reason) {
  return Error(kDialogUnavailable, kPlugInSource, "The configuration dialog cannot be shown: " + reason);
}
Error PlugInLocked(const std::string& folder, double waitedSeconds) {
  char waited[32];
  std::snprintf(waited, sizeof waited, "%g", waitedSeconds);
  return Error(kPlugInLocked, kPlugInSource,
               "Plug-in folder is being written by another program; gave up after " + std::string(waited) +
                   " s: " + folder);
}

Error UpgradeRefused(const std::string& folder, const std::string& reason) {
  return Error(kUpgradeRefused, kPlugInSource, "The new version cannot replace the plug-in: " + reason).At(folder);
}
Error NoBackup(const std::string& folder) {
  return Error(kNoBackup, kPlugInSource, "No backup of the plug-in folder to roll back to").At(folder);
}

}  // namespace TLPaymentPlugIns::errors
