#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/Error.h"
#include "plugin/PlugIn.h"
#include "support/PlugInFolder.h"
#include "support/Table.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

TEST(GetParam, AnswersAsTheTableSaysAndNeverRaises) {
  TempDir dir;
  std::map<std::string, std::unique_ptr<PlugIn>> loaded;
  for (const auto& [path, line, fields] : ReadTable("plugin/data/lookups.txt")) {
    const testing::ScopedTrace where(path.c_str(), line, fields.at(1));
    std::unique_ptr<PlugIn>& plugIn = loaded[fields.at(0)];
    if (!plugIn) {
      plugIn = std::make_unique<PlugIn>();
      plugIn->ConfigPath(MakePlugInFolder(dir, fields.at(0), Fixture("plugin/data/" + fields.at(0))));
    }
    EXPECT_TRUE(Gives([&] { return plugIn->GetParam(fields.at(1), fields.at(2)); }, fields.at(3)));
  }
  PlugIn unset;
  EXPECT_EQ(unset.GetParam("Holder"), "");
  PlugIn broken;
  EXPECT_THROW(broken.ConfigPath(dir / "missing"), Error);
  EXPECT_EQ(broken.GetParam("Holder"), "");
}
