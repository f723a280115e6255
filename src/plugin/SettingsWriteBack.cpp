#include "plugin/SettingsWriteBack.h"

#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeList.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamModel.h"
#include "plugin/ParamValues.h"

namespace TLPaymentPlugIns {

XmlNode SettingsWriteBack::Target(const XmlDocument& config, const std::string& key) {
  return config.selectSingleNode(schema::QueryElementByName(key));
}

std::map<std::string, XmlNode> SettingsWriteBack::Targets(const XmlDocument& config) {
  std::map<std::string, XmlNode> targets;
  for (const XmlNode& element : config.selectNodes(schema::kQueryNamedElements)) {
    targets.emplace(element.attributes().getNamedItem(schema::kName).text(), element);
  }
  return targets;
}

void SettingsWriteBack::Write(XmlDocument& config, const std::string& key, const std::string& storeLang,
                              const Variant& content, bool checked) {
  // The element that carries the key, and what its type means.
  XmlNode P = Target(config, key);
  const ParamKind& kind = ParamKind::Of(P);

  switch (kind.Storage()) {
    case ParamStorage::Checked:
      // A check writes its Checked child; its values are never read.
      P.selectSingleNode(schema::kQueryChecked).text(checked ? schema::kCheckedOn : schema::kCheckedOff);
      break;
    case ParamStorage::Value: {
      // Into the plain or the store language's Value, converted by the type;
      // an entry the type keeps (an emptied integer) writes nothing.
      const bool perLanguage = ParamValues::PerLanguage(P);
      if (kind.Keeps(content)) break;
      XmlNode target = ParamValues::Element(P, perLanguage, storeLang);
      target.text(kind.Stored(content));
      break;
    }
    case ParamStorage::None:
      // Nothing is written for any other type.
      break;
  }
}

}  // namespace TLPaymentPlugIns
