#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/BooleanText.h"
#include "platform/UserLocale.h"
#include "plugin/PlugIn.h"
#include "support/PlugInFolder.h"
#include "support/Raises.h"
#include "support/ScopedLocale.h"
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

TEST_F(ParseParamTest, AttributesAreFoundOnlyAfterASpaceAndRightBeforeTheirQuotedValue) {
  EXPECT_EQ(plugIn.ParseParam(R"( type="text" name="Label")", "en"), "Invoice");
  EXPECT_EQ(plugIn.ParseParam(R"(param TYPE="Text" NAME="Label")"), "Rechnung");
  // At the very start, with no space before it, "type" isn't there.
  EXPECT_EQ(plugIn.ParseParam(R"(type="text" name="Label")"), "");
  // Spaces around "=" hide the attribute.
  EXPECT_EQ(plugIn.ParseParam(R"( type = "text" name="Label")"), "");
  EXPECT_EQ(plugIn.ParseParam(R"( type="text" name ="Label")"), "");
  // The value is taken from the next =" on, wherever that stands.
  EXPECT_EQ(plugIn.ParseParam(R"( type="text" name=Label x="Label")"), "Rechnung");
  // "xname" is not "name".
  EXPECT_EQ(plugIn.ParseParam(R"( type="text" xname="Nothing" name="Label")"), "Rechnung");
  // Without its closing quote the attribute is empty: here "conditional"
  // tests no parameter at all, and fails.
  EXPECT_TRUE(Raises(13, [&] { plugIn.ParseParam(R"( type="conditional" value="v" param="On)"); }));
  EXPECT_EQ(plugIn.ParseParam(R"( type="conditional" param="On" value="shown)"), "");
}

TEST_F(ParseParamTest, OptionListsRenderTheChosenOptionsBackToBack) {
  EXPECT_EQ(plugIn.ParseParam(R"( type="OptionList" elems="Cards")"),
            R"(<Option value=\"VISA\">Visa<Option value=\"MC\">Master & Card<Option value=\"JCB\">JCB)");
  EXPECT_EQ(plugIn.ParseParam(R"( type="optionlist" elems="NoneChosen")"), "");
}

TEST_F(ParseParamTest, OptionListsFailOnWhatIsMissing) {
  for (const char* group : {"lower", "NoGroup", "BrokenType", "BrokenChecked", "BrokenKey", "BrokenValue"}) {
    EXPECT_TRUE(Raises(91, [&] { plugIn.ParseParam(std::string(R"( type="optionlist" elems=")") + group + "\""); }))
        << group;
  }
  EXPECT_THROW(plugIn.ParseParam(R"( type="optionlist" elems="it's")"), Error);
  PlugIn unset;
  EXPECT_TRUE(Raises(91, [&] { unset.ParseParam(R"( type="optionlist" elems="Cards")"); }));
}

TEST_F(ParseParamTest, ConditionalsShowTheirValueWhenTheParameterIsTrue) {
  const auto conditional = [&](const std::string& param, const std::string& storeLang = "") {
    return plugIn.ParseParam(" type=\"conditional\" param=\"" + param + "\" value=\"<b>shown</b>\"", storeLang);
  };
  EXPECT_EQ(conditional("On"), "<b>shown</b>");
  EXPECT_EQ(conditional("Off"), "");
  EXPECT_EQ(conditional("Word"), "<b>shown</b>");
  EXPECT_EQ(conditional("FalseWord"), "");
  EXPECT_EQ(conditional("ZeroPoint"), "");
  EXPECT_EQ(conditional("Fraction"), "<b>shown</b>");
  EXPECT_EQ(conditional("Exponent"), "<b>shown</b>");
  EXPECT_EQ(conditional("PerLanguage", "en"), "<b>shown</b>");
  EXPECT_EQ(conditional("PerLanguage"), "");
  for (const char* notABoolean : {"Empty", "Yes", "Missing"}) {
    EXPECT_TRUE(Raises(13, [&] { conditional(notABoolean); })) << notABoolean;
  }
}

TEST_F(ParseParamTest, OtherTypesRenderNothing) {
  EXPECT_EQ(plugIn.ParseParam(R"( type="value" name="Label")"), "");
  EXPECT_EQ(plugIn.ParseParam(R"( name="Label")"), "");
  EXPECT_EQ(plugIn.ParseParam(""), "");
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
