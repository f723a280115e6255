#include "check/PublishCheck.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include <sys/stat.h>

#include "dialog/DialogProbe.h"
#include "platform/Error.h"
#include "platform/FileSystemObject.h"
#include "platform/Path.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeList.h"
#include "platform/XmlSchema.h"
#include "plugin/ConfigSchema.h"
#include "plugin/LanguageResolution.h"
#include "plugin/ParamValues.h"
#include "plugin/PlugIn.h"
#include "plugin/SettingsWriteBack.h"
#include "plugin/ShownParams.h"
#include "staging/ParameterString.h"
#include "staging/ReferenceStageObject.h"
#include "staging/RenderType.h"
#include "staging/StageObject.h"
#include "staging/StagingPlan.h"

namespace TLPaymentPlugIns {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string AttributeOrEmpty(const XmlNode& element, const char* name) {
  const XmlNode attribute = element.attributes().getNamedItem(name);
  return attribute ? attribute.text() : std::string();
}

std::string Described(const Error& error) {
  return "error " + std::to_string(error.Number()) + ": " + error.Description();
}

// An empty folder of its own to plan staging into; removed with everything
// in it when the check ends.
class ScratchStage {
 public:
  ScratchStage() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tlpp-check-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) mPath = pattern;
  }
  ~ScratchStage() {
    std::error_code ec;
    if (!mPath.empty()) std::filesystem::remove_all(mPath, ec);
  }
  ScratchStage(const ScratchStage&) = delete;
  ScratchStage& operator=(const ScratchStage&) = delete;
  const std::string& Path() const { return mPath; }

 private:
  std::string mPath;
};

class Report {
 public:
  Report(std::string id, std::vector<Finding>& findings) : mId(std::move(id)), mFindings(findings) {}
  void error(const std::string& language, const char* code, const std::string& message) {
    mFindings.push_back({mId, language, Finding::Severity::Error, code, message});
  }
  void warning(const std::string& language, const char* code, const std::string& message) {
    mFindings.push_back({mId, language, Finding::Severity::Warning, code, message});
  }

 private:
  std::string mId;
  std::vector<Finding>& mFindings;
};

// The parameters the settings editor shows and that hold a value; as far as
// the walk gets (the dialog check reports why it stops).
std::vector<XmlNode> ShownValueParams(const XmlDocument& config) {
  std::vector<XmlNode> shown;
  try {
    ShownParams::Walk(config, {[&shown](XmlNode& param, const ParamKind& kind, int16_t /*depth*/) {
                                 if (kind.HoldsValue()) shown.push_back(param);
                               },
                               {}});
  } catch (const Error&) {
  }
  return shown;
}

// The dialog opened in each language, as the store's owner working in that
// language would open it.
void CheckDialog(PlugIn& plugIn, const std::vector<std::string>& languages, Report& report) {
  std::vector<DialogProbe::Outcome> outcomes;
  for (const std::string& language : languages) outcomes.push_back(DialogProbe::Open(plugIn, language, language));
  // An error met in every language is reported once.
  bool same = !outcomes.empty();
  for (const DialogProbe::Outcome& outcome : outcomes) {
    same = same && outcome.error && outcomes.front().error &&
           outcome.error->Number() == outcomes.front().error->Number() &&
           outcome.error->Description() == outcomes.front().error->Description();
  }
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const DialogProbe::Outcome& outcome = outcomes[i];
    if (outcome.error && (!same || i == 0)) {
      report.error(same ? "*" : languages[i], "dialog-fails",
                   "The configuration dialog cannot open: " + Described(*outcome.error) + ".");
    }
    if (outcome.emptyCaptions.empty()) continue;
    std::string keys;
    for (const std::string& key : outcome.emptyCaptions) keys += (keys.empty() ? "" : ", ") + key;
    report.warning(languages[i], "empty-caption", "The dialog would show empty captions for: " + keys + ".");
  }
}

// Renders every text as it stands.
class EchoStageObject : public StageObject {
 public:
  void ParseSnippet(std::string& text, int16_t /*mode*/) override { mCode = text; }
  std::string PCode() override { return mCode; }

 private:
  std::string mCode;
};

