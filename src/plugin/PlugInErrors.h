#pragma once

#include <string>

#include "platform/Error.h"

// The plug-in object's own numbered errors, with their source.
namespace TLPaymentPlugIns::errors {

inline constexpr const char* kPlugInSource = "TLPaymentPlugIns.PlugIn";

inline constexpr long kConfigMalformed = 100991;
inline constexpr long kConfigPathNotPresentOnLoad = 100992;
inline constexpr long kConfigFileNotPresent = 100993;
inline constexpr long kConfigPathNotPresentOnSave = 100994;
// No frontend is installed that can show the configuration dialog now.
inline constexpr long kDialogUnavailable = 100995;
// Another writer held a plug-in folder's lock for longer than the caller
// would wait.
inline constexpr long kPlugInLocked = 100996;
// A new version of a plug-in that cannot replace the installed one.
inline constexpr long kUpgradeRefused = 100997;
// A rollback found no backup of the plug-in folder.
inline constexpr long kNoBackup = 100998;

Error ConfigMalformed();
Error ConfigPathNotPresentOnLoad();
Error ConfigFileNotPresent();
Error ConfigPathNotPresentOnSave();
Error DialogUnavailable(const std::string& reason);
Error PlugInLocked(const std::string& folder, double waitedSeconds);
Error UpgradeRefused(const std::string& folder, const std::string& reason);
Error NoBackup(const std::string& folder);

}  // namespace TLPaymentPlugIns::errors
