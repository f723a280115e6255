#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dialog/frmPlugIn.h"
#include "platform/XmlDocument.h"
#include "plugin/PlugIn.h"
#include "support/InstalledFrontend.h"
#include "support/MessageCapture.h"
#include "support/ScopedLocale.h"
#include "support/ScriptedFrontend.h"
#include "support/TempDir.h"

// A plug-in folder with a fixture document from tests/dialog/data, a
// scripted frontend installed, German number conventions (the fixtures
// write amounts so), and the message boxes collected.
class DialogTest : public ::testing::Test {
 protected:
  // Puts the fixture into the folder as config.xml and loads it.
  TLPaymentPlugIns::PlugIn& Load(const std::string& fixture) {
    testing_support::WriteFile(dir / "config.xml", testing_support::Fixture("dialog/data/" + fixture));
    plugIn.ConfigPath(dir.path());
    return plugIn;
  }
  // Shows the dialog; script acts as the user while it is open.
  testing_support::ScriptedFrontend::Form& Show(const std::string& appLang, const std::string& storeLang,
                                                std::function<void(testing_support::ScriptedFrontend&)> script = {}) {
    frontend->script = std::move(script);
    plugIn.ShowConfigDialogue(appLang, storeLang);
    return frontend->form();
  }
  // A 50 x 40 bitmap as the plug-in's logo.
  void PutLogo() const {
    testing_support::WriteFile(dir / "logo.bmp", testing_support::Fixture("dialog/data/logo-50x40.bmp"));
  }
  std::string OnDisk() const { return testing_support::ReadFile(dir / "config.xml"); }
  std::string Text(const std::string& query) { return plugIn.Config().selectSingleNode(query).text(); }
  // The rows of a view, one line each: key, kind, level, label, text,
  // description and content, then a check row's box, a group's colour and
  // state, a status row's colour or "-".
  std::string Listing(const TLPaymentPlugIns::Rows& rows) const {
    using namespace TLPaymentPlugIns;
    const std::map<int, const char*> kinds{
        {KindCheck, "check"}, {KindStatus, "status"}, {KindEntry, "entry"}, {KindMulti, "multi"}, {KindGroup, "group"}};
    std::ostringstream out;
    for (const auto& row : rows) {
      const Variant& content = row->Content;
      out << row->Key() << '\t' << kinds.at(row->Kind()) << '\t' << row->Level << '\t' << Escaped(row->Label) << '\t'
          << Escaped(row->Text()) << '\t' << Escaped(row->Description) << '\t';
      if (content.IsEmpty()) out << "empty";
      else if (content.Holds<int16_t>()) out << "int16 " << content.Get<int16_t>();
      else if (content.Holds<Currency>()) out << "currency " << content.Get<Currency>().Scaled();
      else out << '"' << Escaped(content.Get<std::string>()) << '"';
      out << '\t' << std::hex << std::showbase;
      if (row->Kind() == KindCheck) out << (row->IsChecked ? "checked" : "unchecked");
      else if (row->Kind() == KindGroup) out << row->GroupColor << (row->GroupState ? " open" : " closed");
      else if (row->Kind() == KindStatus) out << row->StateColor;
      else out << '-';
      out << std::dec << std::noshowbase << '\n';
    }
    return out.str();
  }
  // The folder as DIR, line breaks as \r and \n.
  std::string Escaped(const std::string& text) const {
    using testing_support::Replaced;
    return Replaced(Replaced(Replaced(text, dir.path(), "DIR"), "\r", "\\r"), "\n", "\\n");
  }

  testing_support::ScopedLocale german{"de_DE.UTF-8"};
  testing_support::TempDir dir;
  std::shared_ptr<testing_support::ScriptedFrontend> frontend = std::make_shared<testing_support::ScriptedFrontend>();
  testing_support::InstalledFrontend installed{frontend};
  TLPaymentPlugIns::PlugIn plugIn;
  testing_support::MessageCapture messages;
};

// The same with the complete fixture, plugin.xml, loaded.
class PlugInDialog : public DialogTest {
 protected:
  void SetUp() override { Load("plugin.xml"); }
};