// Files and folders that staging would skip, and why: the plan says which
// paths leave their folder, and staging into an empty scratch folder shows
// which destinations it cannot write. The scratch folder is written STAGE.
void CheckStaging(PlugIn& plugIn, const StagingPlan& plan, const std::string& stagePath, Report& report) {
  const auto why = [&stagePath](const Error& error) {
    std::string text = Described(error);
    for (std::size_t at; !stagePath.empty() && (at = text.find(stagePath)) != std::string::npos;) {
      text.replace(at, stagePath.size(), "STAGE");
    }
    return text;
  };
  EchoStageObject echo;
  plugIn.CopyPlugInFiles(stagePath, &echo);
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const StagingPlan::Folder& folder : plan.Folders()) {
    const std::string name = Quoted(AttributeOrEmpty(folder.element, schema::kName));
    if (!folder.path.Formed()) {
      report.warning("*", "folder-path-fails",
                     "The folder " + name + " is never created in the stage folder (" + why(folder.path.Failure()) +
                         ").");
    } else if (!fs::is_directory(folder.path.Get(), ec)) {
      report.warning("*", "folder-not-created",
                     "The folder " + name + " is never created in the stage folder: its parent folder " +
                         Quoted(plan.Stage().Relative(fs::path(folder.path.Get()).parent_path())) + " is not there.");
    }
  }
  const FileSystemObject fso;
  for (const StagingPlan::File& file : plan.Files()) {
    if (!file.staged) continue;
    const std::string name = Quoted(AttributeOrEmpty(file.element, schema::kName));
    if (!file.destination.Formed()) {
      report.warning("*", "file-outside-stage",
                     "The file " + name + " would be published outside the stage folder (" +
                         AttributeOrEmpty(file.element, schema::kRemoteFile) + ") and is never staged (" +
                         why(file.destination.Failure()) + ").");
    } else if (!file.source.Formed()) {
      report.warning("*", "file-outside-plugin",
                     "The file " + name + " lies outside the plug-in folder and is never staged (" +
                         why(file.source.Failure()) + ").");
    } else if (fso.FileExists(file.source.Get()) && !fs::exists(file.destination.Get(), ec)) {
      const fs::path folder = fs::path(file.destination.Get()).parent_path();
      report.warning("*", "file-not-staged",
                     "The file " + name + " is never staged: its folder " +
                         Quoted(plan.Stage().Relative(folder.string())) +
                         " is not in the stage folder and no declared folder creates it.");
    }
  }
}

// The page snippets' texts, read as the snippet step reads them.
std::vector<std::string> SnippetTexts(const StagingPlan& plan) {
  std::vector<std::string> texts;
  const FileSystemObject fso;
  for (const StagingPlan::Snippet& snippet : plan.Snippets()) {
    if (!snippet.source.Formed() || !fso.FileExists(snippet.source.Get())) continue;
    const auto stream = fso.OpenTextFile(snippet.source.Get(), FileSystemObject::ForReading, false);
    texts.push_back(stream->ReadAll());
    stream->Close();
  }
  return texts;
}

// Every reference of the snippets renders, in one store language.
void CheckReferences(PlugIn& plugIn, const std::vector<std::string>& snippets, const std::string& language,
                     Report& report) {
  const XmlDocument& config = plugIn.Config();
  for (const std::string& snippet : snippets) {
    for (const std::string& strParam : ReferenceStageObject::References(snippet)) {
      const RenderType type = RenderTypes::Read(strParam);
      const std::string name = ParameterString::Attribute(strParam, RenderTypes::NameAttribute(type));
      try {
        if (!config.selectSingleNode(schema::QueryParam(name))) {
          report.error(language, "unknown-reference",
                       "The page snippet refers to " + Quoted(name) + ", which the plug-in does not declare.");
          continue;
        }
        const std::string rendered = plugIn.ParseParam(strParam, language);
        if (type == RenderType::OptionList && rendered.empty()) {
          report.error(language, "no-option-chosen",
                       "No option of " + Quoted(name) + " is chosen, but the page lists its options.");
        }
      } catch (const Error& error) {
        report.error(language, "reference-fails",
                     "The page snippet reference" + strParam + "does not render: " + error.Description());
      }
    }
  }
}

// A secret value shorter than this many characters is not searched for: it
// would be found in ordinary text.
constexpr std::size_t kShortestSearchedSecret = 6;

