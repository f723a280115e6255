#include <gtest/gtest.h>

#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"
#include "staging/ReferenceStageObject.h"
#include "support/PlugInFolder.h"
#include "support/Raises.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

class ReferenceStageObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { plugIn.ConfigPath(MakePlugInFolder(dir, "p", Fixture("staging/data/params.xml"))); }

  std::string Render(std::string text, const std::string& storeLang = "") {
    ReferenceStageObject stageObj(plugIn, storeLang);
    stageObj.ParseSnippet(text, 1);
    return stageObj.PCode();
  }

  TempDir dir;
  PlugIn plugIn;
};

}  // namespace

TEST_F(ReferenceStageObjectTest, ReplacesEveryReferenceAndKeepsEveryOtherByte) {
  EXPECT_EQ(Render("<p>\xe4<!--#param type=\"text\" name=\"Label\" --></p>\r\n"
                   "<!-- a plain comment --><select><!--#param type=\"optionlist\" elems=\"NoneChosen\"--></select>"
                   "<!--#param type=\"conditional\" param=\"On\" value=\"<i>on</i>\" -->",
                   "en"),
            "<p>\xe4Invoice</p>\r\n<!-- a plain comment --><select></select><i>on</i>");
  EXPECT_EQ(Render(""), "");
  // Back to back, and at both ends of the text.
  EXPECT_EQ(Render("<!--#param type=\"text\" name=\"Label\"--><!--#param type=\"text\" name=\"Label\"-->"),
            "RechnungRechnung");
  // An unterminated reference stays text.
  EXPECT_EQ(Render("<!--#param type=\"text\" name=\"Label\" --> and <!--#param type=\"text\" name=\"Label\" -- >"),
            "Rechnung and <!--#param type=\"text\" name=\"Label\" -- >");
}

TEST_F(ReferenceStageObjectTest, AFailingReferenceFailsTheWholeRenderingAndNamesIt) {
  ReferenceStageObject stageObj(plugIn, "");
  std::string text = "ok <!--#param type=\"text\" name=\"Label\" -->";
  stageObj.ParseSnippet(text, 1);
  const std::string reference = "<!--#param type=\"conditional\" param=\"Yes\" value=\"x\" -->";
  text = "before " + reference + " after";
  try {
    stageObj.ParseSnippet(text, 1);
    FAIL() << "rendered";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), 13);
    EXPECT_EQ(error.Source(), errors::TypeMismatch().Source());
    EXPECT_NE(error.Description().find(reference), std::string::npos) << error.Description();
  }
  // Nothing of the failed text, nor of the one before.
  EXPECT_EQ(stageObj.PCode(), "");
  for (const int16_t mode : {int16_t{0}, int16_t{2}}) {
    EXPECT_TRUE(Raises(5, [&] { stageObj.ParseSnippet(text, mode); }));
  }
}
