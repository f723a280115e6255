#include "plugin/ParamTable.h"

#include "platform/XmlDocument.h"
#include "platform/XmlNamedNodeMap.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamValues.h"
#include "plugin/ShownParams.h"

namespace TLPaymentPlugIns {

ParamTable::ParamTable(const XmlDocument& config, std::vector<std::string> storeLangs)
    : mStoreLangs(std::move(storeLangs)) {
  std::vector<std::size_t> openGroups;
  const auto add = [&](XmlNode& P, const ParamKind& kind, int16_t depth) {
    Entry entry{
        P.attributes().getNamedItem(schema::kName).text(), &kind, depth, false, {}, {}, ParamValues::IsSecret(P)};
    switch (kind.Storage()) {
      case ParamStorage::Checked:
        entry.values.emplace_back(ParamValues::IsChecked(P) ? schema::kCheckedOn : schema::kCheckedOff);
        if (ParamValues::IsChecked(P) && !openGroups.empty()) mEntries[openGroups.back()].chosen.push_back(entry.name);
        break;
      case ParamStorage::Value:
        entry.perLanguage = ParamValues::PerLanguage(P);
        if (!entry.perLanguage) entry.values.emplace_back(ParamValues::Text(P, ""));
        for (const std::string& lang : entry.perLanguage ? mStoreLangs : std::vector<std::string>{}) {
          const XmlNode value = ParamValues::Element(P, true, lang);
          entry.values.push_back(value ? std::optional<std::string>(value.text()) : std::nullopt);
        }
        break;
      case ParamStorage::None: break;
    }
    if (kind.IsGroup()) openGroups.push_back(mEntries.size());
    mEntries.push_back(std::move(entry));
  };
  ShownParams::Walk(config, {add, [&](XmlNode&, int16_t) { openGroups.pop_back(); }});
}

}  // namespace TLPaymentPlugIns
