#include "WriteLock.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <list>
#include <string>

#include "Diagnostics.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugInErrors.h"
#include "plugin/PlugInLock.h"

using TLPaymentPlugIns::PlugInLock;

namespace tlpp {

namespace {

constexpr int kDefaultWaitSeconds = 10;

// The parser has checked that --wait is a whole number of seconds.
std::chrono::seconds Wait(const Arguments& args) {
  return std::chrono::seconds(std::stoi(args.option(kWait, std::to_string(kDefaultWaitSeconds))));
}

}  // namespace

int WriteLock::Run(const std::vector<std::string>& folders, const Arguments& args, const std::function<int()>& write) {
  const std::chrono::milliseconds wait = Wait(args);
  std::vector<std::string> sorted = folders;
  std::sort(sorted.begin(), sorted.end());
  std::list<PlugInLock> held;
  try {
    // A folder without a config.xml is left to the plug-in's own error.
    for (const std::string& folder : sorted) {
      if (std::filesystem::exists(std::filesystem::path(folder) / TLPaymentPlugIns::schema::kConfigFile)) {
        held.emplace_back(folder, wait);
      }
    }
  } catch (const TLPaymentPlugIns::Error& error) {
    if (error.Number() != TLPaymentPlugIns::errors::kPlugInLocked) throw;
    Diagnostics::Error(error);
    return kExitBusy;
  }
  return write();
}

}  // namespace tlpp
