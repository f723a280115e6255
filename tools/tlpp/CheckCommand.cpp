// check: what would break a published shop, before it is published.
#include <cstdio>
#include <iostream>

#include <nlohmann/json.hpp>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "catalogue/PlugInScan.h"
#include "check/PublishCheck.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

namespace {

void PrintText(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    std::cout << finding.Line();
  }
}

// One object per line inside one array, so that the output is both valid
// JSON and easy to grep; bytes that are not UTF-8 become U+FFFD.
void PrintJson(const std::vector<Finding>& findings) {
  std::cout << "[\n";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& finding = findings[i];
    const nlohmann::ordered_json object = {{"plugin", finding.plugInId},
                                           {"language", finding.language},
                                           {"severity", finding.SeverityName()},
                                           {"code", finding.code},
                                           {"message", finding.message}};
    std::cout << "  " << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << (i + 1 < findings.size() ? "," : "") << '\n';
  }
  std::cout << "]\n";
}

}  // namespace

int RunCheck(const Arguments& args) {
  const std::string root = args.positional(0, SamplesRoot());
  const std::string format = args.option(kOutputFormat, "text");
  // A root that cannot be listed raises its error (exit 2); each plug-in
  // that does not load is named on standard error and the others are checked.
  const std::vector<PlugInScan::Result> results = PlugInScan::Run(root);
  PublishCheck check = PublishCheck::ForLanguages(args.option(kStoreLangs, ""));
  if (args.flag(kSchema)) check.ValidatingAgainst(SchemaFile());
  std::vector<Finding> findings;
  bool broken = false;
  for (const auto& [folder, plugIn, error] : results) {
    if (error) {
      Diagnostics::Error(*error, folder);
      broken = true;
      continue;
    }
    for (Finding& finding : check.Check(*plugIn)) findings.push_back(std::move(finding));
  }
  format == "json" ? PrintJson(findings) : PrintText(findings);
  if (broken) return kExitFindings;
  for (const Finding& finding : findings) {
    if (finding.severity == Finding::Severity::Error) return kExitFindings;
  }
  return kExitOk;
}

}  // namespace tlpp