std::size_t Characters(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Every secret parameter's non-empty values, in any language, by name.
std::map<std::string, std::vector<std::string>> SecretValues(const XmlDocument& config, Report& report) {
  std::map<std::string, std::vector<std::string>> secrets;
  for (const XmlNode& param : config.selectNodes("//Param")) {
    const std::string name = Quoted(AttributeOrEmpty(param, schema::kName));
    ParamValues::Secrecy secrecy = ParamValues::Secrecy::Plain;
    try {
      secrecy = ParamValues::SecretFlag(param);
    } catch (const Error&) {  // no type: the dialog check says so
    }
    switch (secrecy) {
      case ParamValues::Secrecy::Plain: break;
      case ParamValues::Secrecy::IgnoredOnKind:
        report.warning("*", "secret-flag-ignored",
                       "The parameter " + name +
                           " is declared secret, but only a text or "
                           "multi parameter can be one: its value is shown and published like any other.");
        break;
      case ParamValues::Secrecy::NotAFlag:
        report.warning("*", "secret-flag-ignored",
                       "The secret attribute of the parameter " + name +
                           " is neither "
                           "exactly \"true\" nor \"false\": the parameter is not treated as a secret.");
        break;
      case ParamValues::Secrecy::Secret:
        std::vector<std::string>& values = secrets[AttributeOrEmpty(param, schema::kName)];
        for (const XmlNode& value : param.selectNodes(schema::kQueryValue)) {
          const std::string text = value.text();
          if (!text.empty() && std::find(values.begin(), values.end(), text) == values.end()) values.push_back(text);
        }
        break;
    }
  }
  return secrets;
}

// Whether bytes hold needle anywhere.
bool Holds(const std::string& bytes, const std::string& needle) {
  return std::search(bytes.begin(), bytes.end(), std::boyer_moore_horspool_searcher(needle.begin(), needle.end())) !=
         bytes.end();
}

// Every file under folder, by path relative to it, with its bytes.
std::map<std::string, std::string> FilesUnder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    std::ifstream in(it->path(), std::ios::binary);
    files[it->path().lexically_relative(folder).string()] = {std::istreambuf_iterator<char>(in),
                                                             std::istreambuf_iterator<char>()};
  }
  return files;
}

}  // namespace

std::vector<Finding> PublishCheck::CheckSecrets(PlugIn& plugIn) const {
  std::vector<Finding> findings;
  Report report(plugIn.ID(), findings);
  const XmlDocument& config = plugIn.Config();
  const std::map<std::string, std::vector<std::string>> secrets = SecretValues(config, report);

  // Values too short to search for, each secret once; the others searched.
  std::map<std::string, std::vector<std::string>> searched;
  std::string held;
  for (const auto& [name, values] : secrets) {
    if (!values.empty()) held += (held.empty() ? "" : ", ") + Quoted(name);
    bool tooShort = false;
    for (const std::string& value : values) {
      if (Characters(value) >= kShortestSearchedSecret) searched[name].push_back(value);
      else tooShort = true;
    }
    if (tooShort) {
      report.warning("*", "secret-too-short",
                     "A value of the secret parameter " + Quoted(name) + " is shorter than " +
                         std::to_string(kShortestSearchedSecret) +
                         " characters: too short to search the published files "
                         "for, and easily guessed.");
    }
  }
  struct stat status {};
  const std::string file = Path::Join(plugIn.ConfigPath(), schema::kConfigFile);
  if (!held.empty() && stat(file.c_str(), &status) == 0 && (status.st_mode & S_IROTH) != 0) {
    report.warning("*", "secret-readable",
                   "config.xml holds the value of the secret parameter(s) " + held +
                       " and every user of this machine can read it; let only its owner read it (chmod o-r).");
  }
  if (searched.empty()) return findings;

  // Staged as a host would stage it, in each store language, the page
  // snippet beside the files.
  const std::vector<std::string> declared = LanguageResolution::DeclaredCodes(config);
  for (const std::string& language : mStoreLangs.empty() ? declared : mStoreLangs) {
    const ScratchStage stage;
    ReferenceStageObject stageObj(plugIn, language);
    plugIn.CopyPlugInFiles(stage.Path(), &stageObj);
    std::map<std::string, std::string> files = FilesUnder(stage.Path());
    try {
      files["the page snippet"] = plugIn.ParseSnippetFile(&stageObj);
    } catch (const Error&) {  // the reference check says why
    }
    for (const auto& [name, values] : searched) {
      for (const auto& written : files) {
        const std::string& path = written.first;
        const std::string& bytes = written.second;
        if (std::none_of(values.begin(), values.end(), [&](const std::string& v) { return Holds(bytes, v); })) continue;
        report.error(language, "secret-published",
                     "The value of the secret parameter " + Quoted(name) + " would be published in " +
                         (path == "the page snippet" ? path : Quoted(path)) + ".");
      }
    }
  }
  return findings;
}

