#include "PublishCheck.h"

#include "HostHelpers.h"

#include <filesystem>
#include <set>

#include "dialog/LocaleNumbers.h"
#include "dialog/frmPlugIn.h"
#include "platform/CaseFold.h"
#include "platform/Error.h"
#include "platform/FileSystemObject.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"
#include "staging/ParameterString.h"
#include "staging/ReferenceStageObject.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

namespace {

constexpr const char* kCaptionKeys[] = {
    "FormCaption",          "FormTabMainCaption",         "FormTabAdvancedCaption",
    "FormTabReportCaption", "FormTabMainLabelInfo",       "FormTabMainPlugInActive",
    "FormCmdOkCaption",     "FormCmdCancelCaption",       "FormCmdApplyCaption",
    "FormTabAdvancedSettingsCaption", "FormTabReportReportCaption", "FormTabReportSuccessCaption",
    "FormTabReportFailureCaption"};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A parameter the dialog shows, with the depth the dialog gives it.
struct ShownParam {
  XmlNode element;
  std::string name;
  std::string type;  // lower case
};

// The parameters the settings editor lists: shown top-level parameters and,
// inside shown groups, their shown members.
void CollectShown(const XmlNode& param, std::vector<ShownParam>& shown) {
  if (AttributeOrEmpty(param, schema::kReadOnly) != schema::kFalse) return;
  const std::string type = CaseFold::Lower(AttributeOrEmpty(param, schema::kType));
  shown.push_back({param, AttributeOrEmpty(param, schema::kName), type});
  if (type == schema::kTypeGroup) {
    for (const XmlNode& member : param.selectNodes(schema::kQueryMembers)) CollectShown(member, shown);
  }
}

bool IsValueType(const std::string& type) {
  return type == schema::kTypeText || type == schema::kTypeMulti || type == schema::kTypeInteger ||
         type == schema::kTypeCurrency;
}

// The snippet texts: every declared file named plugin.html, read as the
// snippet step reads it.
std::vector<std::string> SnippetTexts(PlugIn& plugIn) {
  std::vector<std::string> texts;
  const FileSystemObject fso;
  for (const XmlNode& file : plugIn.Config().selectNodes(schema::kQueryFiles)) {
    const std::string name = AttributeOrEmpty(file, schema::kName);
    if (CaseFold::Lower(name) != schema::kSnippetFile) continue;
    const std::string path = Path::Join(plugIn.ConfigPath(), name);
    if (!fso.FileExists(path)) continue;
    const auto stream = fso.OpenTextFile(path, FileSystemObject::ForReading, false);
    texts.push_back(stream->ReadAll());
    stream->Close();
  }
  return texts;
}

// A remote path that would leave the stage folder.
bool LeavesStage(const std::string& remoteFile) {
  const std::filesystem::path path = std::filesystem::path(Path::FromDocument(remoteFile)).lexically_normal();
  return path.is_absolute() || (!path.empty() && *path.begin() == "..");
}

class Report {
 public:
  Report(std::string id, std::vector<Finding>& findings) : mId(std::move(id)), mFindings(findings) {}
  void error(const std::string& language, const std::string& message) {
    mFindings.push_back({mId, language, Finding::Severity::Error, message});
  }
  void warning(const std::string& language, const std::string& message) {
    mFindings.push_back({mId, language, Finding::Severity::Warning, message});
  }

 private:
  std::string mId;
  std::vector<Finding>& mFindings;
};

}  // namespace

