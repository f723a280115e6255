// The reference staging object's scanner: the references of arbitrary
// text, and the rendering of that text against a sample plug-in.
#include "FuzzSupport.h"
#include "plugin/PlugIn.h"
#include "staging/ReferenceStageObject.h"

using namespace TLPaymentPlugIns;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static PlugIn* plugIn = [] {
    auto* p = new PlugIn;
    p->ConfigPath(TLPP_FUZZ_PLUGIN);
    return p;
  }();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> references = ReferenceStageObject::References(text);
  for (const std::string& r : references) {
    // Each parameter string lies inside the text.
    if (r.size() > text.size()) std::abort();
  }

  ReferenceStageObject stage(*plugIn, "en");
  std::string snippet(text);
  bool rendered = false;
  fuzz::Tolerate([&] {
    stage.ParseSnippet(snippet, 1);
    rendered = true;
  });
  // With no reference the rendering is the text itself.
  if (rendered && references.empty() && text.find(ReferenceStageObject::kOpen) == std::string_view::npos &&
      stage.PCode() != text)
    std::abort();
  return 0;
}
