// publish.cpp: publishes a shop through the C++ library.
//
//   publish_cpp ROOT STAGE [STORE_LANG]
//
// Scans ROOT, keeps the active plug-ins, stages each into the folder STAGE
// and prints each one's rendered page snippet after a line "== ID". The
// library's reference staging object fills in the parameter references.
#include <iostream>

#include "catalogue/PlugIns.h"
#include "platform/Error.h"
#include "staging/ReferenceStageObject.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: publish_cpp ROOT STAGE [STORE_LANG]\n";
    return 2;
  }
  const std::string stage = argv[2];
  const std::string storeLang = argc > 3 ? argv[3] : "";
  try {
    TLPaymentPlugIns::PlugIns plugIns;
    plugIns.PlugInsPath(argv[1]);
    for (const auto& plugIn : plugIns) {
      if (!plugIn->IsActive()) continue;
      TLPaymentPlugIns::ReferenceStageObject renderer(*plugIn, storeLang);
      plugIn->CopyPlugInFiles(stage, &renderer);
      std::cout << "== " << plugIn->ID() << "\n" << plugIn->ParseSnippetFile(&renderer) << "\n";
    }
  } catch (const TLPaymentPlugIns::Error& error) {
    std::cerr << "error " << error.Number() << ": " << error.Description() << " (" << error.Source() << ")\n";
    return 1;
  }
  return 0;
}
