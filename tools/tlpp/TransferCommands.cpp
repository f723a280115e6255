// export and import: every plug-in's settings as one JSON file, to move
// between shops or keep under version control.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "ParamEdit.h"
#include "WriteLock.h"
#include "catalogue/PlugIns.h"
#include "platform/CaseFold.h"
#include "platform/Error.h"
#include "platform/FileSystemObject.h"
#include "plugin/LanguageResolution.h"
#include "plugin/ParamTable.h"
#include "plugin/PlugIn.h"

using namespace TLPaymentPlugIns;
using Json = nlohmann::ordered_json;

namespace tlpp {

namespace {

constexpr const char* kFormat = "tlpp-settings";
constexpr int kVersion = 1;
// A settings file larger than this is refused before it is read.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

std::string Dump(const Json& json, int indent = -1) {
  return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

// A JSON path step for an object member: .name, or ["name"] when the name
// is not a plain word.
std::string Member(const std::string& name) {
  const bool plain = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
  });
  return plain ? "." + name : "[" + Dump(name) + "]";
}

// The plug-ins of a root, scanned afresh (and so read now).
std::unique_ptr<PlugIns> Scan(const std::string& root) {
  if (!FileSystemObject().FolderExists(root)) throw std::invalid_argument(root + " is not a folder");
  auto plugIns = std::make_unique<PlugIns>();
  plugIns->PlugInsPath(root);
  return plugIns;
}

// Applies one plug-in's part of a settings file to its document, collecting
// every problem with its JSON path; lists what changed.
class Importer {
 public:
  std::vector<std::string> problems;
  std::vector<std::string> changes;

  void PlugInEntry(PlugIn& plugIn, const Json& entry, const std::string& path) {
    if (entry.contains("active")) Active(plugIn, entry["active"], path + ".active");
    if (!entry.contains("params")) return;
    const Json& params = entry["params"];
    if (!params.is_object()) return Problem(path + ".params", "expected an object of parameters");
    const XmlDocument& config = plugIn.Config();
    const std::vector<std::string> names = ParamEdit::ShownNames(config);
    const std::vector<std::string> langs = LanguageResolution::DeclaredCodes(config);
    for (const auto& [name, values] : params.items()) {
      const std::string at = path + ".params" + Member(name);
      if (std::find(names.begin(), names.end(), name) == names.end()) {
        const auto closest = ParamEdit::Closest(name, names);
        Problem(at, plugIn.ID() + " has no parameter " + name +
                        (closest.empty() ? std::string() : "; the closest is " + closest.front()));
      } else if (!values.is_object()) {
        Problem(at, "expected an object with \"checked\", \"value\" or \"values\"");
      } else {
        ParamEntry(plugIn, name, values, langs, at);
      }
    }
  }

 private:
  void Problem(const std::string& path, const std::string& what) { problems.push_back(path + ": " + what); }

  void Active(PlugIn& plugIn, const Json& active, const std::string& path) {
    if (!active.is_boolean()) return Problem(path, "expected true or false");
    try {
      if (plugIn.IsActive() == active.get<bool>()) return;
      plugIn.IsActive(active.get<bool>());
      changes.push_back(plugIn.ID() + " active: " + (active.get<bool>() ? "false -> true" : "true -> false"));
    } catch (const Error& error) {
      Problem(path, "error " + std::to_string(error.Number()) + ": " + error.Description());
    }
  }

  void ParamEntry(PlugIn& plugIn, const std::string& name, const Json& entry, const std::vector<std::string>& langs,
                  const std::string& path) {
    // A value the file calls secret is never shown, whatever the document
    // says; a secret without one is left as it is.
    const bool secret = entry.value("secret", Json()) == Json(true);
    for (const auto& [key, value] : entry.items()) {
      if (key == "type") continue;  // informative only
      if (key == "secret") {
        if (!value.is_boolean()) Problem(path + ".secret", "expected true or false");
      } else if (key == "checked") {
        if (!value.is_boolean()) Problem(path + ".checked", "expected true or false");
        else One(plugIn, name, "", value.get<bool>() ? "1" : "0", path + ".checked", secret);
      } else if (key == "value") {
        One(plugIn, name, "", value, path + ".value", secret);
      } else if (key == "values" && value.is_object()) {
        for (const auto& [lang, text] : value.items()) {
          const std::string at = path + ".values" + Member(lang);
          if (std::find(langs.begin(), langs.end(), lang) == langs.end()) {
            Problem(at, plugIn.ID() + " declares no language " + lang);
          } else if (!text.is_null()) {  // null: no value in that language, left as it is
            One(plugIn, name, lang, text, at, secret);
          }
        }
      } else {
        Problem(path + Member(key), key == "values" ? "expected an object of languages" : "unknown member");
      }
    }
  }

