// GetParam: the current value of a parameter for a store language. Every
// step runs under skip-on-error: a failing step has no effect and the next
// one runs; nothing leaves GetParam.
#include "plugin/ConfigSchema.h"
#include "plugin/LanguageResolution.h"
#include "plugin/ParamModel.h"
#include "plugin/ParamValues.h"
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
  const std::string language = LanguageResolution::ResolveOrKeep(config, StoreLang);

  // The first Param of that name, at any depth.
  XmlNode param;
  Skippable([&] { param = config.selectSingleNode(schema::QueryParam(ParamName)); });

  XmlNode value;
  if (param) {
    ParamStorage storage = ParamStorage::Value;
    Skippable([&] { storage = ParamKind::Of(param).Storage(); });
    if (storage == ParamStorage::Checked) {
      // A check parameter's value is its Checked child.
      Skippable([&] { value = param.selectSingleNode(schema::kQueryChecked); });
    } else {
      // One value for all languages, or one per language.
      Skippable([&] { value = ParamValues::Element(param, ParamValues::LookedUpPerLanguage(param), language); });
    }
  }

  // The value's text, or "".
  std::string result;
  Skippable([&] { result = value.text(); });
  return result;
}

}  // namespace TLPaymentPlugIns
