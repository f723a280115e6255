#include "plugin/LanguageResolution.h"

#include "plugin/ConfigSchema.h"
#include "platform/XmlDocument.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeList.h"

namespace TLPaymentPlugIns {

std::string LanguageResolution::Resolve(const XmlDocument& config, const std::string& code) {
  if (!code.empty() && config.selectSingleNode(schema::QueryLanguage(code))) return code;
  return DefaultCode(config);
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
