#include "staging/RenderType.h"

#include "platform/CaseFold.h"
#include "plugin/ConfigSchema.h"
#include "staging/ParameterString.h"

namespace TLPaymentPlugIns {

RenderType RenderTypes::Read(const std::string& strParam) {
  const std::string type = CaseFold::Lower(ParameterString::Attribute(strParam, schema::kType));
  if (type == schema::kRenderText) return RenderType::Text;
  if (type == schema::kRenderOptionList) return RenderType::OptionList;
  if (type == schema::kRenderConditional) return RenderType::Conditional;
  return RenderType::Other;
}

const char* RenderTypes::NameAttribute(RenderType type) {
  switch (type) {
    case RenderType::Text: return schema::kName;
    case RenderType::OptionList: return schema::kRefElems;
    case RenderType::Conditional: return schema::kRefParam;
    case RenderType::Other: break;
  }
  return "";
}

}  // namespace TLPaymentPlugIns
