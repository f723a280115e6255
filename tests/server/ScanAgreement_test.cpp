// The scan that keeps going gives the same results, the same errors and the
// same places in C++, through the C interface and in Python.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "catalogue/PlugInScan.h"
#include "support/BrokenRoot.h"
#include "support/RunCommand.h"
#include "tlpaymentplugins.h"

using namespace testing_support;

namespace {

// One result per line: folder, ID (or ""), error number (or 0), path, line,
// column and reason.
std::string Line(const std::string& folder, const std::string& id, long number, const std::string& path, long line,
                 long column, const std::string& reason) {
  return folder + '\t' + id + '\t' + std::to_string(number) + '\t' + path + '\t' + std::to_string(line) + '\t' +
         std::to_string(column) + '\t' + reason + '\n';
}

std::string ThroughCpp(const std::string& root) {
  std::string lines;
  for (const auto& [folder, plugIn, error] : TLPaymentPlugIns::PlugInScan::Run(root)) {
    lines += error ? Line(folder, "", error->Number(), error->Path(), error->Line(), error->Column(), error->Reason())
                   : Line(folder, plugIn->ID(), 0, "", 0, 0, "");
  }
  return lines;
}

std::string Take(char* text) {
  std::string value = text != nullptr ? text : "";
  tlpp_FreeString(text);
  return value;
}

std::string ThroughC(const std::string& root) {
  std::string lines;
  tlpp_object* scan = nullptr;
  tlpp_error error;
  EXPECT_EQ(tlpp_ScanPlugIns(root.c_str(), &scan, &error, nullptr), TLPP_OK) << error.description;
  char* folder = nullptr;
  tlpp_object* plugIn = nullptr;
  tlpp_error failure;
  tlpp_error_where where;
  while (tlpp_Scan_Next(scan, &folder, &plugIn, &failure, &where, &error) == TLPP_OK && folder != nullptr) {
    char* id = nullptr;
    if (plugIn != nullptr) tlpp_PlugIn_get_ID(plugIn, &id, nullptr);
    tlpp_Release(plugIn, nullptr);
    lines += Line(Take(folder), Take(id), failure.number, where.path, where.line, where.column, where.reason);
  }
  tlpp_Release(scan, nullptr);
  return lines;
}

}  // namespace

TEST(ScanAgreement, TheBrokenRootGivesTheSameResultsInCppCAndPython) {
  TempDir dir;
  const std::string root = MakeBrokenRoot(dir);
  const std::string cpp = ThroughCpp(root);
  ASSERT_EQ(std::count(cpp.begin(), cpp.end(), '\n'), kBrokenRootSize);
  EXPECT_EQ(ThroughC(root), cpp);
#ifdef TLPP_PYTHON
  WriteFile(dir / "scan.py",
            "import sys, tlpaymentplugins\n"
            "for f, p, e in tlpaymentplugins.scan(sys.argv[1]):\n"
            "    print(*([f, p.ID, 0, '', 0, 0, ''] if p else [f, '', e.number, e.path, e.line, e.column, e.reason]),"
            " sep='\\t')\n");
  const CommandRun python =
      RunCommand("PYTHONPATH=" TLPP_PYTHON_PATH " " TLPP_PYTHON " " + (dir / "scan.py") + " " + root);
  EXPECT_EQ(python.status, 0);
  EXPECT_EQ(python.out, cpp);
#endif

  // Only the root's own error fails the call, with where it happened.
  tlpp_object* scan = nullptr;
  tlpp_error error;
  tlpp_error_where where;
  EXPECT_EQ(tlpp_ScanPlugIns((dir / "missing").c_str(), &scan, &error, &where), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 76);
  EXPECT_EQ(std::string(where.path), dir / "missing");
}
