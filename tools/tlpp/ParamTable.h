#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/XmlDocument.h"
#include "plugin/ParamType.h"

namespace tlpp {

// Every parameter the dialog shows, in its order and nesting, with its value
// in each store language as the dialog would show it (nothing is created):
// what params prints and export writes.
class ParamTable {
 public:
  struct Entry {
    std::string name;
    TLPaymentPlugIns::ParamType type;
    int16_t depth;
    bool perLanguage;
    // One value a store language when perLanguage, else one shared value;
    // nothing where a per-language value is missing. A check holds "1" or
    // "0"; a group holds nothing.
    std::vector<std::optional<std::string>> values;
    // A group's checked members, by name.
    std::vector<std::string> chosen;
  };

  ParamTable(const TLPaymentPlugIns::XmlDocument& config, std::vector<std::string> storeLangs);

  const std::vector<std::string>& storeLangs() const { return mStoreLangs; }
  const std::vector<Entry>& entries() const { return mEntries; }
  // An entry's value as a settings file writes it: {"checked": bool},
  // {"value": text} or {"values": {lang: text or null}}; {} for a group.
  nlohmann::ordered_json ValueJson(const Entry& entry) const;

 private:
  std::vector<std::string> mStoreLangs;
  std::vector<Entry> mEntries;
};

}  // namespace tlpp
