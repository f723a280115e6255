// upgrade: a new version of a plug-in in place of the installed one, with
// the owner's values and files carried over; --rollback swaps the latest
// backup back. Given a root of plug-ins and a root of new versions, every
// plug-in with a new version is upgraded on its own.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "catalogue/PlugInScan.h"
#include "catalogue/PlugInUpgrade.h"
#include "check/PublishCheck.h"
#include "platform/CaseFold.h"
#include "plugin/PlugIn.h"
#include "plugin/PlugInErrors.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

const Option kBackup{"--backup", "DIR", "keep the replaced folder in DIR (default: .tlpp-upgrade beside it)"};
const Option kRollback{"--rollback", nullptr, "swap the latest backup of PLUGIN_DIR back in"};

namespace {

using Change = PlugInUpgrade::Change;

std::string Json(const nlohmann::ordered_json& object) {
  return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

// The plan one change a line (tab-separated: kind, name, language, old,
// new), then the publish check's findings; as JSON, one object holding both.
void Print(const std::vector<Change>& changes, const std::vector<Finding>& findings, bool json) {
  if (!json) {
    for (const Change& change : changes) {
      std::cout << PlugInUpgrade::Line(change) << '\n';
    }
    for (const Finding& finding : findings) std::cout << finding.Line();
    return;
  }
  std::cout << "{\"changes\": [\n";
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const Change& change = changes[i];
    std::cout << "  "
              << Json({{"change", PlugInUpgrade::KindName(change.kind)},
                       {"name", change.name},
                       {"language", change.language},
                       {"old", PlugInUpgrade::Shown(change, change.oldValue)},
                       {"new", PlugInUpgrade::Shown(change, change.newValue)}})
              << (i + 1 < changes.size() ? "," : "") << '\n';
  }
  std::cout << "], \"findings\": [\n";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& finding = findings[i];
    std::cout << "  "
              << Json({{"plugin", finding.plugInId},
                       {"language", finding.language},
                       {"severity", finding.SeverityName()},
                       {"code", finding.code},
                       {"message", finding.message}})
              << (i + 1 < findings.size() ? "," : "") << '\n';
  }
  std::cout << "]}\n";
}

// A root of plug-ins rather than one: no config.xml of its own, and a
// sub-folder with one.
bool IsRoot(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(fs::path(folder) / "config.xml", ec) || !fs::is_directory(folder, ec)) return false;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (fs::exists(entry.path() / "config.xml", ec)) return true;
  }
  return false;
}

// "ID: upgraded, N carried, N converted, N dropped, N conflicts".
std::string Summary(const PlugInUpgrade& upgrade, bool dryRun) {
  const auto count = [&](PlugInUpgrade::Kind kind) {
    return std::to_string(std::count_if(upgrade.Changes().begin(), upgrade.Changes().end(),
                                        [kind](const Change& change) { return change.kind == kind; }));
  };
  using Kind = PlugInUpgrade::Kind;
  return std::string(dryRun ? "planned, " : "upgraded, ") + count(Kind::Carried) + " carried, " +
         count(Kind::Converted) + " converted, " + count(Kind::Dropped) + " dropped, " + count(Kind::Conflict) +
         " conflicts";
}

// Every plug-in of root whose ID has a folder in newRoot, each one upgraded
// (or refused) on its own; the exit status is the worst of theirs.
int UpgradeRoot(const std::string& root, const std::string& newRoot, std::chrono::milliseconds wait,
                const std::string& backup, bool dryRun, bool json) {
  std::map<std::string, std::string> newFolders;  // folded ID -> folder
  for (const auto& result : PlugInScan::Run(newRoot)) {
    if (result.plugIn) newFolders.emplace(CaseFold::Fold(result.plugIn->ID()), result.folder);
  }
  int worst = kExitOk;
  for (const auto& result : PlugInScan::Run(root)) {
    if (!result.plugIn) continue;
    const std::string id = result.plugIn->ID();
    const auto next = newFolders.find(CaseFold::Fold(id));
    if (next == newFolders.end()) continue;
    int status = kExitOk;
    std::string line;
    try {
      PlugInUpgrade upgrade(result.folder, next->second);
      if (!dryRun) upgrade.Apply(wait, backup);
      status = upgrade.Complete() ? kExitOk : kExitFindings;
      line = Summary(upgrade, dryRun);
    } catch (const TLPaymentPlugIns::Error& error) {
      status = error.Number() == errors::kPlugInLocked ? kExitBusy : kExitError;
      line = "refused: " + error.Description();
    }
    worst = std::max(worst, status);
    if (!json) std::cout << id << ": " << line << '\n';
    else std::cout << Json({{"plugin", id}, {"result", line}, {"status", status}}) << '\n';
  }
  return worst;
}

}  // namespace

int RunUpgrade(const Arguments& args) {
  const std::string folder = args.positional(0);
  const std::chrono::seconds wait(std::stoi(args.option(kWait, "10")));
  const std::string backup = args.option(kBackup, "");
  const bool json = args.option(kOutputFormat, "text") == "json";
  try {
    if (args.flag(kRollback)) {
      if (args.positionals().size() > 1) throw UsageError("--rollback takes the plug-in folder alone");
      const std::string restored = PlugInUpgrade::Rollback(folder, wait, backup);
      if (!json) std::cout << "restored\t" << restored << '\n';
      else std::cout << Json({{"restored", restored}}) << '\n';
      return kExitOk;
    }
    if (args.positionals().size() < 2) throw UsageError("NEW_VERSION_DIR is missing");
    if (IsRoot(folder)) return UpgradeRoot(folder, args.positional(1), wait, backup, args.flag(kDryRun), json);
    PlugInUpgrade upgrade(folder, args.positional(1));
    std::vector<Finding> findings;
    if (!args.flag(kDryRun)) {
      upgrade.Apply(wait, backup);
      PlugIn result;
      result.ConfigPath(folder);
      findings = PublishCheck({}).Check(result);
    }
    Print(upgrade.Changes(), findings, json);
    return upgrade.Complete() ? kExitOk : kExitFindings;
  } catch (const TLPaymentPlugIns::Error& error) {
    if (error.Number() != errors::kPlugInLocked) throw;
    Diagnostics::Error(error);
    return kExitBusy;
  }
}

}  // namespace tlpp
