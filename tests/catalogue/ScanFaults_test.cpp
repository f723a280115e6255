// The scan that keeps going, on a root where a dozen plug-ins are broken
// each in its own way: one result each, no crash, no descriptor left open,
// nothing written.
#include <gtest/gtest.h>

#include <map>

#include "catalogue/PlugInScan.h"
#include "support/BrokenRoot.h"
#include "support/ProcessStats.h"
#include "support/Table.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

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
  for (const auto& [path, line, fields] : ReadTable("catalogue/data/scan_faults.txt")) {
    const testing::ScopedTrace where(path.c_str(), line, fields.at(0));
    const long number = std::stol(fields.at(1));
    const std::string folder = root + "/" + fields.at(0);
    const PlugInScan::Result& result = *byFolder.at(folder);
    const bool refused = fields.at(0) != "unreadable" || ModesAreEnforced();
    if (number == 0 || !refused) {
      EXPECT_FALSE(result.error) << result.error->Description();
      continue;
    }
    ASSERT_TRUE(result.error);
    const Error& error = *result.error;
    EXPECT_EQ(error.Number(), number);
    EXPECT_EQ(error.Line(), std::stol(fields.at(2)));
    EXPECT_NE(error.Reason().find(fields.at(3)), std::string::npos) << error.Reason();
    if (number == 100991) {
      EXPECT_EQ(error.Description(), "Configuration malformed. Proccess aborted");
      EXPECT_EQ(error.Path(), folder + "/config.xml");
    }
  }
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_EQ(Snapshot(root), before);
}
