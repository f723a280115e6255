#include <gtest/gtest.h>

#include "platform/BooleanText.h"
#include "platform/UserLocale.h"
#include "plugin/PlugIn.h"
#include "support/PlugInFolder.h"
#include "support/Raises.h"
#include "support/ScopedLocale.h"
#include "support/Table.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

class ParseParamTest : public ::testing::Test {
 protected:
  void SetUp() override { plugIn.ConfigPath(MakePlugInFolder(dir, "p", Fixture("staging/data/params.xml"))); }

  TempDir dir;
  PlugIn plugIn;
};

}  // namespace

TEST_F(ParseParamTest, ReferencesRenderAsTheTableSays) {
  for (const auto& [path, line, fields] : ReadTable("staging/data/references.txt")) {
    const testing::ScopedTrace where(path.c_str(), line, fields.at(1));
    EXPECT_TRUE(Gives([&] { return plugIn.ParseParam(fields.at(1), fields.at(0)); }, fields.at(2)));
  }
  // Without a document there is no group to list.
  PlugIn unset;
  EXPECT_TRUE(Raises(91, [&] { unset.ParseParam(R"( type="optionlist" elems="Cards")"); }));
}

TEST(BooleanTextTest, NumbersUseTheDecimalSeparatorOfTheUsersLocale) {
  {
    const ScopedLocale german("de_DE.UTF-8");
    EXPECT_EQ(UserLocale::DecimalSeparator(), ",");
    EXPECT_TRUE(BooleanText::Convert("0,5"));
    EXPECT_FALSE(BooleanText::Convert("-0,0"));
    EXPECT_TRUE(BooleanText::Convert("0.5"));
    EXPECT_FALSE(BooleanText::Convert(" FALSE \r\n"));
  }
  const ScopedLocale english("en_US.UTF-8");
  EXPECT_TRUE(Raises(13, [] { BooleanText::Convert("0,5"); }));
  for (const char* notANumber : {"", " ", "1.2.3", "e5", "1e", "+", "0x1", "1 0", "truth"}) {
    EXPECT_TRUE(Raises(13, [&] { BooleanText::Convert(notANumber); })) << '"' << notANumber << '"';
  }
}
