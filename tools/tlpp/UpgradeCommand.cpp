// upgrade: a new version of a plug-in in place of the installed one, with
// the owner's values and files carried over; --rollback swaps the latest
// backup back.
#include <chrono>
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "catalogue/PlugInUpgrade.h"
#include "check/PublishCheck.h"
#include "plugin/PlugIn.h"
#include "plugin/PlugInErrors.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

const Option kBackup{"--backup", "DIR", "keep the replaced folder in DIR (default: .tlpp-upgrade beside it)"};
const Option kRollback{"--rollback", nullptr, "swap the latest backup of PLUGIN_DIR back in"};

namespace {

using Change = PlugInUpgrade::Change;

// A value on one line: tabs, line breaks and backslashes escaped.
std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    if (c == '\\') line += "\\\\";
    else if (c == '\n') line += "\\n";
    else if (c == '\r') line += "\\r";
    else if (c == '\t') line += "\\t";
    else line += c;
  }
  return line;
}

// A value of the plan, or "(secret)" in its place.
std::string Shown(const Change& change, const std::string& value) {
  return change.secret ? std::string("(secret)") : value;
}

std::string Json(const nlohmann::ordered_json& object) {
  return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

// The plan one change a line (tab-separated: kind, name, language, old,
// new), then the publish check's findings; as JSON, one object holding both.
void Print(const std::vector<Change>& changes, const std::vector<Finding>& findings, bool json) {
  if (!json) {
    for (const Change& change : changes) {
      std::cout << PlugInUpgrade::KindName(change.kind) << '\t' << change.name << '\t' << change.language << '\t'
                << OneLine(Shown(change, change.oldValue)) << '\t' << OneLine(Shown(change, change.newValue)) << '\n';
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
                       {"old", Shown(change, change.oldValue)},
                       {"new", Shown(change, change.newValue)}})
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
