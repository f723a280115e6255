#include "DialogTest.h"

using testing_support::ScriptedFrontend;
using TLPaymentPlugIns::Variant;

using WriteBack = PlugInDialog;

TEST_F(WriteBack, IntegersAreRoundedHalfToEvenUnderTheUsersLocale) {
  Show("de", "de", [&](ScriptedFrontend& user) {
    // An emptied integer writes nothing, but enables Apply.
    user.EditRow("Days", "");
    EXPECT_EQ(Text("//Param[@name='Days']/Value"), "14");
    EXPECT_TRUE(user.form().cmdApply.Enabled);
    for (const auto& [entry, written] : {std::pair{"12,5", "12"}, {"13,5", "14"}, {"12,7", "13"}, {"-3", "-3"}}) {
      user.EditRow("Days", entry);
      EXPECT_EQ(Text("//Param[@name='Days']/Value"), written) << entry;
    }
    user.EditRow("MaxItems", "7");
    EXPECT_EQ(Text("//Param[@name='MaxItems']/Value[@lang='de']"), "7");
  });
}

TEST_F(WriteBack, AmountsAreCleanedAndWrittenWithTheLocalesSeparator) {
  Show("de", "de", [&](ScriptedFrontend& user) {
    for (const auto& [entry, written] :
         {std::pair{"1.234,50 EUR", "1234,5"}, {"-20", "20"}, {"gratis", "0"}, {"1,2,3", "1,23"}}) {
      user.EditRow("Fee", entry);
      EXPECT_EQ(Text("//Param[@name='Fee']/Value[@lang='de']"), written) << entry;
    }
  });
  EXPECT_EQ(Text("//Param[@name='Fee']/Value[@lang='en']"), "2.50");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WriteBack, TextIsWrittenExactlyAsEnteredIntoTheValueOfTheStoreLanguage) {
  const std::string longText(100000, 'x');
  Show("en", "en", [&](ScriptedFrontend& user) {
    user.EditRow("Label", "  Invoice <b>&amp;</b> ");
    user.EditRow("Note", longText);
    user.PressOk();
  });
  TLPaymentPlugIns::PlugIn reread;
  reread.ConfigPath(dir.path());
  EXPECT_EQ(reread.GetParam("Label", "en"), "  Invoice <b>&amp;</b> ");
  EXPECT_EQ(reread.GetParam("Label", "de"), "Rechnung");
  EXPECT_EQ(reread.GetParam("Note"), longText);
}

TEST_F(WriteBack, CheckRowsWriteOneOrZeroIntoCheckedAndGroupRowsNothing) {
  Show("de", "de", [&](ScriptedFrontend& user) {
    const std::string before = plugIn.Config().xml();
    user.EditRow("Cards", "x");
    EXPECT_EQ(plugIn.Config().xml(), before);
    EXPECT_TRUE(user.form().cmdApply.Enabled);
    user.CheckRow("Express", false);
    EXPECT_EQ(Text("//Param[@name='Express']/Checked"), "0");
    user.CheckRow("Visa", true);
    EXPECT_EQ(Text("//Param[@name='Visa']/Checked"), "1");
  });
  EXPECT_EQ(Text("//Param[@name='Express']/Value"), "not read");
}

TEST_F(WriteBack, AnEntryThatCannotBeConvertedIsShownAndTheRowShowsTheDocumentAgain) {
  Show("de", "de", [&](ScriptedFrontend& user) {
    const auto days = user.Row(user.form().TLUSettings, "Days");
    for (const char* entry : {"abc", "99999"}) {
      user.EditRow("Days", entry);
      EXPECT_EQ(days->Content, Variant(int16_t{14})) << entry;
    }
    user.EditRow("Fee", ",");
    EXPECT_EQ(user.Row(user.form().TLUSettings, "Fee")->Content.Holds<TLPaymentPlugIns::Currency>(), true);
    EXPECT_FALSE(user.form().cmdApply.Enabled);
  });
  const std::string title = "Testzahlung einrichten: ";
  EXPECT_EQ(messages.shown,
            (std::vector<std::string>{title + "Type mismatch", title + "Overflow", title + "Type mismatch"}));
  EXPECT_EQ(Text("//Param[@name='Days']/Value"), "14");
  EXPECT_EQ(Text("//Param[@name='Fee']/Value[@lang='de']"), "2,50 EUR");
}

TEST_F(WriteBack, ChangesWhileLoadingAreIgnored) {
  // A view that reports a change while the dialog is being built.
  frontend->pictures = [&](const std::string&) {
    auto& form = frontend->form();
    auto row = form.TLUSettings.Rows().Add(0, "Days", "", TLPaymentPlugIns::KindEntry);
    row->Content = "99";
    form.TLUSettings.ChangeValue(row, "99");
    form.SSCPlugInActive.Toggle();
    row->Description = "selected while loading";
    form.TLUSettings.SelectRow(row);
    return TLPaymentPlugIns::PictureSize{1, 1};
  };
  PutLogo();
  const auto& form = Show("de", "de");
  EXPECT_EQ(Text("//Param[@name='Days']/Value"), "14");
  EXPECT_EQ(Text("/*/@active"), "false");
  EXPECT_FALSE(form.cmdApply.Enabled);
  EXPECT_EQ(form.ParamDesc.Caption, "");
}

TEST_F(WriteBack, AFailedWriteBackChangesNeitherTheDocumentNorApply) {
  Show("de", "de", [&](ScriptedFrontend& user) {
    // The value element goes away behind the dialog's back.
    plugIn.Config()
        .selectSingleNode("//Param[@name='MaxItems']/Value[@lang='de']")
        .attributes()
        .getNamedItem("lang")
        .text("xx");
    const std::string before = plugIn.Config().xml();
    user.EditRow("MaxItems", "7");
    EXPECT_EQ(plugIn.Config().xml(), before);
    EXPECT_FALSE(user.form().cmdApply.Enabled);
    EXPECT_TRUE(user.Row(user.form().TLUSettings, "MaxItems")->Content.IsEmpty());
  });
  EXPECT_EQ(messages.shown.size(), 1u);
}

using SharedNames = DialogTest;

TEST_F(SharedNames, AnEditGoesToTheFirstElementCarryingTheName) {
  Load("shared_names.xml");
  Show("en", "en", [&](ScriptedFrontend& user) {
    // Captions are looked up the same way: the Param came first.
    EXPECT_EQ(user.form().SSAPlugIn.TabFor(user.form().SSPPlugInMain).Caption, "first");
    user.EditRow("FormCaption", "changed");
    user.form().TLUSettings.ChangeValue(nullptr, "");
    EXPECT_FALSE(user.form().cmdApply.Enabled);
    const auto& rows = user.form().TLUSettings.Rows();
    auto inner = rows.Item(3);
    ASSERT_EQ(inner->Key(), "Amount");
    inner->Content = "5";
    user.form().TLUSettings.ChangeValue(inner, "5");
    EXPECT_TRUE(user.form().cmdApply.Enabled);
  });
  EXPECT_EQ(Text("(//Param[@name='Amount'])[1]/Value"), "5");
  EXPECT_EQ(Text("(//Param[@name='Amount'])[2]/Value"), "2");
  EXPECT_EQ(Text("//Param[@name='FormCaption']/Value"), "original");
  EXPECT_EQ(messages.shown.size(), 2u);
}
