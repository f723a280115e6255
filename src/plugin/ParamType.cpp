#include "plugin/ParamType.h"

#include <string>

#include "platform/CaseFold.h"
#include "platform/XmlNamedNodeMap.h"
#include "plugin/ConfigSchema.h"

namespace TLPaymentPlugIns {

ParamType ParamTypes::Read(const XmlNode& param) {
  const std::string type = CaseFold::Lower(param.attributes().getNamedItem(schema::kType).text());
  // The settings editor's order of comparison.
  if (type == schema::kTypeMulti) return ParamType::Multi;
  if (type == schema::kTypeInteger) return ParamType::Integer;
  if (type == schema::kTypeCurrency) return ParamType::Currency;
  if (type == schema::kTypeText) return ParamType::Text;
  if (type == schema::kTypeCheck) return ParamType::Check;
  if (type == schema::kTypeGroup) return ParamType::Group;
  return ParamType::Other;
}

const char* ParamTypes::Name(ParamType type) {
  switch (type) {
    case ParamType::Multi: return schema::kTypeMulti;
    case ParamType::Integer: return schema::kTypeInteger;
    case ParamType::Currency: return schema::kTypeCurrency;
    case ParamType::Text: return schema::kTypeText;
    case ParamType::Check: return schema::kTypeCheck;
    case ParamType::Group: return schema::kTypeGroup;
    case ParamType::Other: break;
  }
  return "";
}

bool ParamTypes::HoldsValue(ParamType type) {
  return type == ParamType::Multi || type == ParamType::Integer || type == ParamType::Currency ||
         type == ParamType::Text;
}

}  // namespace TLPaymentPlugIns
