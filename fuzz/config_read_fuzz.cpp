// A config.xml from arbitrary bytes, then every reading member of the
// plug-in; the parts after NUL bytes are extra parameter names and languages.
#include "FuzzSupport.h"
#include "plugin/PlugIn.h"

using TLPaymentPlugIns::PlugIn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz::Folder folder;
  const std::vector<std::string> parts = fuzz::Parts(data, size);
  folder.Write(parts[0]);

  PlugIn plugIn;
  fuzz::Tolerate([&] { plugIn.ConfigPath(folder.Path()); });
  std::vector<std::string> names{"", "CardLabel", "CodFee", "ShowFeeNotice"};
  std::vector<std::string> langs{"", "de", "en"};
  // A few extra names and languages: every call on a file that does not
  // load parses it again, so the cross product is kept small.
  for (size_t i = 1; i < parts.size() && i <= 6; ++i) (i % 2 ? names : langs).push_back(parts[i]);

  fuzz::Tolerate([&] { (void)plugIn.ID(); });
  fuzz::Tolerate([&] { (void)plugIn.IsActive(); });
  fuzz::Tolerate([&] { (void)plugIn.IsUserDef(); });
  (void)plugIn.IconPath();
  for (const std::string& lang : langs) {
    fuzz::Tolerate([&] { (void)plugIn.Name(lang); });
    fuzz::Tolerate([&] { (void)plugIn.Copyright(lang); });
    for (const std::string& name : names) (void)plugIn.GetParam(name, lang);
  }
  return 0;
}
