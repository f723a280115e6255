// stage, snippet, param: publishing a plug-in with the reference staging
// object.
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "check/PublishCheck.h"
#include "platform/AtomicFile.h"
#include "plugin/LanguageResolution.h"
#include "plugin/PlugIn.h"
#include "staging/ConfinedFolder.h"
#include "staging/ReferenceStageObject.h"
#include "staging/StageManifest.h"

using TLPaymentPlugIns::Finding;
using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::ConfinedFolder;
using TLPaymentPlugIns::ReferenceStageObject;
using TLPaymentPlugIns::StageManifest;

namespace tlpp {

namespace {

namespace fs = std::filesystem;

// What a folder holds, by path relative to it: a file's size and time, or
// a folder. Links are listed, not followed.
struct Entry {
  bool folder = false;
  std::uintmax_t size = 0;
  fs::file_time_type written;
  bool operator==(const Entry&) const = default;
};
using Snapshot = std::map<std::string, Entry>;

Snapshot Take(const std::string& root) {
  Snapshot snapshot;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    Entry entry;
    entry.folder = it->is_directory(ec) && !it->is_symlink(ec);
    if (!entry.folder && it->is_regular_file(ec)) {
      entry.size = it->file_size(ec);
      entry.written = it->last_write_time(ec);
    }
    snapshot[it->path().lexically_relative(root).string()] = entry;
  }
  return snapshot;
}

// The folders and files that are new or changed after staging.
void Report(const Snapshot& before, const Snapshot& after) {
  int folders = 0;
  int files = 0;
  for (const auto& [path, entry] : after) {
    const auto old = before.find(path);
    if (old != before.end() && old->second == entry) continue;
    const char* what = old == before.end() ? "created" : "replaced";
    if (entry.folder) {
      std::cout << "  " << what << " folder " << path << "/\n";
      ++folders;
    } else {
      std::cout << "  " << what << " file   " << path << " (" << entry.size << " bytes)\n";
      ++files;
    }
  }
  std::cout << folders << " folder(s) created, " << files << " file(s) written\n";
}

// The findings of a secret that staging in storeLang would publish, printed
// as check prints them; none when nothing would be.
bool PublishesSecrets(PlugIn& plugIn, const std::string& storeLang) {
  const std::string lang = TLPaymentPlugIns::LanguageResolution::ResolveOrKeep(plugIn.Config(), storeLang);
  bool publishes = false;
  for (const Finding& finding : TLPaymentPlugIns::PublishCheck({lang}).CheckSecrets(plugIn)) {
    if (finding.code != "secret-published") continue;
    std::cout << finding.Line();
    publishes = true;
  }
  return publishes;
}

// The plug-in of PLUGIN_DIR, loaded.
void Load(PlugIn& plugIn, const Arguments& args) { plugIn.ConfigPath(args.positional(0)); }

}  // namespace

int RunStage(const Arguments& args) {
  PlugIn plugIn;
  Load(plugIn, args);
  const std::string stagePath = args.positional(1);
  if (!fs::is_directory(stagePath)) throw std::invalid_argument("STAGE_DIR is not a folder: " + stagePath);
  const auto manifest = args.option(kManifest);
  if (manifest && !ConfinedFolder(stagePath).Relative(*manifest).empty()) {
    throw std::invalid_argument("the manifest must lie outside the stage folder");
  }
  if (!args.flag(kAllowSecrets) && PublishesSecrets(plugIn, args.option(kStoreLang, ""))) {
    Diagnostics::Say("stage", "nothing staged: a secret's value would be published (--allow-secrets stages anyway)");
    return kExitFindings;
  }
  ReferenceStageObject stageObj(plugIn, args.option(kStoreLang, ""));
  const Snapshot before = Take(stagePath);
  plugIn.CopyPlugInFiles(stagePath, &stageObj);
  std::cout << "staged " << plugIn.ID() << " into " << stagePath << '\n';
  Report(before, Take(stagePath));
  if (manifest) TLPaymentPlugIns::AtomicFile::Replace(*manifest, StageManifest::Describe(plugIn, stagePath));
  return kExitOk;
}

int RunSnippet(const Arguments& args) {
  PlugIn plugIn;
  Load(plugIn, args);
  ReferenceStageObject stageObj(plugIn, args.option(kStoreLang, ""));
  std::cout << plugIn.ParseSnippetFile(&stageObj);
  return kExitOk;
}

int RunParam(const Arguments& args) {
  PlugIn plugIn;
  Load(plugIn, args);
  std::cout << plugIn.ParseParam(args.positional(1), args.option(kStoreLang, "")) << '\n';
  return kExitOk;
}

}  // namespace tlpp
