#include "DialogTest.h"

using SettingsView = DialogTest;

// Labels and descriptions in the display language, values in the store
// language; "true" is not "1" for a check row.
TEST_F(SettingsView, ShowsVisibleParametersInDocumentOrderWithGroupsNested) {
  Load("plugin.xml");
  const auto& form = Show("en", "de");
  EXPECT_EQ(Listing(form.TLUSettings.Rows()), testing_support::Fixture("dialog/data/settings_en_de.txt"));
  EXPECT_TRUE(form.SSAPlugIn.TabFor(form.SSPPlugInAdvanced).Enabled);
  EXPECT_FALSE(form.cmdApply.Enabled);
}

TEST_F(SettingsView, AStoreLanguageWithoutValuesGetsEmptyValueElementsAndEnablesApply) {
  Load("plugin.xml");
  const std::string before = OnDisk();
  const auto& form = Show("de", "fr");
  // A plain value is not per language: Days keeps its 14.
  EXPECT_EQ(Listing(form.TLUSettings.Rows()), testing_support::Fixture("dialog/data/settings_de_fr.txt"));
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
