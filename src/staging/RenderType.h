#pragma once

#include <string>

namespace TLPaymentPlugIns {

// What a parameter reference in a shop page renders, from the type attribute
// of its parameter string compared after lower-casing: a parameter's value,
// a group's chosen options, or a text shown when a parameter is true.
enum class RenderType { Text, OptionList, Conditional, Other };

class RenderTypes {
 public:
  static RenderType Read(const std::string& strParam);
  // The attribute of the parameter string that names the parameter read:
  // name, elems or param; "" for Other.
  static const char* NameAttribute(RenderType type);
};

}  // namespace TLPaymentPlugIns
