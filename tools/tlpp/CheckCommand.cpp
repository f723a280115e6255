// check: what would break a published shop, before it is published.
#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "Arguments.h"
#include "Commands.h"
#include "PrintError.h"
#include "check/PublishCheck.h"
#include "catalogue/PlugInScan.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

namespace {

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

void PrintText(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    std::cout << finding.Line();
  }
}

// One object per line inside one array, so that the output is both valid
// JSON and easy to grep.
void PrintJson(const std::vector<Finding>& findings) {
  std::cout << "[\n";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& finding = findings[i];
    std::cout << "  {\"plugin\": " << JsonString(finding.plugInId) << ", \"language\": " << JsonString(finding.language)
              << ", \"severity\": \"" << finding.SeverityName() << "\", \"message\": " << JsonString(finding.message)
              << "}" << (i + 1 < findings.size() ? "," : "") << '\n';
  }
  std::cout << "]\n";
}

}  // namespace

int RunCheck(const std::vector<std::string>& words) {
  const Arguments args(words, {"--store-langs", "--format"});
  const std::string root = args.positional(0, SamplesRoot());
  const std::string format = args.option("--format", "text");
  if (format != "text" && format != "json") throw std::invalid_argument("--format is text or json");
  // A root that cannot be listed raises its error (exit 2); each plug-in
  // that does not load is named on standard error and the others are checked.
  const std::vector<PlugInScan::Result> results = PlugInScan::Run(root);
  const PublishCheck check = PublishCheck::ForLanguages(args.option("--store-langs", ""));
  std::vector<Finding> findings;
  bool broken = false;
  for (const auto& [folder, plugIn, error] : results) {
    if (error) {
      PrintError(*error, folder);
      broken = true;
      continue;
    }
    for (Finding& finding : check.Check(*plugIn)) findings.push_back(std::move(finding));
  }
  format == "json" ? PrintJson(findings) : PrintText(findings);
  if (broken) return 1;
  for (const Finding& finding : findings) {
    if (finding.severity == Finding::Severity::Error) return 1;
  }
  return 0;
}

}  // namespace tlpp
