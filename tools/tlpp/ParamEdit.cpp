#include "ParamEdit.h"

#include <algorithm>
#include <cctype>

#include <nlohmann/json.hpp>

#include "OnOff.h"
#include "platform/ErrorCodes.h"
#include "platform/XmlNamedNodeMap.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamModel.h"
#include "plugin/ParamValues.h"
#include "plugin/SettingsWriteBack.h"
#include "plugin/ShownParams.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

namespace {

// The longest value a change line shows whole.
constexpr std::size_t kShownValue = 200;

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const bool same =
          std::tolower(static_cast<unsigned char>(a[i - 1])) == std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> ParamEdit::ShownNames(const XmlDocument& config) {
  std::vector<std::string> names;
  ShownParams::Walk(config, {[&](XmlNode& P, const ParamKind&, int16_t) {
                               const std::string name = P.attributes().getNamedItem(schema::kName).text();
                               if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
                             },
                             {}});
  return names;
}

std::vector<std::string> ParamEdit::Closest(const std::string& name, std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return EditDistance(name, a) < EditDistance(name, b);
  });
  return names;
}

ParamEdit::Change ParamEdit::Apply(XmlDocument& config, const std::string& name, const std::string& storeLang,
                                   const std::string& value) {
  if (value.find('\0') != std::string::npos) {
    throw Error(errors::kInvalidArgument, errors::kRuntimeSource,
                "Invalid procedure call or argument: a value cannot hold a NUL character");
  }
  // The element the dialog's row for this key writes into.
  XmlNode P = SettingsWriteBack::Target(config, name);
  const ParamKind& kind = ParamKind::Of(P);
  if (kind.Storage() == ParamStorage::Checked) {
    const bool checked = OnOff::Parse(value);
    Change change{name, "", *Current(config, name, storeLang), "", false};
    SettingsWriteBack::Write(config, name, storeLang, {}, checked);
    change.after = *Current(config, name, storeLang);
    return change;
  }
  if (!kind.HoldsValue()) throw errors::TypeMismatch();
  // A per-language value the dialog would have created when it opened.
  const bool perLanguage = ParamValues::PerLanguage(P);
  if (perLanguage && !ParamValues::Element(P, true, storeLang)) ParamValues::Create(config, P, storeLang);
  Change change{name, perLanguage ? storeLang : "", ParamValues::Text(P, storeLang), "", ParamValues::IsSecret(P)};
  SettingsWriteBack::Write(config, name, storeLang, value, false);
  change.after = ParamValues::Text(P, storeLang);
  return change;
}

std::optional<std::string> ParamEdit::Current(const XmlDocument& config, const std::string& name,
                                              const std::string& storeLang) {
  const XmlNode P = SettingsWriteBack::Target(config, name);
  const ParamKind& kind = ParamKind::Of(P);
  if (kind.Storage() == ParamStorage::Checked)
    return ParamValues::IsChecked(P) ? schema::kCheckedOn : schema::kCheckedOff;
  if (!kind.HoldsValue()) return std::nullopt;
  if (ParamValues::PerLanguage(P) && !ParamValues::Element(P, true, storeLang)) return std::nullopt;
  return ParamValues::Text(P, storeLang);
}

nlohmann::ordered_json ParamEdit::ValueJson(const ParamTable& table, const ParamTable::Entry& entry,
                                            bool includeSecrets) {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  if (entry.secret) json["secret"] = true;
  if (entry.secret && !includeSecrets) return json;
  switch (entry.kind->Storage()) {
    case ParamStorage::Checked:
      json["checked"] = entry.values.at(0) == std::optional<std::string>(schema::kCheckedOn);
      break;
    case ParamStorage::Value:
      if (!entry.perLanguage) {
        json["value"] = *entry.values.at(0);
        break;
      }
      json["values"] = nlohmann::ordered_json::object();
      for (std::size_t i = 0; i < table.storeLangs().size(); ++i) {
        json["values"][table.storeLangs()[i]] =
            entry.values[i] ? nlohmann::ordered_json(*entry.values[i]) : nlohmann::ordered_json(nullptr);
      }
      break;
    case ParamStorage::None: break;
  }
  return json;
}

std::string ParamEdit::Change::Line(const std::string& id) const {
  const auto shown = [](const std::string& value) {
    return value.size() <= kShownValue
               ? Quoted(value)
               : Quoted(value.substr(0, kShownValue)) + "... (" + std::to_string(value.size()) + " bytes)";
  };
  const std::string where = id + " " + param + (lang.empty() ? "" : "[" + lang + "]") + ": ";
  if (secret) return where + (changed() ? "secret changed" : "secret unchanged");
  return where + shown(before) + " -> " + shown(after);
}

std::string ParamEdit::Quoted(const std::string& text) {
  return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace tlpp
