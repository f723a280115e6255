#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plugin/ParamModel.h"

namespace TLPaymentPlugIns {

class XmlDocument;

// Every parameter the settings editor shows, in its order and nesting, with
// its value in each store language as the editor would show it (nothing is
// created): what tlpp's params prints, what export writes and what hosts
// list.
class ParamTable {
 public:
  struct Entry {
    std::string name;
    const ParamKind* kind;
    int16_t depth;
    // One value per store language (the editor's reading of localValue).
    bool perLanguage;
    // One value a store language when perLanguage, else one shared value;
    // nothing where a per-language value is missing. A check holds "1" or
    // "0"; a group holds nothing.
    std::vector<std::optional<std::string>> values;
    // A group's checked members, by name.
    std::vector<std::string> chosen;
    // A secret (ParamValues::IsSecret): readers show whether it is set,
    // never its values.
    bool secret;
  };

  // Raises what the editor's walk raises (91 for a shown parameter without
  // readOnly, type, localValue or its plain Value).
  ParamTable(const XmlDocument& config, std::vector<std::string> storeLangs);

  const std::vector<std::string>& storeLangs() const { return mStoreLangs; }
  const std::vector<Entry>& entries() const { return mEntries; }

 private:
  std::vector<std::string> mStoreLangs;
  std::vector<Entry> mEntries;
};

}  // namespace TLPaymentPlugIns
