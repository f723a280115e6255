// check: what would break a published shop, before it is published.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "Arguments.h"
#include "Commands.h"
#include "catalogue/PublishCheck.h"
#include "catalogue/PlugIns.h"
#include "platform/Error.h"
#include "platform/FileSystemObject.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

namespace {

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
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
              << ", \"severity\": \"" << finding.SeverityName() << "\", \"message\": "
              << JsonString(finding.message) << "}" << (i + 1 < findings.size() ? "," : "") << '\n';
  }
  std::cout << "]\n";
}

}  // namespace

int RunCheck(const std::vector<std::string>& words) {
  const Arguments args(words, {"--store-langs", "--format"});
  const std::string root = args.positional(0, SamplesRoot());
  const std::string format = args.option("--format", "text");
  if (format != "text" && format != "json") throw std::invalid_argument("--format is text or json");
  if (!FileSystemObject().FolderExists(root)) {
    std::cerr << "tlpp check: " << root << " is not a folder\n";
    return 2;
  }
  PlugIns plugIns;
  try {
    plugIns.PlugInsPath(root);
  } catch (const Error& error) {
    std::cerr << "tlpp check: cannot scan " << root << ": error " << error.Number() << ": " << error.Description()
              << '\n';
    return 2;
  }
  const PublishCheck check(args.list("--store-langs"));
  std::vector<Finding> findings;
  for (const auto& plugIn : plugIns) {
    for (Finding& finding : check.Check(*plugIn)) findings.push_back(std::move(finding));
  }
  format == "json" ? PrintJson(findings) : PrintText(findings);
  for (const Finding& finding : findings) {
    if (finding.severity == Finding::Severity::Error) return 1;
  }
  return 0;
}

}  // namespace tlpp
