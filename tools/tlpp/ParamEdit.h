#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/XmlDocument.h"
#include "plugin/ParamTable.h"

namespace tlpp {

// One value written into a plug-in's document from the shell or a settings
// file, the way the dialog's Advanced tab writes what the user types: the
// parameter found by the dialog's key, a missing per-language value created
// as the dialog creates it, the text converted by the dialog's write-back.
// Both set and import write through here.
class ParamEdit {
 public:
  struct Change {
    std::string param;
    std::string lang;  // empty for a value shared by every language
    std::string before;
    std::string after;
    // A secret parameter's change shows neither value.
    bool secret = false;
    bool changed() const { return before != after; }
    // One line for the operator: ID name[lang]: "before" -> "after", each
    // value cut after a few hundred characters; of a secret, ID name[lang]:
    // secret changed (or unchanged).
    std::string Line(const std::string& id) const;
  };

  // The names of the parameters the dialog shows, in its order, each once.
  static std::vector<std::string> ShownNames(const TLPaymentPlugIns::XmlDocument& config);
  // names ordered by how close each is to name (edit distance, then order).
  static std::vector<std::string> Closest(const std::string& name, std::vector<std::string> names);
  // Writes value into the shown parameter name for storeLang (a check takes
  // 1/0, true/false, yes/no, on/off). Raises the dialog's error when it would
  // refuse the value, 13 for a group, 5 for a NUL character; the document is
  // then as it was, but for a created per-language value.
  static Change Apply(TLPaymentPlugIns::XmlDocument& config, const std::string& name, const std::string& storeLang,
                      const std::string& value);
  // What Apply would find as before: "1" or "0" for a check, the value text,
  // or nothing where a per-language value is missing (and for a group).
  static std::optional<std::string> Current(const TLPaymentPlugIns::XmlDocument& config, const std::string& name,
                                            const std::string& storeLang);
  // An entry's value as a settings file writes it: {"checked": bool},
  // {"value": text} or {"values": {lang: text or null}}; {} for a group. A
  // secret is {"secret": true}, followed by its value only with
  // includeSecrets.
  static nlohmann::ordered_json ValueJson(const TLPaymentPlugIns::ParamTable& table,
                                          const TLPaymentPlugIns::ParamTable::Entry& entry, bool includeSecrets);
  // A value as a one-line JSON string: control characters escaped, bytes
  // that are not UTF-8 shown as U+FFFD.
  static std::string Quoted(const std::string& text);
};

}  // namespace tlpp
