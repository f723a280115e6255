#pragma once

#include <string>

namespace TLPaymentPlugIns {

// A parameter string: attributes each written as a space, the name, an
// equals sign and a double-quoted value, with any other text around them.
class ParameterString {
 public:
  // The value of the first attribute of that name (letter case ignored in
  // the name, kept in the value), or "". Never fails: an attribute without
  // a space before it, with spaces around "=" or without a closing quote
  // gives "".
  static std::string Attribute(const std::string& strParam, const std::string& AttributeName);
};

}  // namespace TLPaymentPlugIns
