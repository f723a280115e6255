#include "dialog/SettingsWriteBack.h"

#include "dialog/LocaleNumbers.h"
#include "dialog/ParamValues.h"
#include "dialog/frmPlugIn.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamType.h"

namespace TLPaymentPlugIns {

namespace {

bool IsEmptyContent(const Variant& content) {
  return content.IsEmpty() || (content.Holds<std::string>() && content.Get<std::string>().empty());
}

}  // namespace

XmlNode SettingsWriteBack::Target(const XmlDocument& config, const std::string& key) {
  return config.selectSingleNode(schema::QueryElementByName(key));
}

void SettingsWriteBack::Write(XmlDocument& config, const std::string& key, const std::string& storeLang,
                              const Variant& content, bool checked) {
  // The element that carries the key.
  XmlNode P = Target(config, key);

  switch (ParamTypes::Read(P)) {
    case ParamType::Check:
      // A check writes its Checked child; its values are never read.
      P.selectSingleNode(schema::kQueryChecked).text(checked ? schema::kCheckedOn : schema::kCheckedOff);
      break;
    case ParamType::Integer: {
      // An emptied integer writes nothing.
      const bool perLanguage = ParamValues::PerLanguage(P);
      if (IsEmptyContent(content)) break;
      XmlNode target = ParamValues::Element(P, perLanguage, storeLang);
      target.text(std::to_string(LocaleNumbers::ToInteger(content)));
      break;
    }
    case ParamType::Currency: {
      // The amount cleaned as the editor shows it, in the locale's text form.
      XmlNode target = ParamValues::Element(P, ParamValues::PerLanguage(P), storeLang);
      target.text(LocaleNumbers::ToText(frmPlugIn::NormaliseAmount(LocaleNumbers::ToText(content))));
      break;
    }
    case ParamType::Text:
    case ParamType::Multi: {
      XmlNode target = ParamValues::Element(P, ParamValues::PerLanguage(P), storeLang);
      target.text(LocaleNumbers::ToText(content));
      break;
    }
    case ParamType::Group:
    case ParamType::Other:
      // Nothing is written for any other type.
      break;
  }
}

}  // namespace TLPaymentPlugIns
