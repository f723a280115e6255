#include "catalogue/PlugInUpgrade.h"

#include <fcntl.h>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "platform/Variant.h"
#include "platform/XmlDocument.h"
#include "plugin/ConfigSchema.h"
#include "plugin/LanguageResolution.h"
#include "plugin/ParamModel.h"
#include "plugin/ParamValues.h"
#include "plugin/PlugIn.h"
#include "plugin/PlugInErrors.h"
#include "plugin/PlugInLock.h"

namespace fs = std::filesystem;

namespace TLPaymentPlugIns {

namespace {

using Kind = PlugInUpgrade::Kind;

// The work folder beside the plug-in folders: it holds no config.xml, so a
// scan of the root passes it by.
constexpr const char* kWorkFolder = ".tlpp-upgrade";
constexpr const char* kAssemblySuffix = ".assembly";
constexpr const char* kBeforeUpgrade = ".before-upgrade-";
constexpr const char* kAfterUpgrade = ".after-upgrade-";
constexpr const char* kShippedSuffix = ".new";

// A file-system failure as the numbered error of its path.
Error FileError(const fs::filesystem_error& failure) {
  return errors::FromErrno(failure.code().value(), failure.path1().string());
}

template <typename Step>
auto OnFiles(Step&& step) {
  try {
    return step();
  } catch (const fs::filesystem_error& failure) {
    throw FileError(failure);
  }
}

// The folder as a path without a trailing separator.
fs::path FolderPath(const std::string& folder) {
  fs::path path = fs::path(folder).lexically_normal();
  if (!path.has_filename() && path.has_parent_path()) path = path.parent_path();
  return path;
}

fs::path WorkFolder(const fs::path& folder) { return folder.parent_path() / kWorkFolder; }

fs::path BackupFolder(const fs::path& folder, const std::string& backupFolder) {
  return backupFolder.empty() ? WorkFolder(folder) : FolderPath(backupFolder);
}

std::string Stamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// A name in folder that is not taken yet: stem, then stem-2, stem-3...
fs::path FreeName(const fs::path& folder, const std::string& stem) {
  fs::path path = folder / stem;
  for (int n = 2; fs::exists(fs::symlink_status(path)); ++n) path = folder / (stem + "-" + std::to_string(n));
  return path;
}

// Puts folder a at b and what was at b at aside: one exchange, so that b
// always holds one whole folder, then one rename. Where the file system
// cannot exchange, two renames a moment apart.
void Exchange(const fs::path& a, const fs::path& b, const fs::path& aside) {
  if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0) {
    fs::rename(a, aside);
    return;
  }
  if (errno != EINVAL && errno != ENOSYS) throw errors::FromErrno(errno, b.string());
  fs::rename(b, aside);
  fs::rename(a, b);
}

// Links are compared by where they point, never read through.
bool SameBytes(const fs::path& a, const fs::path& b) {
  const bool linkA = fs::is_symlink(fs::symlink_status(a));
  const bool linkB = fs::is_symlink(fs::symlink_status(b));
  if (linkA || linkB) return linkA && linkB && fs::read_symlink(a) == fs::read_symlink(b);
  std::ifstream left(a, std::ios::binary);
  std::ifstream right(b, std::ios::binary);
  return std::equal(std::istreambuf_iterator<char>(left), std::istreambuf_iterator<char>(),
                    std::istreambuf_iterator<char>(right), std::istreambuf_iterator<char>());
}

// Every file, link and folder under root, relative and '/'-separated;
// links are listed, never followed.
std::vector<std::pair<std::string, fs::file_type>> Entries(const fs::path& root) {
  std::vector<std::pair<std::string, fs::file_type>> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    entries.emplace_back(entry.path().lexically_relative(root).generic_string(), entry.symlink_status().type());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// Copies one entry without following a link.
void CopyEntry(const fs::path& from, const fs::path& to, fs::file_type type) {
  fs::create_directories(to.parent_path());
  switch (type) {
    case fs::file_type::directory: fs::create_directory(to, from); break;
    case fs::file_type::symlink:
      fs::remove(to);
      fs::copy_symlink(from, to);
      break;
    case fs::file_type::regular:
      // Never written through a link that stands there.
      if (fs::is_symlink(fs::symlink_status(to))) fs::remove(to);
      fs::copy_file(from, to, fs::copy_options::overwrite_existing);
      break;
    default:
      // Devices, pipes and sockets are not a plug-in's files.
      break;
  }
}

// A path the document names, with its separators made '/'.
std::string DeclaredFile(const XmlNode& file) {
  std::string name = file.attributes().getNamedItem(schema::kName).text();
  std::replace(name.begin(), name.end(), '\\', '/');
  return fs::path(name).lexically_normal().generic_string();
}

// What a parameter holds: its Checked text, its one value, or its value in
// each language that has one.
struct Held {
  const ParamKind* kind = &ParamKind::Of(ParamType::Other);
  bool perLanguage = false;
  std::vector<std::pair<std::string, std::string>> values;  // language ("" for all), text
};

Held Read(const XmlNode& param, const std::vector<std::string>& languages) {
  Held held;
  try {
    held.kind = &ParamKind::Of(param);
  } catch (const Error&) {
    return held;
  }
  if (held.kind->Storage() == ParamStorage::Checked) {
    const XmlNode checked = param.selectSingleNode(schema::kQueryChecked);
    if (checked) held.values.emplace_back("", checked.text());
  } else if (held.kind->Storage() == ParamStorage::Value) {
    held.perLanguage = ParamValues::PerLanguage(param);
    for (const std::string& language : held.perLanguage ? languages : std::vector<std::string>{""}) {
      const XmlNode value = ParamValues::Element(param, held.perLanguage, language);
      if (value) held.values.emplace_back(language, value.text());
    }
  }
  return held;
}

// The first Param of each name, in document order.
std::vector<std::pair<std::string, XmlNode>> ParamsByName(const XmlDocument& config) {
  std::vector<std::pair<std::string, XmlNode>> params;
  std::set<std::string> seen;
  for (const XmlNode& param : config.selectNodes(schema::kQueryAllParams)) {
    const XmlNode name = param.attributes().getNamedItem(schema::kName);
    if (name && seen.insert(name.text()).second) params.emplace_back(name.text(), param);
  }
  return params;
}

const std::string* Find(const Held& held, const std::string& language) {
  for (const auto& [code, text] : held.values) {
    if (code == language) return &text;
  }
  return nullptr;
}

}  // namespace

PlugInUpgrade::PlugInUpgrade(const std::string& plugInFolder, const std::string& newFolder)
    : mFolder(FolderPath(plugInFolder).string()), mNewFolder(FolderPath(newFolder).string()) {
  Plan();
}

PlugInUpgrade::~PlugInUpgrade() = default;

std::string PlugInUpgrade::Shown(const Change& change, const std::string& value) {
  return change.secret ? std::string("(secret)") : value;
}

std::string PlugInUpgrade::Line(const Change& change) {
  const auto oneLine = [](const std::string& text) {
    std::string line;
    for (const char c : text) {
      if (c == '\\') line += "\\\\";
      else if (c == '\n') line += "\\n";
      else if (c == '\r') line += "\\r";
      else if (c == '\t') line += "\\t";
      else line += c;
    }
    return line;
  };
  return std::string(KindName(change.kind)) + '\t' + oneLine(change.name) + '\t' + change.language + '\t' +
         oneLine(Shown(change, change.oldValue)) + '\t' + oneLine(Shown(change, change.newValue));
}

const char* PlugInUpgrade::KindName(Kind kind) {
  switch (kind) {
    case Kind::Carried: return "carried";
    case Kind::Converted: return "converted";
    case Kind::Dropped: return "dropped";
    case Kind::New: return "new";
    case Kind::KeptFile: return "kept-file";
    case Kind::Conflict: return "conflict";
  }
  return "";
}

bool PlugInUpgrade::Complete() const {
  return std::none_of(mChanges.begin(), mChanges.end(), [](const Change& change) {
    return change.kind == Kind::Dropped || change.kind == Kind::Conflict;
  });
}

void PlugInUpgrade::Plan() {
  mChanges.clear();
  mCarriedFiles.clear();
  mShippedBeside.clear();
  const fs::path folder(mFolder);
  if (fs::is_symlink(fs::symlink_status(folder))) {
    throw errors::UpgradeRefused(mFolder, "the plug-in folder is a symbolic link; name the folder it leads to");
  }
  PlugIn old;
  old.ConfigPath(mFolder);
  const std::string id = old.ID();

  std::error_code ec;
  const fs::path installed = fs::weakly_canonical(folder, ec);
  const fs::path candidate = fs::weakly_canonical(fs::path(mNewFolder), ec);
  const auto [end, rest] = std::mismatch(installed.begin(), installed.end(), candidate.begin(), candidate.end());
  if (end == installed.end()) {
    throw errors::UpgradeRefused(mNewFolder, "the new version's folder is the plug-in folder or lies inside it");
  }
  auto next = std::make_shared<PlugIn>();
  try {
    next->ConfigPath(mNewFolder);
  } catch (const Error& error) {
    Error refused = errors::UpgradeRefused(error.Path().empty() ? mNewFolder : error.Path(),
                                           "its config.xml does not load: " + error.Description());
    throw refused.At(error.Path().empty() ? mNewFolder : error.Path(), error.Line(), error.Column())
        .Because(error.Reason());
  }
  const XmlNode nextId = next->Config().selectSingleNode(schema::kQueryID);
  if (!nextId || nextId.text().empty()) throw errors::UpgradeRefused(mNewFolder, "it is not a plug-in: it has no ID");
  if (CaseFold::Fold(nextId.text()) != CaseFold::Fold(id)) {
    throw errors::UpgradeRefused(mNewFolder, "it is plug-in " + nextId.text() + ", not " + id);
  }
  if (LanguageResolution::DeclaredCodes(next->Config()).empty()) {
    throw errors::UpgradeRefused(mNewFolder, "it declares no language");
  }
  mNext = next;
  PlanValues(old, *next);
  PlanFiles(*next);
}

void PlugInUpgrade::PlanValues(PlugIn& old, PlugIn& next) {
  XmlDocument& config = next.Config();
  const bool active = old.IsActive();
  if (next.IsActive() != active) next.IsActive(active);
  mChanges.push_back({Kind::Carried, schema::kActive, "", active ? schema::kTrue : schema::kFalse,
                      active ? schema::kTrue : schema::kFalse});

  const std::vector<std::string> oldLanguages = LanguageResolution::DeclaredCodes(old.Config());
  const std::vector<std::string> languages = LanguageResolution::DeclaredCodes(config);
  std::string defaultLanguage = languages.front();
  try {
    defaultLanguage = LanguageResolution::DefaultCode(config);
  } catch (const Error&) {
  }
  const auto oldParams = ParamsByName(old.Config());
  std::map<std::string, XmlNode> oldByName(oldParams.begin(), oldParams.end());
  std::set<std::string> matched;

  for (auto& named : ParamsByName(config)) {
    // Plain references: the lambda below captures them.
    const std::string& name = named.first;
    XmlNode& param = named.second;
    const Held shipped = Read(param, languages);
    if (shipped.kind->Storage() == ParamStorage::None) continue;
    const auto found = oldByName.find(name);
    const Held held = found == oldByName.end() ? Held{} : Read(found->second, oldLanguages);
    if (found != oldByName.end()) matched.insert(name);
    // A read-only parameter is the vendor's, never the owner's: the shipped
    // value stays.
    const bool ownersValue = param.attributes().getNamedItem(schema::kReadOnly).text() == schema::kFalse;
    if (held.values.empty() || !ownersValue) {
      for (const auto& [language, text] : shipped.values) {
        const std::string* was = Find(held, language);
        mChanges.push_back({Kind::New, name, language, was ? *was : std::string(), text});
      }
      continue;
    }
    if (shipped.kind->Storage() == ParamStorage::Checked) {
      // A check takes a check's Checked text; a value has no checkbox to go to.
      const std::string& was = held.values.front().second;
      const std::string& ships = shipped.values.empty() ? std::string() : shipped.values.front().second;
      if (held.kind->Storage() == ParamStorage::Checked && !shipped.values.empty()) {
        XmlNode checked = param.selectSingleNode(schema::kQueryChecked);
        if (checked.text() != was) checked.text(was);
        mChanges.push_back({Kind::Carried, name, "", was, was});
      } else {
        mChanges.push_back({Kind::Conflict, name, held.values.front().first, was, ships});
      }
      continue;
    }

    // A value, into each language or into the one value. The same type and
    // the same localValue carry the text as it is; anything else converts it
    // as the dialog converts what a user types.
    const bool same = held.kind == shipped.kind && held.perLanguage == shipped.perLanguage;
    const auto put = [&](const std::string& language, const std::string& text) {
      const std::string* ships = Find(shipped, language);
      std::string stored = text;
      if (!same) {
        try {
          if (shipped.kind->Keeps(Variant(text))) stored = ships ? *ships : std::string();
          else stored = shipped.kind->Stored(Variant(text));
        } catch (const Error&) {
          mChanges.push_back({Kind::Conflict, name, language, text, ships ? *ships : std::string()});
          return;
        }
      }
      XmlNode value = ParamValues::Element(param, shipped.perLanguage, language);
      if (!value && shipped.perLanguage) value = ParamValues::Create(config, param, language);
      if (!value) {
        mChanges.push_back({Kind::Conflict, name, language, text, ""});
        return;
      }
      if (value.text() != stored) value.text(stored);
      mChanges.push_back({same ? Kind::Carried : Kind::Converted, name, language, text, stored});
    };
    if (shipped.perLanguage) {
      const std::string* single = held.perLanguage ? nullptr : Find(held, "");
      for (const std::string& language : languages) {
        if (const std::string* text = single ? single : Find(held, language)) put(language, *text);
      }
      for (const auto& [language, text] : held.values) {
        if (held.perLanguage && std::find(languages.begin(), languages.end(), language) == languages.end()) {
          mChanges.push_back({Kind::Dropped, name, language, text, ""});
        }
      }
    } else {
      // One value: the default language's, and the others reported.
      const std::string* chosen = held.perLanguage ? Find(held, defaultLanguage) : Find(held, "");
      if (!chosen) chosen = &held.values.front().second;
      put("", *chosen);
      for (const auto& [language, text] : held.values) {
        if (&text != chosen && text != *chosen) mChanges.push_back({Kind::Dropped, name, language, text, ""});
      }
    }
  }
  for (const auto& [name, param] : oldParams) {
    if (matched.count(name) > 0) continue;
    for (const auto& [language, text] : Read(param, oldLanguages).values) {
      mChanges.push_back({Kind::Dropped, name, language, text, ""});
    }
  }
  // Secrets are carried like any value and marked, so that no plan shows
  // them.
  std::set<std::string> secrets;
  for (const XmlDocument* document : {&old.Config(), &config}) {
    for (const auto& [name, param] : ParamsByName(*document)) {
      if (ParamValues::IsSecret(param)) secrets.insert(name);
    }
  }
  for (Change& change : mChanges) change.secret = change.kind != Kind::KeptFile && secrets.count(change.name) > 0;
}

void PlugInUpgrade::PlanFiles(PlugIn& next) {
  OnFiles([&] {
    const fs::path folder(mFolder);
    const fs::path shipped(mNewFolder);
    std::set<std::string> ships;
    for (const auto& [name, type] : Entries(shipped)) ships.insert(name);
    std::set<std::string> declared;
    std::vector<std::string> resources;
    for (const XmlNode& file : next.Config().selectNodes(schema::kQueryResourceFiles)) {
      resources.push_back(DeclaredFile(file));
      declared.insert(resources.back());
    }
    for (const XmlNode& file : next.Config().selectNodes(schema::kQueryFiles)) declared.insert(DeclaredFile(file));

    // The files the owner was told to provide.
    std::set<std::string> kept;
    for (const std::string& name : resources) {
      const fs::file_status status = fs::symlink_status(folder / name);
      if (!fs::is_regular_file(status) && !fs::is_symlink(status)) continue;
      if (!kept.insert(name).second) continue;
      mCarriedFiles.push_back(name);
      std::string beside;
      if (ships.count(name) > 0 && !SameBytes(folder / name, shipped / name)) {
        mShippedBeside.push_back(name);
        beside = name + kShippedSuffix;
      }
      mChanges.push_back({Kind::KeptFile, name, "", "", beside});
    }
    // Whatever else the owner put there, when the new version does not
    // know it.
    for (const auto& [name, type] : Entries(folder)) {
      if (type == fs::file_type::directory || name == schema::kConfigFile || name == schema::kLockFile) continue;
      if (kept.count(name) > 0 || ships.count(name) > 0 || declared.count(name) > 0) continue;
      mCarriedFiles.push_back(name);
      mChanges.push_back({Kind::KeptFile, name, "", "", ""});
    }
  });
}

void PlugInUpgrade::Assemble(const std::string& assemblyPath) const {
  const fs::path assembly(assemblyPath);
  const fs::path folder(mFolder);
  const fs::path shipped(mNewFolder);
  fs::create_directory(assembly, folder);
  for (const auto& [name, type] : Entries(shipped)) {
    if (name == schema::kLockFile) continue;
    CopyEntry(shipped / name, assembly / name, type);
  }
  for (const std::string& name : mShippedBeside) fs::rename(assembly / name, assembly / (name + kShippedSuffix));
  for (const std::string& name : mCarriedFiles) {
    CopyEntry(folder / name, assembly / name, fs::symlink_status(folder / name).type());
  }
  mNext->Config().save((assembly / schema::kConfigFile).string());
}

std::string PlugInUpgrade::Apply(std::chrono::milliseconds wait, const std::string& backupFolder) {
  const fs::path folder(mFolder);
  PlugInLock lock(mFolder, wait);
  // What is there now: another upgrade may have finished while this one
  // waited.
  Plan();
  return OnFiles([&] {
    const fs::path work = WorkFolder(folder);
    const fs::path backups = BackupFolder(folder, backupFolder);
    const fs::path assembly = work / (folder.filename().string() + kAssemblySuffix);
    fs::create_directories(work);
    fs::create_directories(backups);
    const std::string stem = folder.filename().string() + kBeforeUpgrade + Stamp();
    // An earlier upgrade that stopped part way: an assembly never swapped
    // in is removed; an old folder already swapped out (it still has its
    // lock file) is kept as a backup.
    if (fs::exists(fs::symlink_status(assembly))) {
      if (fs::exists(fs::symlink_status(assembly / schema::kLockFile))) {
        fs::remove(assembly / schema::kLockFile);
        fs::rename(assembly, FreeName(backups, stem));
      } else {
        fs::remove_all(assembly);
      }
    }
    try {
      Assemble(assembly.string());
    } catch (...) {
      std::error_code ignored;
      fs::remove_all(assembly, ignored);
      throw;
    }
    const fs::path backup = FreeName(backups, stem);
    Exchange(assembly, folder, backup);
    lock.Moved(backup.string());
    return backup.string();
  });
}

std::string PlugInUpgrade::Rollback(const std::string& plugInFolder, std::chrono::milliseconds wait,
                                    const std::string& backupFolder) {
  const fs::path folder = FolderPath(plugInFolder);
  PlugInLock lock(folder.string(), wait);
  return OnFiles([&] {
    const fs::path backups = BackupFolder(folder, backupFolder);
    const std::string prefix = folder.filename().string() + kBeforeUpgrade;
    fs::path latest;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(backups, ec)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(prefix, 0) == 0 && entry.is_directory() && (latest.empty() || name > latest.filename().string())) {
        latest = entry.path();
      }
    }
    if (latest.empty()) throw errors::NoBackup(folder.string());
    const fs::path aside = FreeName(backups, folder.filename().string() + kAfterUpgrade + Stamp());
    Exchange(latest, folder, aside);
    lock.Moved(aside.string());
    return latest.string();
  });
}

}  // namespace TLPaymentPlugIns
