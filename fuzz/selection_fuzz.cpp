// The selection language: ToXPath's translation, evaluated on a sample
// document through both query members.
#include "FuzzSupport.h"
#include "platform/SelectionPattern.h"
#include "platform/XmlDocument.h"

using namespace TLPaymentPlugIns;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const XmlDocument* document = [] {
    auto* d = new XmlDocument;
    if (!d->load(std::string(TLPP_FUZZ_PLUGIN) + "/config.xml")) std::abort();
    return d;
  }();
  const std::string pattern(reinterpret_cast<const char*>(data), size);
  const std::string query = ToXPath(pattern);
  // Outside string literals, no "&&" survives the translation.
  fuzz::Tolerate([&] {
    for (const XmlNode& node : document->selectNodes(query)) (void)node.text();
  });
  fuzz::Tolerate([&] { (void)document->selectSingleNode(query).text(); });
  return 0;
}
