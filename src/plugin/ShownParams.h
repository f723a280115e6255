#pragma once

#include <cstdint>
#include <functional>

#include "platform/XmlDocument.h"
#include "plugin/ParamModel.h"

namespace TLPaymentPlugIns {

// The parameters the settings editor shows, and how deep: every Param of
// "//Params/Param" whose readOnly is exactly "false" and whose type is one
// the editor knows, and inside a shown group its members one level deeper.
// A hidden group hides all its members. The dialog builds its rows from this
// walk; the publish check and the command line list the same parameters.
class ShownParams {
 public:
  struct Visitor {
    // A shown parameter, in the order the editor lists them: a group before
    // its members.
    std::function<void(XmlNode& param, const ParamKind& kind, int16_t depth)> Param;
    // After the members of a shown group; may be empty.
    std::function<void(XmlNode& group, int16_t depth)> GroupEnd;
  };

  // The top-level parameters, shown or not.
  static XmlNodeList TopLevel(const XmlDocument& config);
  // Walks every top-level parameter at depth 0. Raises 91 when a visited
  // parameter has no readOnly or no type attribute, 6 when groups nest
  // deeper than a 16-bit depth; an error from the visitor ends the walk.
  static void Walk(const XmlDocument& config, const Visitor& visitor);
  // Walks one parameter and, when it is a shown group, its members.
  static void Walk(XmlNode& param, int16_t depth, const Visitor& visitor);
};

}  // namespace TLPaymentPlugIns
