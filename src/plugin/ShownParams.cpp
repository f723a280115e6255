#include "plugin/ShownParams.h"

#include "platform/ErrorCodes.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeList.h"
#include "plugin/ConfigSchema.h"

namespace TLPaymentPlugIns {

XmlNodeList ShownParams::TopLevel(const XmlDocument& config) { return config.selectNodes(schema::kQueryTopParams); }

void ShownParams::Walk(const XmlDocument& config, const Visitor& visitor) {
  for (XmlNode param : TopLevel(config)) Walk(param, 0, visitor);
}

void ShownParams::Walk(XmlNode& param, int16_t depth, const Visitor& visitor) {
  // Hidden unless readOnly is exactly "false"; a hidden group hides its
  // members whatever their own readOnly says.
  if (param.attributes().getNamedItem(schema::kReadOnly).text() != schema::kFalse) return;
  // A type the editor does not know gets no row.
  const ParamKind& kind = ParamKind::Of(param);
  if (!kind.Shown()) return;
  visitor.Param(param, kind, depth);
  if (!kind.IsGroup()) return;
  // The members, one level deeper, after the group itself.
  if (depth == INT16_MAX) throw errors::Overflow();
  for (XmlNode member : param.selectNodes(schema::kQueryMembers)) {
    Walk(member, static_cast<int16_t>(depth + 1), visitor);
  }
  if (visitor.GroupEnd) visitor.GroupEnd(param, depth);
}

}  // namespace TLPaymentPlugIns