  // One value, written only when it differs from the document's.
  void One(PlugIn& plugIn, const std::string& name, const std::string& lang, const Json& value, const std::string& path,
           bool secret) {
    if (!value.is_string() && !value.is_number_integer()) return Problem(path, "expected a text");
    const std::string text = value.is_string() ? value.get<std::string>() : value.dump();
    try {
      XmlDocument& config = plugIn.Config();
      if (ParamEdit::Current(config, name, lang) == text) return;
      ParamEdit::Change change = ParamEdit::Apply(config, name, lang, text);
      if (!change.changed()) return;
      change.secret = change.secret || secret;
      changes.push_back(change.Line(plugIn.ID()));
    } catch (const Error& error) {
      Problem(path, "error " + std::to_string(error.Number()) + ": " + error.Description());
    }
  }
};

Json ReadSettingsFile(const std::string& file) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) throw std::invalid_argument("cannot read " + file + ": " + ec.message());
  if (size > kMaxFileBytes) {
    throw std::invalid_argument(file + " is " + std::to_string(size >> 20) + " MB; a settings file is at most " +
                                std::to_string(kMaxFileBytes >> 20) + " MB");
  }
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  try {
    return Json::parse(bytes.str());
  } catch (const Json::parse_error& error) {
    throw std::invalid_argument(file + " is not JSON: " + error.what());
  }
}

}  // namespace

int RunExport(const Arguments& args) {
  const auto plugIns = Scan(args.positional(0, SamplesRoot()));
  Json plugins = Json::array();
  for (const auto& plugIn : *plugIns) {
    const XmlDocument& config = plugIn->Config();
    const ParamTable table(config, LanguageResolution::DeclaredCodes(config));
    Json params = Json::object();
    for (const auto& entry : table.entries()) {
      // A group holds no value; a repeated name writes into its first holder.
      if (entry.kind->IsGroup() || params.contains(entry.name)) continue;
      Json param = {{"type", entry.kind->Name()}};
      param.update(ParamEdit::ValueJson(table, entry, args.flag(kIncludeSecrets)));
      params[entry.name] = param;
    }
    plugins.push_back({{"id", plugIn->ID()}, {"active", plugIn->IsActive()}, {"params", params}});
  }
  std::cout << Dump({{"format", kFormat}, {"version", kVersion}, {"plugins", plugins}}, 2) << '\n';
  return kExitOk;
}

int RunImport(const Arguments& args) {
  const std::string root = args.positional(1, SamplesRoot());
  Json settings;
  try {
    settings = ReadSettingsFile(args.positional(0));
  } catch (const std::invalid_argument& error) {
    Diagnostics::Say("import", error.what());
    return kExitError;
  }
  // The file's shape, before anything is read from the plug-ins.
  if (!settings.is_object() || settings.value("format", Json()) != kFormat) {
    Diagnostics::Say("import", std::string("$.format: expected \"") + kFormat + "\"");
    return kExitFindings;
  }
  if (settings.value("version", Json()) != kVersion) {
    Diagnostics::Say("import", "$.version: " + Dump(settings.value("version", Json())) +
                                   " is not a version this tlpp reads (it reads " + std::to_string(kVersion) + ")");
    return kExitFindings;
  }
  if (!settings.contains("plugins") || !settings["plugins"].is_array()) {
    Diagnostics::Say("import", "$.plugins: expected an array of plug-ins");
    return kExitFindings;
  }
  // Every plug-in folder of the root is locked, then read afresh.
  std::vector<std::string> folders;
  const auto unlocked = Scan(root);
  for (const auto& plugIn : *unlocked) folders.push_back(plugIn->ConfigPath());
  return WriteLock::Run(folders, args, [&] {
    const auto plugIns = Scan(root);
    std::map<std::string, std::string> before;
    for (const auto& plugIn : *plugIns) before[plugIn->ConfigPath()] = plugIn->Config().xml();
    Importer importer;
    std::map<std::string, std::string> seen;
    const Json& plugins = settings["plugins"];
    for (std::size_t i = 0; i < plugins.size(); ++i) {
      const std::string path = "$.plugins[" + std::to_string(i) + "]";
      const Json& entry = plugins[i];
      if (!entry.is_object() || !entry.contains("id") || !entry["id"].is_string()) {
        importer.problems.push_back(path + ": expected an object with an \"id\"");
        continue;
      }
      const std::string id = entry["id"].get<std::string>();
      const auto [first, fresh] = seen.emplace(CaseFold::Fold(id), path);
      if (!fresh) {
        importer.problems.push_back(path + ".id: " + id + " is already set by " + first->second);
        continue;
      }
      std::shared_ptr<PlugIn> plugIn;
      try {
        plugIn = plugIns->Item(id);
      } catch (const Error&) {
        importer.problems.push_back(path + ".id: no plug-in " + id + " under " + root);
        continue;
      }
      importer.PlugInEntry(*plugIn, entry, path);
    }
    if (!importer.problems.empty()) {
      for (const std::string& problem : importer.problems) Diagnostics::Write(problem);
      Diagnostics::Say("import", std::to_string(importer.problems.size()) + " problem(s); nothing was written");
      return kExitFindings;
    }
    // Only the plug-ins whose document changed are written.
    const bool dryRun = args.flag(kDryRun);
    for (const std::string& change : importer.changes)
      std::printf("%s%s\n", dryRun ? "would set " : "", change.c_str());
    for (const auto& plugIn : *plugIns) {
      if (!dryRun && plugIn->Config().xml() != before[plugIn->ConfigPath()]) plugIn->SaveConfiguration();
    }
    if (importer.changes.empty()) std::printf("nothing to change\n");
    return kExitOk;
  });
}

}  // namespace tlpp
