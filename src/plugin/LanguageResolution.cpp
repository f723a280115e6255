#include "plugin/LanguageResolution.h"

#include "platform/XmlDocument.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeList.h"
#include "plugin/ConfigSchema.h"

namespace TLPaymentPlugIns {

namespace {

// One step of the resolution: a failure raises, or with skipFailures is
// passed over as if the step had found nothing.
template <typename Step>
void Run(bool skipFailures, Step&& step) {
  if (!skipFailures) return step();
  try {
    step();
  } catch (...) {
  }
}

std::string Resolved(const XmlDocument& config, const std::string& code, bool skipFailures) {
  // A declared code stays as it is.
  bool declared = false;
  Run(skipFailures, [&] { declared = !code.empty() && config.selectSingleNode(schema::QueryLanguage(code)); });
  if (declared) return code;
  // Else the default language's code.
  std::string resolved = code;
  Run(skipFailures, [&] { resolved = LanguageResolution::DefaultCode(config); });
  return resolved;
}

}  // namespace

std::string LanguageResolution::Resolve(const XmlDocument& config, const std::string& code) {
  return Resolved(config, code, false);
}

std::string LanguageResolution::ResolveOrKeep(const XmlDocument& config, const std::string& code) {
  return Resolved(config, code, true);
}

std::string LanguageResolution::DefaultCode(const XmlDocument& config) {
  return config.selectSingleNode(schema::kQueryDefaultLanguage).attributes().getNamedItem(schema::kIsoCode).text();
}

std::vector<std::string> LanguageResolution::DeclaredCodes(const XmlDocument& config) {
  std::vector<std::string> codes;
  for (const XmlNode& language : config.selectNodes(schema::kQueryLanguages)) {
    const XmlNode code = language.attributes().getNamedItem(schema::kIsoCode);
    codes.push_back(code ? code.text() : std::string());
  }
  return codes;
}

}  // namespace TLPaymentPlugIns
