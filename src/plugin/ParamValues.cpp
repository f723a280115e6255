#include "plugin/ParamValues.h"

#include "platform/XmlNamedNodeMap.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamModel.h"

namespace TLPaymentPlugIns {

bool ParamValues::PerLanguage(const XmlNode& param) {
  return param.attributes().getNamedItem(schema::kLocalValue).text() == schema::kTrue;
}

bool ParamValues::LookedUpPerLanguage(const XmlNode& param) {
  const XmlNode localValue = param.attributes().getNamedItem(schema::kLocalValue);
  return localValue && localValue.text() != schema::kFalse;
}

ParamValues::Secrecy ParamValues::SecretFlag(const XmlNode& param) {
  const XmlNode flag = param.attributes().getNamedItem(schema::kSecret);
  if (!flag || flag.text() == schema::kFalse) return Secrecy::Plain;
  if (flag.text() != schema::kTrue) return Secrecy::NotAFlag;
  return ParamKind::Of(param).MayBeSecret() ? Secrecy::Secret : Secrecy::IgnoredOnKind;
}

XmlNode ParamValues::Element(const XmlNode& param, bool perLanguage, const std::string& storeLang) {
  return param.selectSingleNode(perLanguage ? schema::QueryValue(storeLang) : schema::kQueryValue);
}

std::string ParamValues::Text(const XmlNode& param, const std::string& storeLang) {
  const bool perLanguage = PerLanguage(param);
  const XmlNode value = Element(param, perLanguage, storeLang);
  if (perLanguage && !value) return {};
  return value.text();
}

bool ParamValues::IsChecked(const XmlNode& param) {
  return param.selectSingleNode(schema::kQueryChecked).text() == schema::kCheckedOn;
}

XmlNode ParamValues::Create(XmlDocument& config, XmlNode& param, const std::string& storeLang) {
  XmlNode value = config.createNode(XmlDocument::NODE_ELEMENT, schema::kValueElement, "");
  param.appendChild(value);
  XmlNode lang = config.createNode(XmlDocument::NODE_ATTRIBUTE, schema::kLang, "");
  value.attributes().setNamedItem(lang);
  lang.text(storeLang);
  return value;
}

}  // namespace TLPaymentPlugIns
