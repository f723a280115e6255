#include "DialogTest.h"
#include "dialog/DialogModule.h"
#include "platform/Error.h"
#include "support/Raises.h"

using TLPaymentPlugIns::DialogFrontend;
using testing_support::InstalledFrontend;
using testing_support::ScriptedFrontend;
using testing_support::WriteFile;

using Opening = DialogTest;

TEST_F(Opening, WithoutAFrontendThatCanShowAWindowNothingIsBuiltOrChanged) {
  Load("plugin.xml");
  plugIn.mCharSet = 7;
  frontend->unavailable = "no display";
  EXPECT_TRUE(testing_support::Raises(100995, [&] { plugIn.ShowConfigDialogue("en", "fr", 1, 2); }));
  {
    const InstalledFrontend none(nullptr);
    EXPECT_TRUE(testing_support::Raises(100995, [&] { plugIn.ShowConfigDialogue("en", "fr"); }));
  }
  // A library that is not the dialog module.
  EXPECT_TRUE(testing_support::Raises(100995, [] { TLPaymentPlugIns::DialogModule::Load("libm.so.6", ""); }));
  TLPaymentPlugIns::PlugIn unloaded;  // a load error comes first
  EXPECT_TRUE(testing_support::Raises(100992, [&] { unloaded.ShowConfigDialogue(); }));
  EXPECT_EQ(frontend->shown, 0);
  EXPECT_EQ(plugIn.mCharSet, 7);
  EXPECT_FALSE(plugIn.Config().selectSingleNode("//Value[@lang='fr']"));
}

TEST_F(Opening, EveryControlTakesCharSetAndOnlyTheSettingsViewTakesCharSetIO) {
  Load("plugin.xml");
  plugIn.ShowConfigDialogue("de", "de", 238, 161);
  const auto& form = frontend->form();
  for (const auto* font :
       {&form.Font, &form.SSAPlugIn.Font, &form.SSAPlugIn.Font2, &form.LeadLogo.Font, &form.lblPlugInInfo.Font,
        &form.LblPlugInName.Font, &form.txtPlugInInfo.Font, &form.lblProviderURL.Font, &form.LblPlugInCopyRight.Font,
        &form.SSCPlugInActive.Font, &form.cmdOk.Font, &form.cmdCancel.Font, &form.cmdApply.Font, &form.ParamDesc.Font,
        &form.TLUReport.Font, &form.ReportDesc.Font}) {
    EXPECT_EQ(font->Charset, 238);
  }
  EXPECT_EQ(form.TLUSettings.Font.Charset, 161);
}

TEST_F(Opening, AnEmptyOrUndeclaredLanguageBecomesTheDefault) {
  Load("plugin.xml");
  for (const char* code : {"", "fr", "DE"}) {
    const auto& form = Show(code, "de");
    EXPECT_EQ(form.AppLang, "de") << code;
    EXPECT_EQ(form.LblPlugInName.Caption, "Testzahlung") << code;
  }
  const auto& form = Show("en", "");
  EXPECT_EQ(form.AppLang, "en");
  EXPECT_EQ(form.StoreLang, "");
  EXPECT_EQ(form.Caption, "Set up test payment");
  // An empty code is never looked up, even where a language declares it.
  plugIn.Config().selectSingleNode("//Language[@isoCode='en']").attributes().getNamedItem("isoCode").text("");
  EXPECT_EQ(Show("", "de").AppLang, "de");
}

TEST_F(Opening, WithoutADefaultLanguageOnlyADeclaredCodeOpens) {
  Load("no_default_language.xml");
  EXPECT_TRUE(testing_support::Raises(91, [&] { plugIn.ShowConfigDialogue("", "en"); }));
  EXPECT_TRUE(testing_support::Raises(91, [&] { plugIn.ShowConfigDialogue("fr", "en"); }));
  EXPECT_EQ(Show("en", "en").LblPlugInName.Caption, "No default");
}

using Buttons = PlugInDialog;

TEST_F(Buttons, TickingActiveEnablesApplyAndApplySavesAndDisablesItself) {
  Show("de", "de", [&](ScriptedFrontend& user) {
    auto& form = user.form();
    EXPECT_FALSE(form.cmdApply.Enabled);
    user.TickActive();
    EXPECT_TRUE(form.cmdApply.Enabled);
    EXPECT_TRUE(plugIn.IsActive());
    EXPECT_EQ(OnDisk().find("active=\"true\""), std::string::npos);
    user.PressApply();
    EXPECT_FALSE(form.cmdApply.Enabled);
    EXPECT_NE(OnDisk().find("active=\"true\""), std::string::npos);
    user.TickActive();
    EXPECT_FALSE(plugIn.IsActive());
    EXPECT_TRUE(form.cmdApply.Enabled);
  });
  EXPECT_FALSE(frontend->form().ClosedByOk());
  EXPECT_NE(OnDisk().find("active=\"true\""), std::string::npos);
}

TEST_F(Buttons, CancelLeavesTheFileButKeepsTheChangeInMemoryForTheNextSave) {
  const std::string before = OnDisk();
  Show("de", "de", [](ScriptedFrontend& user) {
    user.TickActive();
    user.PressCancel();
  });
  EXPECT_EQ(OnDisk(), before);
  EXPECT_TRUE(plugIn.IsActive());
  Show("de", "de", [](ScriptedFrontend& user) { user.PressOk(); });
  EXPECT_NE(OnDisk().find("active=\"true\""), std::string::npos);
}

TEST_F(Buttons, AFailedSaveIsShownAndKeepsTheDialogOpenAndApplyEnabled) {
  Show("de", "de", [&](ScriptedFrontend& user) {
    user.TickActive();
    plugIn.ConfigPath(dir / "no/such/folder");
    user.PressApply();
    EXPECT_TRUE(user.form().cmdApply.Enabled);
    user.PressOk();
    EXPECT_TRUE(user.form().IsOpen());
    plugIn.ConfigPath(dir.path());
    user.PressOk();
    EXPECT_FALSE(user.form().IsOpen());
  });
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(frontend->form().ClosedByOk());
}

using MainTab = PlugInDialog;
