// list, get, activate, deactivate: reading and switching plug-ins.
#include <cstdio>
#include <iostream>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "WriteLock.h"
#include "catalogue/PlugInScan.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::PlugInScan;

namespace tlpp {

namespace {

const char* YesNo(bool value) { return value ? "yes" : "no"; }

int SetActive(const Arguments& args, bool active) {
  return WriteLock::Run({args.positional(0)}, args, [&] {
    PlugIn plugIn;
    plugIn.ConfigPath(args.positional(0));
    plugIn.IsActive(active);
    plugIn.SaveConfiguration();
    std::cout << plugIn.ID() << (active ? " activated" : " deactivated") << '\n';
    return kExitOk;
  });
}

}  // namespace

int RunList(const Arguments& args) {
  const std::string lang = args.option(kLang, "");
  // Every plug-in that loads is listed; each one that does not is named on
  // standard error and makes the exit status 1.
  const std::vector<PlugInScan::Result> results = PlugInScan::Run(args.positional(0, SamplesRoot()));
  std::printf("%-20s %-32s %-6s %-12s %s\n", "ID", "NAME", "ACTIVE", "USERDEFINED", "ICON");
  int status = kExitOk;
  for (const auto& [folder, plugIn, error] : results) {
    if (error) {
      Diagnostics::Error(*error, folder);
      status = kExitFindings;
      continue;
    }
    std::printf("%-20s %-32s %-6s %-12s %s\n", plugIn->ID().c_str(), plugIn->Name(lang).c_str(),
                YesNo(plugIn->IsActive()), YesNo(plugIn->IsUserDef()), plugIn->IconPath().c_str());
  }
  return status;
}

int RunGet(const Arguments& args) {
  PlugIn plugIn;
  plugIn.ConfigPath(args.positional(0));
  // A parameter the document does not declare prints nothing.
  if (!plugIn.Config().selectSingleNode(TLPaymentPlugIns::schema::QueryParam(args.positional(1)))) return kExitFindings;
  std::cout << plugIn.GetParam(args.positional(1), args.option(kStoreLang, "")) << '\n';
  return kExitOk;
}

int RunActivate(const Arguments& args) { return SetActive(args, true); }

int RunDeactivate(const Arguments& args) { return SetActive(args, false); }

}  // namespace tlpp
