#include "WriteLock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <list>
#include <stdexcept>

#include "platform/ErrorCodes.h"
#include "plugin/PlugInErrors.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugInLock.h"

using TLPaymentPlugIns::PlugInLock;

namespace tlpp {

namespace {

constexpr double kDefaultWaitSeconds = 10;
// Another writer holds the lock for longer than we would wait.
constexpr int kExitLocked = 3;

std::chrono::milliseconds Wait(const Arguments& args) {
  const auto text = args.option(WriteLock::kOption);
  if (!text) return std::chrono::milliseconds(static_cast<long>(kDefaultWaitSeconds * 1000));
  std::size_t used = 0;
  double seconds = -1;
  try {
    seconds = std::stod(*text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text->size() || !(seconds >= 0 && seconds <= 86400)) {
    throw std::invalid_argument("--wait takes a number of seconds from 0 to 86400");
  }
  return std::chrono::milliseconds(static_cast<long>(seconds * 1000));
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
    std::fprintf(stderr, "tlpp: error %ld: %s\n", error.Number(), error.Description().c_str());
    return kExitLocked;
  }
  return write();
}

}  // namespace tlpp
