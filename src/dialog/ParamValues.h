#pragma once

#include <string>

#include "platform/XmlNode.h"

namespace TLPaymentPlugIns {

// Where the settings editor keeps a parameter's value: with localValue
// exactly "true" the Value whose lang is the store language, else the plain
// Value. The editor's build, its write-back and every reader that must agree
// with them ask here.
class ParamValues {
 public:
  // Whether the parameter keeps one value per store language. Raises 91 when
  // it has no localValue attribute.
  static bool PerLanguage(const XmlNode& param);
  // The element holding the value, or an empty handle when it is missing.
  static XmlNode Element(const XmlNode& param, bool perLanguage, const std::string& storeLang);
  // The value text as the editor would show it, "" when a per-language value
  // is missing. Never creates an element; raises 91 when the parameter has
  // no localValue or no plain Value.
  static std::string Text(const XmlNode& param, const std::string& storeLang);
};

}  // namespace TLPaymentPlugIns
