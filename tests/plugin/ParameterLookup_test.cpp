#include <gtest/gtest.h>

#include "platform/Error.h"
#include "plugin/PlugIn.h"
#include "support/PlugInFolder.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

class GetParamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plugIn.ConfigPath(MakePlugInFolder(dir, "p", Fixture("plugin/data/complete.xml")));
  }
  TempDir dir;
  PlugIn plugIn;
};

}  // namespace

TEST_F(GetParamTest, PerLanguageValuesFollowTheResolvedStoreLanguage) {
  EXPECT_EQ(plugIn.GetParam("Holder", "en"), "Miller & Sons");
  EXPECT_EQ(plugIn.GetParam("Holder", "de"), "Müller & Söhne");
  // Empty, undeclared and malformed codes take the default language.
  EXPECT_EQ(plugIn.GetParam("Holder"), "Müller & Söhne");
  EXPECT_EQ(plugIn.GetParam("Holder", "fr"), "Müller & Söhne");
  EXPECT_EQ(plugIn.GetParam("Holder", "e'n"), "Müller & Söhne");
  // No fallback to the default when the language has no value.
  EXPECT_EQ(plugIn.GetParam("OnlyGerman", "en"), "");
}

TEST_F(GetParamTest, SharedValuesTakeTheFirstValueWhateverItsLanguage) {
  EXPECT_EQ(plugIn.GetParam("Shared", "de"), "first");
  EXPECT_EQ(plugIn.GetParam("NoLocal", "en"), "14");
  // "False" with a capital F means per language.
  EXPECT_EQ(plugIn.GetParam("CapitalFalse", "en"), "english");
  EXPECT_EQ(plugIn.GetParam("CapitalFalse", "de"), "");
}

TEST_F(GetParamTest, CheckParametersReadCheckedOnly) {
  EXPECT_EQ(plugIn.GetParam("Surcharge"), "1");
  EXPECT_EQ(plugIn.GetParam("CapitalCheck"), "0");
  EXPECT_EQ(plugIn.GetParam("CheckWithoutChecked"), "");
  EXPECT_EQ(plugIn.GetParam("Visa"), "1");
}

TEST_F(GetParamTest, NeverRaises) {
  EXPECT_EQ(plugIn.GetParam("Nothing"), "");
  EXPECT_EQ(plugIn.GetParam("it's"), "");
  EXPECT_EQ(plugIn.GetParam("Cards"), "");
  EXPECT_EQ(plugIn.GetParam("Cdata"), "a <b>bold</b> text");
  PlugIn unset;
  EXPECT_EQ(unset.GetParam("Holder"), "");
  PlugIn broken;
  EXPECT_THROW(broken.ConfigPath(dir / "missing"), Error);
  EXPECT_EQ(broken.GetParam("Holder"), "");
}

TEST(GetParam, WithoutDefaultLanguageKeepsTheGivenCode) {
  TempDir dir;
  PlugIn plugIn;
  plugIn.ConfigPath(MakePlugInFolder(dir, "p", Fixture("plugin/data/no_default_language.xml")));
  EXPECT_EQ(plugIn.GetParam("Holder", "en"), "english");
  EXPECT_EQ(plugIn.GetParam("Holder", "fr"), "");
  EXPECT_EQ(plugIn.GetParam("Holder"), "no language");
}
