#pragma once

#include <gtest/gtest.h>

#include <memory>
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

  testing_support::ScopedLocale german{"de_DE.UTF-8"};
  testing_support::TempDir dir;
  std::shared_ptr<testing_support::ScriptedFrontend> frontend = std::make_shared<testing_support::ScriptedFrontend>();
  testing_support::InstalledFrontend installed{frontend};
  TLPaymentPlugIns::PlugIn plugIn;
  testing_support::MessageCapture messages;
};
