// GetParam: the current value of a parameter for a store language. Every
// step runs under skip-on-error: a failing step has no effect and the next
// one runs; nothing leaves GetParam.
#include "plugin/ConfigSchema.h"
#include "plugin/ParamType.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {

// Runs one step; an error abandons the step and nothing more.
template <typename Step>
void Skippable(Step&& step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

std::string PlugIn::GetParam(const std::string& ParamName, const std::string& StoreLang) {
  // Load first; with no usable document every lookup finds nothing.
  Skippable([&] { LoadFirst(); });
  if (!mConfig) return {};
  const XmlDocument& config = *mConfig;

  // The store language: a declared code, else the default's, else as given.
  std::string language = StoreLang;
  bool declared = false;
  Skippable([&] { declared = !StoreLang.empty() && config.selectSingleNode(schema::QueryLanguage(StoreLang)); });
  if (!declared) {
    Skippable([&] {
      language =
          config.selectSingleNode(schema::kQueryDefaultLanguage).attributes().getNamedItem(schema::kIsoCode).text();
    });
  }

  // The first Param of that name, at any depth.
  XmlNode param;
  Skippable([&] { param = config.selectSingleNode(schema::QueryParam(ParamName)); });

  XmlNode value;
  if (param) {
    bool isCheck = false;
    Skippable([&] { isCheck = ParamTypes::Read(param) == ParamType::Check; });
    if (isCheck) {
      // A check parameter's value is its Checked child.
      Skippable([&] { value = param.selectSingleNode(schema::kQueryChecked); });
    } else {
      // One value for all languages, or one per language.
      Skippable([&] {
        const XmlNode localValue = param.attributes().getNamedItem(schema::kLocalValue);
        const bool perLanguage = localValue && localValue.text() != schema::kFalse;
        value = param.selectSingleNode(perLanguage ? schema::QueryValue(language) : schema::kQueryValue);
      });
    }
  }

  // The value's text, or "".
  std::string result;
  Skippable([&] { result = value.text(); });
  return result;
}

}  // namespace TLPaymentPlugIns
