#pragma once

#include <string>

#include "platform/XmlDocument.h"
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
  // Whether a check parameter is checked: its Checked text is exactly "1".
  // Raises 91 when it has no Checked child.
  static bool IsChecked(const XmlNode& param);
  // Appends an empty Value whose lang is the store language as the
  // parameter's last child and returns it: what the editor does when it
  // lists a per-language parameter without a value for its store language.
  static XmlNode Create(XmlDocument& config, XmlNode& param, const std::string& storeLang);
};

}  // namespace TLPaymentPlugIns