PublishCheck PublishCheck::ForLanguages(const std::string& commaList) {
  std::vector<std::string> languages;
  std::size_t start = 0;
  while (start <= commaList.size()) {
    const std::size_t end = std::min(commaList.find(',', start), commaList.size());
    if (end > start) languages.push_back(commaList.substr(start, end - start));
    start = end + 1;
  }
  return PublishCheck(std::move(languages));
}

PublishCheck& PublishCheck::ValidatingAgainst(const std::string& schemaPath) {
  mSchema = std::make_shared<const XmlSchema>(schemaPath);
  return *this;
}

std::vector<Finding> PublishCheck::Check(PlugIn& plugIn) const {
  std::vector<Finding> findings;
  Report report(plugIn.ID(), findings);
  const XmlDocument& config = plugIn.Config();
  const bool active = plugIn.IsActive();

  // The store languages: as given, else every declared one.
  const std::vector<std::string> declared = LanguageResolution::DeclaredCodes(config);
  const std::vector<std::string>& storeLangs = mStoreLangs.empty() ? declared : mStoreLangs;

  // Warnings, for every plug-in; the dialog's failure is an error.
  if (mSchema) {
    const std::string file = Path::Join(plugIn.ConfigPath(), schema::kConfigFile);
    for (const XmlSchema::Problem& problem : mSchema->Validate(config)) {
      // Where, as compilers say it; the validator knows lines, not columns.
      std::string where = file + ":" + std::to_string(problem.line) + ":";
      if (problem.column > 0) where += std::to_string(problem.column) + ":";
      report.warning("*", "schema", where + " " + problem.message);
    }
  }
  if (plugIn.ID().empty()) {
    report.warning("*", "empty-id",
                   "The plug-in's ID is empty: a host that finds plug-ins by ID cannot tell it from another "
                   "one with an empty ID.");
  }
  if (!config.selectSingleNode(schema::kQueryDefaultLanguage)) {
    report.warning("*", "no-default-language",
                   "No language is marked as the default: the name and the dialog "
                   "fail for any language the plug-in does not declare.");
  }
  CheckDialog(plugIn, storeLangs, report);
  const std::map<std::string, XmlNode> targets = SettingsWriteBack::Targets(config);
  for (const XmlNode& param : config.selectNodes("//Param")) {
    const std::string name = AttributeOrEmpty(param, schema::kName);
    const auto target = targets.find(name);
    const XmlNode written = target == targets.end() ? XmlNode() : target->second;
    if (written && !(written == param)) {
      const bool otherParam = written.nodeName() == "Param";
      report.warning("*", "duplicate-name",
                     "The parameter " + Quoted(name) + " shares its name with an earlier " +
                         (otherParam ? "parameter" : "<" + written.nodeName() + "> element") +
                         ": changes made in the dialog would go there instead.");
    }
  }
  const ScratchStage stage;
  const StagingPlan plan(config, plugIn.ConfigPath(), stage.Path());
  CheckStaging(plugIn, plan, stage.Path(), report);
  for (Finding& finding : CheckSecrets(plugIn)) findings.push_back(std::move(finding));
  if (!active) return findings;

  // Errors, for active plug-ins.
  const FileSystemObject fso;
  for (const StagingPlan::File& file : plan.Files()) {
    if (file.source.Formed() && !fso.FileExists(file.source.Get())) {
      report.error("*", "missing-file",
                   "The declared file " + Quoted(AttributeOrEmpty(file.element, schema::kName)) +
                       " is missing from the plug-in folder.");
    }
  }
  const std::vector<XmlNode> shown = ShownValueParams(config);
  const std::vector<std::string> snippets = SnippetTexts(plan);
  for (const std::string& language : storeLangs) {
    for (const XmlNode& param : shown) {
      const std::string name = AttributeOrEmpty(param, schema::kName);
      bool missing = false;
      try {
        missing = ParamValues::PerLanguage(param) && !ParamValues::Element(param, true, language);
      } catch (const Error&) {
      }
      if (missing) {
        report.error(language, "missing-language-value",
                     "The parameter " + Quoted(name) + " has no value for this store language.");
      } else if (plugIn.GetParam(name, language).empty()) {
        report.error(language, "empty-param", "The parameter " + Quoted(name) + " is empty.");
      }
    }
    CheckReferences(plugIn, snippets, language, report);
  }
  return findings;
}

}  // namespace TLPaymentPlugIns
