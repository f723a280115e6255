// Parameter rendering: the text that stands in a shop page for one
// parameter reference. ParseParam catches nothing; GetParamAttribute never
// fails.
#include <string_view>

#include "platform/BooleanText.h"
#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"
#include "staging/ParameterString.h"

namespace TLPaymentPlugIns {

namespace {

// One chosen option: <Option value=\"K\">V, with no closing tag.
constexpr std::string_view kOptionOpen = "<Option value=\\\"";
constexpr std::string_view kOptionKeyEnd = "\\\">";

}  // namespace

std::string PlugIn::ParseParam(const std::string& strParam, const std::string& StoreLang) {
  // 1.
  std::string result;
  // 2.
  const std::string type = CaseFold::Lower(GetParamAttribute(strParam, schema::kType));

  if (type == schema::kRenderText) {
    // 3. The parameter's value.
    result = GetParam(GetParamAttribute(strParam, schema::kName), StoreLang);
  } else if (type == schema::kRenderOptionList) {
    // 4. The chosen options of a group written "GROUP", in the document as
    // it is now; it is not loaded here.
    if (!mConfig) throw errors::ObjectNotSet();
    const XmlNode group = mConfig->selectSingleNode(schema::QueryGroup(GetParamAttribute(strParam, schema::kRefElems)));
    for (const XmlNode& option : group.selectNodes(schema::kQueryMembers)) {
      if (CaseFold::Lower(option.attributes().getNamedItem(schema::kType).text()) != schema::kTypeCheck) continue;
      if (option.selectSingleNode(schema::kQueryChecked).text() != schema::kCheckedOn) continue;
      result += kOptionOpen;
      result += option.attributes().getNamedItem(schema::kOptionKey).text();
      result += kOptionKeyEnd;
      result += option.attributes().getNamedItem(schema::kOptionValue).text();
    }
  } else if (type == schema::kRenderConditional) {
    // 5. A fixed text, shown when the tested parameter is true.
    const std::string tested = GetParam(GetParamAttribute(strParam, schema::kRefParam), StoreLang);
    if (BooleanText::Convert(tested)) result = GetParamAttribute(strParam, schema::kRefValue);
  }
  // 6. Any other type renders nothing.

  // 7.
  return result;
}

std::string PlugIn::GetParamAttribute(const std::string& strParam, const std::string& AttributeName) {
  return ParameterString::Attribute(strParam, AttributeName);
}

}  // namespace TLPaymentPlugIns
