#include <gtest/gtest.h>

#include "plugin/PlugIn.h"
#include "support/PlugInFolder.h"
#include "support/Raises.h"
#include "support/Table.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

TEST(ParseParam, ReferencesRenderAsTheTableSays) {
  TempDir dir;
  PlugIn plugIn;
  plugIn.ConfigPath(MakePlugInFolder(dir, "p", Fixture("staging/data/params.xml")));
  for (const auto& [path, line, fields] : ReadTable("staging/data/references.txt")) {
    const testing::ScopedTrace where(path.c_str(), line, fields.at(1));
    EXPECT_TRUE(Gives([&] { return plugIn.ParseParam(fields.at(1), fields.at(0)); }, fields.at(2)));
  }
  // Without a document there is no group to list.
  PlugIn unset;
  EXPECT_TRUE(Raises(91, [&] { unset.ParseParam(R"( type="optionlist" elems="Cards")"); }));
}
