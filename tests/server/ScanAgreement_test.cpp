// The scan that keeps going gives the same results, the same errors and the
// same places in C++, through the C interface and in Python.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/PlugInScan.h"
#include "support/BrokenRoot.h"
#include "tlpaymentplugins.h"

using namespace testing_support;

namespace {

// One result as a line: folder, ID (or ""), error number (or 0), path,
// line, column and reason.
std::string Line(const std::string& folder, const std::string& id, long number, const std::string& path, long line,
                 long column, const std::string& reason) {
  return folder + '\t' + id + '\t' + std::to_string(number) + '\t' + path + '\t' + std::to_string(line) + '\t' +
         std::to_string(column) + '\t' + reason;
}

std::vector<std::string> ThroughCpp(const std::string& root) {
  std::vector<std::string> lines;
  for (const auto& [folder, plugIn, error] : TLPaymentPlugIns::PlugInScan::Run(root)) {
    lines.push_back(error ? Line(folder, "", error->Number(), error->Path(), error->Line(), error->Column(),
                                 error->Reason())
                          : Line(folder, plugIn->ID(), 0, "", 0, 0, ""));
  }
  return lines;
}

std::string Take(char* text) {
  std::string value = text != nullptr ? text : "";
  tlpp_FreeString(text);
  return value;
}

std::vector<std::string> ThroughC(const std::string& root) {
  std::vector<std::string> lines;
  tlpp_object* scan = nullptr;
  tlpp_error error;
  EXPECT_EQ(tlpp_ScanPlugIns(root.c_str(), &scan, &error, nullptr), TLPP_OK) << error.description;
  for (;;) {
    char* folder = nullptr;
    tlpp_object* plugIn = nullptr;
    tlpp_error failure;
    tlpp_error_where where;
    EXPECT_EQ(tlpp_Scan_Next(scan, &folder, &plugIn, &failure, &where, &error), TLPP_OK) << error.description;
    if (folder == nullptr) break;
    char* id = nullptr;
    if (plugIn != nullptr) {
      EXPECT_EQ(tlpp_PlugIn_get_ID(plugIn, &id, nullptr), TLPP_OK);
    }
    tlpp_Release(plugIn, nullptr);
    lines.push_back(Line(Take(folder), Take(id), failure.number, where.path, where.line, where.column, where.reason));
  }
  tlpp_Release(scan, nullptr);
  return lines;
}

#ifdef TLPP_PYTHON
std::vector<std::string> ThroughPython(const TempDir& dir, const std::string& root) {
  std::vector<std::string> lines;
  WriteFile(dir / "scan.py",
            "import sys\nimport tlpaymentplugins\n"
            "for r in tlpaymentplugins.scan(sys.argv[1]):\n"
            "    e = r.error\n"
            "    fields = [r.folder, r.plugin.ID if r.plugin else '', e.number if e else 0, e.path if e else '',\n"
            "              e.line if e else 0, e.column if e else 0, e.reason if e else '']\n"
            "    print('\\t'.join(map(str, fields)))\n");
  const std::string command =
      "PYTHONPATH=" TLPP_PYTHON_PATH " " TLPP_PYTHON " " + (dir / "scan.py") + " " + root + " </dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return lines;
  std::array<char, 4096> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
    std::string line = buffer.data();
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
  }
  EXPECT_EQ(pclose(pipe), 0);
  return lines;
}
#endif

}  // namespace

TEST(ScanAgreement, TheBrokenRootGivesTheSameResultsInCppCAndPython) {
  TempDir dir;
  const std::string root = MakeBrokenRoot(dir);
  const std::vector<std::string> cpp = ThroughCpp(root);
  ASSERT_EQ(cpp.size(), static_cast<std::size_t>(kBrokenRootSize));
  EXPECT_EQ(ThroughC(root), cpp);
#ifdef TLPP_PYTHON
  EXPECT_EQ(ThroughPython(dir, root), cpp);
#endif

  // Only the root's own error fails the call, with where it happened.
  tlpp_object* scan = nullptr;
  tlpp_error error;
  tlpp_error_where where;
  EXPECT_EQ(tlpp_ScanPlugIns((dir / "missing").c_str(), &scan, &error, &where), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 76);
  EXPECT_EQ(std::string(where.path), dir / "missing");
  EXPECT_EQ(scan, nullptr);
}
