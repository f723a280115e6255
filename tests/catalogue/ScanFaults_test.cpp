// The scan that keeps going, on a root where a dozen plug-ins are broken
// each in its own way: one result each, no crash, no descriptor left open,
// nothing written.
#include <gtest/gtest.h>

#include <map>

#include "catalogue/PlugInScan.h"
#include "support/BrokenRoot.h"
#include "support/ProcessStats.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

struct Outcome {
  const char* folder;
  long number;  // 0: the plug-in is filed
  long line;
  const char* reason;
};

// Where a document is refused, the path is its config.xml and the reason is
// the parser's or the system's; the other errors have neither.
const Outcome kOutcomes[] = {
    {"config-is-folder", 100991, 0, "Is a directory"},
    {"dialog-no-readonly", 0, 0, ""},  // loads: only its dialog fails
    {"empty-id", 0, 0, ""},            // the collection files the empty key like any other
    {"encoding-lies", 100991, 7, "Input is not proper UTF-8"},
    {"entity-bomb", 100991, 1, "Detected an entity reference loop"},
    {"id-repeated", 457, 0, ""},
    {"link-loop", 75, 0, "Too many levels of symbolic links"},
    {"no-id", 91, 0, ""},
    {"not-well-formed", 100991, 12, "Opening and ending tag mismatch: Param line 9 and Params"},
    {"truncated", 100991, 8, "AttValue: ' expected"},
    {"unreadable", 100991, 0, "Permission denied"},
    {"utf16-no-bom", 100991, 1, "Char 0x0 out of allowed range"},
};

}  // namespace

TEST(ScanFaults, TheScanThatKeepsGoingGivesEveryFolderOfTheBrokenRootOneResult) {
  TempDir dir;
  const std::string root = MakeBrokenRoot(dir);
  const auto before = Snapshot(root);
  const long descriptors = OpenDescriptors();
  const std::vector<PlugInScan::Result> results = PlugInScan::Run(root);
  ASSERT_EQ(results.size(), static_cast<std::size_t>(kBrokenRootSize));
  std::map<std::string, const PlugInScan::Result*> byFolder;
  for (const auto& result : results) {
    EXPECT_NE(result.plugIn != nullptr, result.error.has_value()) << result.folder;
    byFolder[result.folder] = &result;
  }
  for (const Outcome& expected : kOutcomes) {
    SCOPED_TRACE(expected.folder);
    const std::string folder = root + "/" + expected.folder;
    const PlugInScan::Result& result = *byFolder.at(folder);
    const bool refused = std::string(expected.folder) != "unreadable" || ModesAreEnforced();
    if (expected.number == 0 || !refused) {
      EXPECT_FALSE(result.error) << result.error->Description();
      continue;
    }
    ASSERT_TRUE(result.error);
    const Error& error = *result.error;
    EXPECT_EQ(error.Number(), expected.number);
    EXPECT_EQ(error.Line(), expected.line);
    EXPECT_NE(error.Reason().find(expected.reason), std::string::npos) << error.Reason();
    if (expected.number == 100991) {
      EXPECT_EQ(error.Description(), "Configuration malformed. Proccess aborted");
      EXPECT_EQ(error.Path(), folder + "/config.xml");
    }
  }
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_EQ(Snapshot(root), before);
}
