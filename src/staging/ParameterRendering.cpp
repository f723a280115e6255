// Parameter rendering: the text that stands in a shop page for one
// parameter reference. ParseParam catches nothing; GetParamAttribute never
// fails.
#include <string_view>

#include "platform/BooleanText.h"
#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {

// One chosen option: <Option value=\"K\">V, with no closing tag.
constexpr std::string_view kOptionOpen = "<Option value=\\\"";
constexpr std::string_view kOptionKeyEnd = "\\\">";

// Character positions count from 1; 0 means "not found".
using Position = long;

// The position of the first what in text at or after start; 0 when none.
Position InStr(Position start, const std::string& text, std::string_view what) {
  if (start < 1 || start > static_cast<Position>(text.size())) return 0;
  const std::size_t found = text.find(what, static_cast<std::size_t>(start - 1));
  return found == std::string::npos ? 0 : static_cast<Position>(found) + 1;
}

// length characters of text from start; a negative length raises 5.
std::string Mid(const std::string& text, Position start, Position length) {
  if (start < 1 || length < 0) throw errors::InvalidArgument();
  if (start > static_cast<Position>(text.size())) return {};
  return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}

// Lower case letter by letter, so that positions stay where they were.
std::string LowerKeepingPositions(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

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
  try {
    // 1. " name=" without regard to case.
    const Position start = InStr(1, LowerKeepingPositions(strParam), LowerKeepingPositions(" " + AttributeName + "="));
    if (start == 0) return {};
    // 2, 3. The value runs from after =" to the next double quote.
    const Position e = InStr(start, strParam, "=\"");
    const Position q = InStr(e + 2, strParam, "\"");
    // 4, 5. With no closing quote the length is negative, and the answer "".
    return Mid(strParam, e + 2, q - e - 2);
  } catch (...) {
    return {};
  }
}

}  // namespace TLPaymentPlugIns
