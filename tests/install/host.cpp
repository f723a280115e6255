// A host built against the installed headers and package alone. It
// publishes as docs/hosts/publish.cpp does, then reads each published
// plug-in's IBAN, checks it and lists its parameter table.
//
//   installed_host ROOT STAGE
#include <iostream>

#include "catalogue/PlugInScan.h"
#include "check/PublishCheck.h"
#include "platform/Error.h"
#include "plugin/ParamTable.h"
#include "staging/ReferenceStageObject.h"

using namespace TLPaymentPlugIns;

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  try {
    std::vector<std::shared_ptr<PlugIn>> active;
    for (const PlugInScan::Result& result : PlugInScan::Run(argv[1])) {
      if (result.plugIn && result.plugIn->IsActive()) active.push_back(result.plugIn);
    }
    for (const auto& plugIn : active) {
      ReferenceStageObject renderer(*plugIn, "");
      plugIn->CopyPlugInFiles(argv[2], &renderer);
      std::cout << "== " << plugIn->ID() << "\n" << plugIn->ParseSnippetFile(&renderer) << "\n";
    }
    const PublishCheck check({"de", "en"});
    for (const auto& plugIn : active) {
      std::cout << plugIn->ID() << " IBAN=" << plugIn->GetParam("IBAN", "de") << "\n";
      for (const Finding& finding : check.Check(*plugIn)) std::cout << "finding " << finding.Line();
      const ParamTable table(plugIn->Config(), {"de", "en"});
      for (const ParamTable::Entry& entry : table.entries()) {
        std::cout << "param " << plugIn->ID() << " " << entry.name << " " << entry.kind->Name();
        if (!entry.values.empty() && entry.values.front()) std::cout << " " << *entry.values.front();
        std::cout << "\n";
      }
    }
  } catch (const Error& error) {
    std::cerr << "error " << error.Number() << ": " << error.Description() << "\n";
    return 1;
  }
  return 0;
}
