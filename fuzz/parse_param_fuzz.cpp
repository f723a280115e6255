// ParseParam with arbitrary parameter strings on a fixed document; a part
// after a NUL byte is the store language.
#include "FuzzSupport.h"
#include "plugin/PlugIn.h"

#ifndef TLPP_FUZZ_PLUGIN
#error "TLPP_FUZZ_PLUGIN names the sample plug-in folder"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TLPaymentPlugIns::PlugIn* plugIn = [] {
    auto* p = new TLPaymentPlugIns::PlugIn;
    p->ConfigPath(TLPP_FUZZ_PLUGIN);
    return p;
  }();
  const std::vector<std::string> parts = fuzz::Parts(data, size);
  const std::string lang = parts.size() > 1 ? parts[1] : "de";
  fuzz::Tolerate([&] { (void)plugIn->ParseParam(parts[0], lang); });
  return 0;
}