std::vector<Finding> PublishCheck::Check(PlugIn& plugIn) const {
  std::vector<Finding> findings;
  Report report(plugIn.ID(), findings);
  const XmlDocument& config = plugIn.Config();
  const bool active = plugIn.IsActive();

  std::vector<std::string> declared;
  for (const XmlNode& language : config.selectNodes("//Languages/AppLang/Language")) {
    declared.push_back(AttributeOrEmpty(language, schema::kIsoCode));
  }
  const std::vector<std::string>& storeLangs = mStoreLangs.empty() ? declared : mStoreLangs;

  std::vector<ShownParam> shown;
  for (const XmlNode& param : config.selectNodes(schema::kQueryTopParams)) CollectShown(param, shown);

  // Warnings, for every plug-in.
  if (!config.selectSingleNode(schema::kQueryDefaultLanguage)) {
    report.warning("*", "No language is marked as the default: the name and the dialog fail for any language the plug-in does not declare.");
  }
  for (const std::string& language : declared) {
    std::string missing;
    for (const char* key : kCaptionKeys) {
      if (!config.selectSingleNode(schema::QueryCaption(key, language))) missing += (missing.empty() ? "" : ", ") + std::string(key);
    }
    if (!missing.empty()) report.warning(language, "The dialog would show empty captions for: " + missing + ".");
  }
  for (const XmlNode& param : config.selectNodes("//Param")) {
    const std::string name = AttributeOrEmpty(param, schema::kName);
    const XmlNode first = config.selectSingleNode(schema::QueryElementByName(name));
    if (first && !(first == param)) {
      const bool otherParam = first.nodeName() == "Param";
      report.warning("*", "The parameter " + Quoted(name) + " shares its name with an earlier " +
                              (otherParam ? "parameter" : "<" + first.nodeName() + "> element") +
                              ": changes made in the dialog would go there instead.");
    }
  }
  for (const ShownParam& param : shown) {
    if (param.type != schema::kTypeInteger && param.type != schema::kTypeCurrency) continue;
    for (const XmlNode& value : param.element.selectNodes(schema::kQueryValue)) {
      const std::string text = value.text();
      try {
        if (param.type == schema::kTypeInteger) {
          if (!text.empty()) LocaleNumbers::ToInteger(Variant(text));
        } else {
          frmPlugIn::NormaliseAmount(text);
        }
      } catch (const Error& error) {
        report.warning(AttributeOrEmpty(value, schema::kLang).empty() ? "*" : AttributeOrEmpty(value, schema::kLang),
                       "The " + param.type + " value " + Quoted(text) + " of " + Quoted(param.name) +
                           " cannot be read by the dialog (" + error.Description() + ").");
      }
    }
  }
  for (const XmlNode& file : config.selectNodes(schema::kQueryFiles)) {
    const XmlNode remote = file.attributes().getNamedItem(schema::kRemoteFile);
    if (remote && LeavesStage(remote.text())) {
      report.warning("*", "The file " + Quoted(AttributeOrEmpty(file, schema::kName)) + " would be published outside the stage folder (" +
                              remote.text() + ") and is never staged.");
    }
  }
  if (!active) return findings;

  // Errors, for active plug-ins.
  const FileSystemObject fso;
  for (const XmlNode& file : config.selectNodes(schema::kQueryFiles)) {
    const std::string name = AttributeOrEmpty(file, schema::kName);
    if (!fso.FileExists(Path::Join(plugIn.ConfigPath(), name))) {
      report.error("*", "The declared file " + Quoted(name) + " is missing from the plug-in folder.");
    }
  }
  const std::vector<std::string> snippets = SnippetTexts(plugIn);
  for (const std::string& language : storeLangs) {
    for (const ShownParam& param : shown) {
      if (!IsValueType(param.type)) continue;
      if (AttributeOrEmpty(param.element, schema::kLocalValue) == schema::kTrue &&
          !param.element.selectSingleNode(schema::QueryValue(language))) {
        report.error(language, "The parameter " + Quoted(param.name) + " has no value for this store language.");
      } else if (plugIn.GetParam(param.name, language).empty()) {
        report.error(language, "The parameter " + Quoted(param.name) + " is empty.");
      }
    }
    for (const std::string& snippet : snippets) {
      for (const std::string& strParam : ReferenceStageObject::References(snippet)) {
        const std::string type = CaseFold::Lower(ParameterString::Attribute(strParam, schema::kType));
        const char* nameAttribute = type == schema::kRenderOptionList ? schema::kRefElems
                                    : type == schema::kRenderConditional ? schema::kRefParam
                                                                         : schema::kName;
        const std::string name = ParameterString::Attribute(strParam, nameAttribute);
        try {
          if (!config.selectSingleNode(schema::QueryParam(name))) {
            report.error(language, "The page snippet refers to " + Quoted(name) + ", which the plug-in does not declare.");
            continue;
          }
          const std::string rendered = plugIn.ParseParam(strParam, language);
          if (type == schema::kRenderOptionList && rendered.empty()) {
            report.error(language, "No option of " + Quoted(name) + " is chosen, but the page lists its options.");
          }
        } catch (const Error& error) {
          report.error(language, "The page snippet reference" + strParam + "does not render: " + error.Description());
        }
      }
    }
  }
  return findings;
}

}  // namespace tlpp
