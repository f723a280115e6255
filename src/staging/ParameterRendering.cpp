// Parameter rendering: the text that stands in a shop page for one
// parameter reference. ParseParam catches nothing; GetParamAttribute never
// fails.
#include <string_view>

#include "platform/BooleanText.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamModel.h"
#include "plugin/ParamValues.h"
#include "plugin/PlugIn.h"
#include "staging/ParameterString.h"
#include "staging/RenderType.h"

namespace TLPaymentPlugIns {

namespace {

// One chosen option: <Option value=\"K\">V, with no closing tag.
constexpr std::string_view kOptionOpen = "<Option value=\\\"";
constexpr std::string_view kOptionKeyEnd = "\\\">";

}  // namespace

std::string PlugIn::ParseParam(const std::string& strParam, const std::string& StoreLang) {
  // Empty unless the reference renders something.
  std::string result;
  // What the reference renders, and the parameter it names.
  const RenderType type = RenderTypes::Read(strParam);
  const std::string name = GetParamAttribute(strParam, RenderTypes::NameAttribute(type));

  switch (type) {
    case RenderType::Text:
      // The parameter's value.
      result = GetParam(name, StoreLang);
      break;
    case RenderType::OptionList: {
      // The chosen options of a group written "GROUP", in the document as it
      // is now; it is not loaded here.
      if (!mConfig) throw errors::ObjectNotSet();
      const XmlNode group = mConfig->selectSingleNode(schema::QueryGroup(name));
      for (const XmlNode& option : group.selectNodes(schema::kQueryMembers)) {
        if (ParamKind::Of(option).Storage() != ParamStorage::Checked) continue;
        if (!ParamValues::IsChecked(option)) continue;
        result += kOptionOpen;
        result += option.attributes().getNamedItem(schema::kOptionKey).text();
        result += kOptionKeyEnd;
        result += option.attributes().getNamedItem(schema::kOptionValue).text();
      }
      break;
    }
    case RenderType::Conditional:
      // A fixed text, shown when the tested parameter is true.
      if (BooleanText::Convert(GetParam(name, StoreLang))) result = GetParamAttribute(strParam, schema::kRefValue);
      break;
    case RenderType::Other:
      // Any other type renders nothing.
      break;
  }
  return result;
}

std::string PlugIn::GetParamAttribute(const std::string& strParam, const std::string& AttributeName) {
  return ParameterString::Attribute(strParam, AttributeName);
}

}  // namespace TLPaymentPlugIns
