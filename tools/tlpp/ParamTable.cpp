#include "ParamTable.h"

#include "dialog/ParamValues.h"
#include "dialog/ShownParams.h"
#include "platform/XmlNamedNodeMap.h"
#include "plugin/ConfigSchema.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

ParamTable::ParamTable(const XmlDocument& config, std::vector<std::string> storeLangs)
    : mStoreLangs(std::move(storeLangs)) {
  std::vector<std::size_t> openGroups;
  ShownParams::Walk(
      config, {[&](XmlNode& P, ParamType type, int16_t depth) {
                 Entry entry{P.attributes().getNamedItem(schema::kName).text(), type, depth, false, {}, {}};
                 if (type == ParamType::Check) {
                   entry.values.emplace_back(ParamValues::IsChecked(P) ? schema::kCheckedOn : schema::kCheckedOff);
                   if (ParamValues::IsChecked(P) && !openGroups.empty()) {
                     mEntries[openGroups.back()].chosen.push_back(entry.name);
                   }
                 } else if (ParamTypes::HoldsValue(type)) {
                   entry.perLanguage = ParamValues::PerLanguage(P);
                   if (!entry.perLanguage) entry.values.emplace_back(ParamValues::Text(P, ""));
                   for (const std::string& lang : entry.perLanguage ? mStoreLangs : std::vector<std::string>{}) {
                     const XmlNode value = ParamValues::Element(P, true, lang);
                     entry.values.push_back(value ? std::optional<std::string>(value.text()) : std::nullopt);
                   }
                 }
                 if (type == ParamType::Group) openGroups.push_back(mEntries.size());
                 mEntries.push_back(std::move(entry));
               },
               [&](XmlNode&, int16_t) { openGroups.pop_back(); }});
}

nlohmann::ordered_json ParamTable::ValueJson(const Entry& entry) const {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  if (entry.type == ParamType::Check) {
    json["checked"] = entry.values.at(0) == std::optional<std::string>(schema::kCheckedOn);
  } else if (!entry.perLanguage && !entry.values.empty()) {
    json["value"] = *entry.values[0];
  } else if (entry.perLanguage) {
    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < mStoreLangs.size(); ++i) {
      values[mStoreLangs[i]] = entry.values[i] ? nlohmann::ordered_json(*entry.values[i]) : nullptr;
    }
    json["values"] = values;
  }
  return json;
}

}  // namespace tlpp
