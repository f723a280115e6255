#pragma once

#include <map>
#include <string>

#include "platform/Variant.h"
#include "platform/XmlDocument.h"

namespace TLPaymentPlugIns {

// What the settings editor writes into the document when the user changes a
// value: the parameter found by its name, the value converted by the
// parameter's type (integers and amounts read in the user's locale), written
// into the element that holds it. The dialog's handler and the command line
// both write through here.
class SettingsWriteBack {
 public:
  // The element a row keyed by name writes into: the first element of any
  // kind, at any depth, whose name attribute is name; an empty handle when
  // there is none.
  static XmlNode Target(const XmlDocument& config, const std::string& key);
  // Target of every key at once, in one pass: for each name attribute's
  // text, the first element that carries it.
  static std::map<std::string, XmlNode> Targets(const XmlDocument& config);
  // Writes content (or, for a check, checked) into Target(key), converted
  // by the parameter's kind. Never creates an element and never saves.
  // Raises 91 when there is no such element, it has no type, or the target
  // element is missing; 13 or 6 when the kind refuses the content; nothing
  // is written then.
  static void Write(XmlDocument& config, const std::string& key, const std::string& storeLang, const Variant& content,
                    bool checked);
};

}  // namespace TLPaymentPlugIns
