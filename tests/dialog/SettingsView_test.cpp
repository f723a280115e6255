#include "DialogTest.h"
#include "platform/LocaleNumbers.h"

using TLPaymentPlugIns::Currency;
using TLPaymentPlugIns::KindCheck;
using TLPaymentPlugIns::KindEntry;
using TLPaymentPlugIns::KindGroup;
using TLPaymentPlugIns::KindMulti;
using TLPaymentPlugIns::Variant;
using testing_support::ScriptedFrontend;

using SettingsView = DialogTest;

TEST_F(SettingsView, ShowsVisibleParametersInDocumentOrderWithGroupsNested) {
  Load("plugin.xml");
  const auto& form = Show("en", "de");
  struct Expected {
    const char* key;
    int kind;
    int level;
    const char* label;
  };
  const Expected expected[] = {
      {"Label", KindEntry, 0, "Label"},
      {"Note", KindMulti, 0, "Note"},
      {"Days", KindEntry, 0, "Days to pay"},
      {"Fee", KindEntry, 0, "Fee"},
      {"Express", KindCheck, 0, "Express shipping"},
      {"Cards", KindGroup, 0, "Cards"},
      {"Visa", KindCheck, 1, "Accept Visa"},
      {"Limits", KindGroup, 1, "Limits"},
      {"MaxItems", KindEntry, 2, "Most items"},
  };
  const auto& rows = form.TLUSettings.Rows();
  ASSERT_EQ(rows.Count(), std::size(expected));
  for (std::size_t i = 0; i < rows.Count(); ++i) {
    const auto& row = *rows.Item(i);
    EXPECT_EQ(row.Key(), expected[i].key);
    EXPECT_EQ(row.Kind(), expected[i].kind) << row.Key();
    EXPECT_EQ(row.Level, expected[i].level) << row.Key();
    EXPECT_EQ(row.Label, expected[i].label) << row.Key();
    EXPECT_EQ(row.Text(), "");
    EXPECT_EQ(row.Description, row.Kind() == KindGroup ? "" : row.Label) << row.Key();
    if (row.Kind() == KindGroup) {
      EXPECT_EQ(row.GroupColor, 0x80000010u);
      EXPECT_FALSE(row.GroupState);
    }
  }
  EXPECT_EQ(rows.Item(0)->Content, Variant("Rechnung"));
  EXPECT_EQ(rows.Item(1)->Content, Variant("Zeile 1\nZeile 2"));
  EXPECT_EQ(rows.Item(2)->Content, Variant(int16_t{14}));
  EXPECT_EQ(rows.Item(3)->Content, Variant(Currency::FromScaled(25000)));
  EXPECT_TRUE(rows.Item(4)->Content.IsEmpty());
  EXPECT_TRUE(rows.Item(4)->IsChecked);
  EXPECT_FALSE(rows.Item(6)->IsChecked);  // "true" is not "1"
  EXPECT_EQ(rows.Item(8)->Content, Variant(int16_t{12}));
  EXPECT_TRUE(form.SSAPlugIn.TabFor(form.SSPPlugInAdvanced).Enabled);
  EXPECT_FALSE(form.cmdApply.Enabled);
}

TEST_F(SettingsView, AStoreLanguageWithoutValuesGetsEmptyValueElementsAndEnablesApply) {
  Load("plugin.xml");
  const std::string before = OnDisk();
  const auto& form = Show("de", "fr");
  const auto& rows = form.TLUSettings.Rows();
  EXPECT_EQ(rows.Item(0)->Content, Variant(""));
  EXPECT_EQ(rows.Item(3)->Content, Variant("0"));
  EXPECT_TRUE(rows.Item(8)->Content.IsEmpty());
  EXPECT_EQ(rows.Item(2)->Content, Variant(int16_t{14}));  // a plain value is not per language
  EXPECT_TRUE(form.cmdApply.Enabled);
  for (const char* name : {"Label", "Fee", "MaxItems"}) {
    const auto created = plugIn.Config().selectSingleNode(std::string("//Param[@name='") + name + "']/*[last()]");
    EXPECT_EQ(created.nodeName(), "Value") << name;
    EXPECT_EQ(created.attributes().getNamedItem("lang").text(), "fr") << name;
    EXPECT_EQ(created.text(), "") << name;
  }
  EXPECT_FALSE(plugIn.Config().selectSingleNode("//Param[@name='Note']/Value[@lang]"));
  EXPECT_EQ(OnDisk(), before);
  // An empty store language is a language like any other.
  Show("de", "");
  EXPECT_TRUE(plugIn.Config().selectSingleNode("//Param[@name='Label']/Value[@lang='']"));
}

TEST_F(SettingsView, TheActiveBoxFollowsTheDocumentWithoutCountingAsAChange) {
  Load("bare.xml");  // active="True"
  const auto& form = Show("", "");
  EXPECT_EQ(form.SSCPlugInActive.Value(), 0);
  EXPECT_EQ(Text("/*/@active"), "True");
  EXPECT_FALSE(form.cmdApply.Enabled);

  TLPaymentPlugIns::PlugIn active;
  testing_support::WriteFile(dir / "config.xml", testing_support::Fixture("dialog/data/no_default_language.xml"));
  active.ConfigPath(dir.path());
  active.ShowConfigDialogue("en", "en");
  EXPECT_EQ(frontend->form().SSCPlugInActive.Value(), 1);
  EXPECT_FALSE(frontend->form().cmdApply.Enabled);
}

TEST_F(SettingsView, TabsWithNothingToShowAreSwitchedOff) {
  Load("bare.xml");
  const auto& form = Show("", "");
  EXPECT_TRUE(form.SSAPlugIn.TabFor(form.SSPPlugInMain).Enabled);
  EXPECT_FALSE(form.SSAPlugIn.TabFor(form.SSPPlugInAdvanced).Enabled);
  EXPECT_FALSE(form.SSAPlugIn.TabFor(form.SSPPlugInReport).Enabled);

  // Parameters that are all hidden leave the tab on, but empty.
  testing_support::WriteFile(dir / "config.xml", testing_support::Fixture("dialog/data/plugin.xml"));
  TLPaymentPlugIns::PlugIn hidden;
  hidden.ConfigPath(dir.path());
  for (auto P : hidden.Config().selectNodes("//Param")) P.attributes().getNamedItem("readOnly").text("true");
  hidden.ShowConfigDialogue("de", "de");
  EXPECT_EQ(frontend->form().TLUSettings.Rows().Count(), 0u);
  EXPECT_TRUE(frontend->form().SSAPlugIn.TabFor(frontend->form().SSPPlugInAdvanced).Enabled);
}
