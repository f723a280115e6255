#include "plugin/LanguageResolution.h"

#include "plugin/ConfigSchema.h"
#include "platform/XmlDocument.h"

namespace TLPaymentPlugIns {

std::string LanguageResolution::Resolve(const XmlDocument& config, const std::string& code) {
  if (!code.empty() && config.selectSingleNode(schema::QueryLanguage(code))) return code;
  return DefaultCode(config);
}

std::string LanguageResolution::DefaultCode(const XmlDocument& config) {
  return config.selectSingleNode(schema::kQueryDefaultLanguage).attributes().getNamedItem(schema::kIsoCode).text();
}

}  // namespace TLPaymentPlugIns
