// list, get, activate, deactivate: reading and switching plug-ins.
#include <cstdio>
#include <iostream>

#include "Arguments.h"
#include "Commands.h"
#include "PrintError.h"
#include "WriteLock.h"
#include "catalogue/PlugInScan.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::PlugInScan;

namespace tlpp {

namespace {

const char* YesNo(bool value) { return value ? "yes" : "no"; }

int SetActive(const std::vector<std::string>& words, bool active) {
  const Arguments args(words, {WriteLock::kOption});
  if (args.positionals().size() != 1) throw std::invalid_argument("expected PLUGIN_DIR");
  return WriteLock::Run({args.positional(0)}, args, [&] {
    PlugIn plugIn;
    plugIn.ConfigPath(args.positional(0));
    plugIn.IsActive(active);
    plugIn.SaveConfiguration();
    std::cout << plugIn.ID() << (active ? " activated" : " deactivated") << '\n';
    return 0;
  });
}

}  // namespace

int RunList(const std::vector<std::string>& words) {
  const Arguments args(words, {"--lang"});
  const std::string lang = args.option("--lang", "");
  // Every plug-in that loads is listed; each one that does not is named on
  // standard error and makes the exit status 1.
  const std::vector<PlugInScan::Result> results = PlugInScan::Run(args.positional(0, SamplesRoot()));
  std::printf("%-20s %-32s %-6s %-12s %s\n", "ID", "NAME", "ACTIVE", "USERDEFINED", "ICON");
  int status = 0;
  for (const auto& [folder, plugIn, error] : results) {
    if (error) {
      std::fflush(stdout);
      PrintError(*error, folder);
      status = 1;
      continue;
    }
    std::printf("%-20s %-32s %-6s %-12s %s\n", plugIn->ID().c_str(), plugIn->Name(lang).c_str(),
                YesNo(plugIn->IsActive()), YesNo(plugIn->IsUserDef()), plugIn->IconPath().c_str());
  }
  return status;
}

int RunGet(const std::vector<std::string>& words) {
  const Arguments args(words, {"--store-lang"});
  if (args.positionals().size() != 2) throw std::invalid_argument("expected PLUGIN_DIR PARAM");
  PlugIn plugIn;
  plugIn.ConfigPath(args.positional(0));
  // A parameter the document does not declare prints nothing.
  if (!plugIn.Config().selectSingleNode(TLPaymentPlugIns::schema::QueryParam(args.positional(1)))) return 1;
  std::cout << plugIn.GetParam(args.positional(1), args.option("--store-lang", "")) << '\n';
  return 0;
}

int RunActivate(const std::vector<std::string>& words) { return SetActive(words, true); }

int RunDeactivate(const std::vector<std::string>& words) { return SetActive(words, false); }

}  // namespace tlpp
