#pragma once

#include <string>

#include "platform/XmlDocument.h"
#include "platform/XmlNode.h"

namespace TLPaymentPlugIns {

// Where a parameter keeps its value, for every reader: the Value whose lang
// is the store language when the parameter keeps one value per language,
// else the plain Value; the Checked child for a check.
class ParamValues {
 public:
  // Two readings of localValue, both kept because plug-ins written for each
  // exist:
  // - the settings editor and its write-back (PerLanguage): one value per
  //   language only when localValue is exactly "true"; a missing attribute
  //   raises 91, so the dialog refuses such a parameter;
  // - GetParam and what renders through it (LookedUpPerLanguage): one value
  //   per language unless localValue is exactly "false"; a missing
  //   attribute means one value for all.
  // They disagree on "TRUE", "yes", "" and a missing attribute.
  static bool PerLanguage(const XmlNode& param);
  static bool LookedUpPerLanguage(const XmlNode& param);

  // The secret attribute. A parameter is secret when the attribute is
  // exactly "true" and its kind may be secret (ParamKind::MayBeSecret);
  // every other reading of the attribute is for the publish check, which
  // warns about a flag that is ignored: "true" on another kind, or any text
  // but exactly "true" or "false" ("TRUE", "1").
  enum class Secrecy { Plain, Secret, IgnoredOnKind, NotAFlag };
  static Secrecy SecretFlag(const XmlNode& param);
  static bool IsSecret(const XmlNode& param) { return SecretFlag(param) == Secrecy::Secret; }

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
