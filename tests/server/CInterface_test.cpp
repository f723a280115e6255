// The C interface through the shared library: object lifetime, handles,
// errors crossing the boundary, texts, Booleans and the staging callbacks.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "server/Utf8.h"
#include "support/PlugInFolder.h"
#include "support/TempDir.h"
#include "tlpaymentplugins.h"

using testing_support::CopySample;
using testing_support::MakePlugInFolder;
using testing_support::MinimalConfig;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// A string the library returned, freed here.
std::string Take(char* text) {
  std::string value = text != nullptr ? text : "";
  tlpp_FreeString(text);
  return value;
}

tlpp_object* Create(const char* className) {
  tlpp_object* object = nullptr;
  EXPECT_EQ(tlpp_CreateObject(className, &object, nullptr), TLPP_OK);
  return object;
}

// The samples under a fresh root, scanned by a new collection.
class CInterface : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sample : {"cashondelivery", "creditcard", "invoice"}) CopySample(sample, root / sample);
    plugIns = Create("TLPaymentPlugIns.PlugIns");
    ASSERT_EQ(tlpp_PlugIns_let_PlugInsPath(plugIns, root.path().c_str(), &error), TLPP_OK) << error.description;
  }
  void TearDown() override {
    tlpp_Release(plugIns, nullptr);
    EXPECT_EQ(tlpp_CanUnloadNow(), 1) << "a test left an object alive";
  }
  tlpp_object* Item(const char* key) {
    tlpp_object* plugIn = nullptr;
    EXPECT_EQ(tlpp_PlugIns_get_ItemByKey(plugIns, key, &plugIn, &error), TLPP_OK) << error.description;
    return plugIn;
  }

  TempDir root;
  tlpp_object* plugIns = nullptr;
  tlpp_error error{};
};

TEST_F(CInterface, ObjectsLiveWhileReferencedAndThenTheLibraryMayUnload) {
  tlpp_object* invoice = Item("tlinvoice");
  EXPECT_EQ(tlpp_CanUnloadNow(), 0);

  // The collection goes; the plug-in the host holds stays whole.
  ASSERT_EQ(tlpp_Release(plugIns, &error), TLPP_OK);
  plugIns = nullptr;
  EXPECT_EQ(tlpp_CanUnloadNow(), 0);
  char* id = nullptr;
  ASSERT_EQ(tlpp_PlugIn_get_ID(invoice, &id, &error), TLPP_OK);
  EXPECT_EQ(Take(id), "TLInvoice");
  // Saving writes the document as loaded over whatever is on disk now.
  const std::string config = ReadFile(root / "invoice/config.xml");
  WriteFile(root / "invoice/config.xml", "replaced");
  ASSERT_EQ(tlpp_PlugIn_SaveConfiguration(invoice, &error), TLPP_OK) << error.description;
  EXPECT_EQ(ReadFile(root / "invoice/config.xml"), config);

  // Two references, two releases.
  ASSERT_EQ(tlpp_AddRef(invoice, &error), TLPP_OK);
  ASSERT_EQ(tlpp_Release(invoice, &error), TLPP_OK);
  EXPECT_EQ(tlpp_CanUnloadNow(), 0);
  ASSERT_EQ(tlpp_Release(invoice, &error), TLPP_OK);
  EXPECT_EQ(tlpp_CanUnloadNow(), 1);
}

TEST_F(CInterface, APlugInIsOneHandleByPositionKeyAndEnumerator) {
  tlpp_object* byKey = Item("TLCASHONDELIVERY");
  tlpp_object* byPosition = nullptr;
  ASSERT_EQ(tlpp_PlugIns_get_Item(plugIns, 1, &byPosition, &error), TLPP_OK);
  EXPECT_EQ(byKey, byPosition);

  tlpp_object* walk = nullptr;
  ASSERT_EQ(tlpp_PlugIns_get_NewEnum(plugIns, &walk, &error), TLPP_OK);
  std::vector<tlpp_object*> seen;
  for (tlpp_object* plugIn = nullptr; tlpp_Enum_Next(walk, &plugIn, &error) == TLPP_OK && plugIn != nullptr;) {
    seen.push_back(plugIn);
  }
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], byKey);

  // The enumerator keeps the plug-ins it was made over through a rescan.
  ASSERT_EQ(tlpp_PlugIns_let_PlugInsPath(plugIns, (root / "nothing").c_str(), &error), TLPP_OK);
  ASSERT_EQ(tlpp_Enum_Reset(walk, &error), TLPP_OK);
  tlpp_object* first = nullptr;
  ASSERT_EQ(tlpp_Enum_Next(walk, &first, &error), TLPP_OK);
  EXPECT_EQ(first, byKey);

  // One reference for each time the handle was handed out.
  for (tlpp_object* object : seen) EXPECT_EQ(tlpp_Release(object, nullptr), TLPP_OK);
  for (tlpp_object* object : {first, byKey, byPosition, walk}) EXPECT_EQ(tlpp_Release(object, nullptr), TLPP_OK);
  // Released for good, a plug-in is handed out again under a new handle.
  ASSERT_EQ(tlpp_PlugIns_let_PlugInsPath(plugIns, root.path().c_str(), &error), TLPP_OK);
  tlpp_Release(Item("TLInvoice"), nullptr);
  tlpp_object* again = Item("TLInvoice");
  EXPECT_NE(again, nullptr);
  tlpp_Release(again, nullptr);
}

TEST_F(CInterface, BadHandlesAreErrorsNotCrashes) {
  int32_t count = -1;
  EXPECT_EQ(tlpp_PlugIns_get_Count(nullptr, &count, &error), TLPP_E_HANDLE);
  EXPECT_EQ(error.number, 91);
  EXPECT_EQ(count, 0);

  // Released: the number is never handed out again, so it stays dead even
  // after new objects are made.
  tlpp_object* plugIn = Create("TLPaymentPlugIns.PlugIn");
  ASSERT_EQ(tlpp_Release(plugIn, &error), TLPP_OK);
  tlpp_object* other = Create("TLPaymentPlugIns.PlugIn");
  EXPECT_NE(other, plugIn);
  EXPECT_EQ(tlpp_PlugIn_LoadConfiguration(plugIn, &error), TLPP_E_HANDLE);
  EXPECT_EQ(error.number, 91);
  EXPECT_NE(std::string(error.description).find("released"), std::string::npos);
  EXPECT_EQ(tlpp_Release(plugIn, &error), TLPP_E_HANDLE);
  EXPECT_NE(std::string(error.description).find("released"), std::string::npos) << "released twice";
  EXPECT_EQ(tlpp_AddRef(plugIn, &error), TLPP_E_HANDLE);
  EXPECT_EQ(tlpp_Release(nullptr, &error), TLPP_OK);

  // A member of the other class.
  EXPECT_EQ(tlpp_PlugIns_get_Count(other, &count, &error), TLPP_E_HANDLE);
  EXPECT_EQ(error.number, 438);
  EXPECT_STREQ(error.description, "Object doesn't support this property or method");
  tlpp_Release(other, nullptr);

  // Output pointers and required texts.
  EXPECT_EQ(tlpp_PlugIns_get_Count(plugIns, nullptr, &error), TLPP_E_ARGUMENT);
  EXPECT_EQ(tlpp_PlugIns_let_PlugInsPath(plugIns, nullptr, &error), TLPP_E_ARGUMENT);
  EXPECT_EQ(error.number, 5);

  // Classes are made by name.
  tlpp_object* object = reinterpret_cast<tlpp_object*>(&error);
  EXPECT_EQ(tlpp_CreateObject("TLPaymentPlugIns.Shop", &object, &error), TLPP_E_ERROR);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(error.number, 429);
}

TEST_F(CInterface, NumberedErrorsCrossWithNumberSourceAndDescription) {
  tlpp_object* plugIn = Create("TLPaymentPlugIns.PlugIn");
  EXPECT_EQ(tlpp_PlugIn_let_ConfigPath(plugIn, (root / "missing").c_str(), &error), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 100991);
  EXPECT_STREQ(error.source, "TLPaymentPlugIns.PlugIn");
  EXPECT_STREQ(error.description, "Configuration malformed. Proccess aborted");
  // The path stays stored; success clears the record.
  char* path = nullptr;
  ASSERT_EQ(tlpp_PlugIn_get_ConfigPath(plugIn, &path, &error), TLPP_OK);
  EXPECT_EQ(Take(path), root / "missing");
  EXPECT_EQ(error.number, 0);
  EXPECT_STREQ(error.description, "");
  tlpp_Release(plugIn, nullptr);
  tlpp_object* item = nullptr;
  EXPECT_EQ(tlpp_PlugIns_get_ItemByKey(plugIns, "nope", &item, nullptr), TLPP_E_ERROR);
}

TEST_F(CInterface, LongDescriptionsAreCutOnACharacterBoundary) {
  // A missing snippet file is error 53 naming its path. Folders of two-byte
  // characters make the path longer than the record, and one ASCII letter
  // more or less makes the cut fall inside a character.
  const std::string prefix = "File not found: " + root.path() + "/";
  const std::string letter = (TLPP_DESCRIPTION_SIZE - 1 - prefix.size()) % 2 == 0 ? "x" : "";
  std::string level;
  for (int i = 0; i < 100; ++i) level += "\xC3\xA4";  // ä
  std::string relative = letter + level;
  for (int i = 0; i < 5; ++i) relative += "/" + level;
  const std::string folder =
      MakePlugInFolder(root, relative, MinimalConfig("Long", "<Files><File name=\"plugin.html\"/></Files>"));
  tlpp_object* plugIn = Create("TLPaymentPlugIns.PlugIn");
  ASSERT_EQ(tlpp_PlugIn_let_ConfigPath(plugIn, folder.c_str(), &error), TLPP_OK) << error.description;

  tlpp_stage_object silent{nullptr, [](void*, const char*, size_t, int16_t, tlpp_error*) { return 0; },
                           [](void*, const char**, size_t*, tlpp_error*) { return 0; }};
  char* text = nullptr;
  ASSERT_EQ(tlpp_PlugIn_ParseSnippetFile(plugIn, &silent, &text, nullptr, &error), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 53);
  const std::string description = error.description;
  EXPECT_EQ(description.size(), TLPP_DESCRIPTION_SIZE - 2u);
  EXPECT_EQ(description.rfind(prefix, 0), 0u) << description;
  EXPECT_TRUE(TLPaymentPlugIns::server::IsUtf8(description));
  tlpp_Release(plugIn, nullptr);
}

// What the callbacks saw, and how they are to fail.
struct Host {
  std::vector<std::string> texts;
  std::vector<int16_t> modes;
  std::string pcode = "rendered";
  int32_t failParseSnippet = -1;  // the number to fail with, or -1
  bool failPCode = false;
};

int RecordParseSnippet(void* userData, const char* text, size_t length, int16_t mode, tlpp_error* error) {
  auto* host = static_cast<Host*>(userData);
  host->texts.emplace_back(text, length);
  host->modes.push_back(mode);
  if (host->failParseSnippet < 0) return TLPP_OK;
  error->number = host->failParseSnippet;
  std::strcpy(error->source, "ShopBuilder");
  std::strcpy(error->description, "template engine stopped");
  return 1;
}

int AnswerPCode(void* userData, const char** text, size_t* length, tlpp_error*) {
  auto* host = static_cast<Host*>(userData);
  if (host->failPCode) return 1;
  *text = host->pcode.data();
  *length = host->pcode.size();
  return TLPP_OK;
}

// The invoice plug-in held, and a host's staging callbacks.
class CInvoice : public CInterface {
 protected:
  void SetUp() override {
    CInterface::SetUp();
    invoice = Item("TLInvoice");
  }
  void TearDown() override {
    tlpp_Release(invoice, nullptr);
    CInterface::TearDown();
  }
  std::string Snippet(const tlpp_stage_object& stageObj, int expectedStatus = TLPP_OK) {
    char* text = nullptr;
    size_t length = 0;
    EXPECT_EQ(tlpp_PlugIn_ParseSnippetFile(invoice, &stageObj, &text, &length, &error), expectedStatus)
        << error.description;
    std::string value = text != nullptr ? std::string(text, length) : "";
    tlpp_FreeString(text);
    return value;
  }

  Host host;
  tlpp_stage_object stage{&host, RecordParseSnippet, AnswerPCode};
  tlpp_object* invoice = nullptr;
  TempDir publish;
};

TEST_F(CInvoice, TextsFromTheHostMustBeUtf8) {
  char* value = reinterpret_cast<char*>(&error);
  EXPECT_EQ(tlpp_PlugIn_GetParam(invoice, "IBAN", "d\xE9", &value, &error), TLPP_E_ARGUMENT);
  EXPECT_EQ(value, nullptr);
  EXPECT_EQ(error.number, 5);
  EXPECT_NE(std::string(error.description).find("StoreLang"), std::string::npos);

  // A refused path is not stored: the collection still holds its plug-ins.
  EXPECT_EQ(tlpp_PlugIns_let_PlugInsPath(plugIns, "/tmp/\xC0\xAF", &error), TLPP_E_ARGUMENT);
  int32_t count = 0;
  ASSERT_EQ(tlpp_PlugIns_get_Count(plugIns, &count, &error), TLPP_OK);
  EXPECT_EQ(count, 3);

  // Omitted optional texts are "".
  ASSERT_EQ(tlpp_PlugIn_GetParam(invoice, "IBAN", nullptr, &value, &error), TLPP_OK);
  EXPECT_EQ(Take(value), "DE89 3704 0044 0532 0130 00");
  ASSERT_EQ(tlpp_PlugIn_get_Name(invoice, nullptr, &value, &error), TLPP_OK);
  char* named = nullptr;
  ASSERT_EQ(tlpp_PlugIn_get_Name(invoice, "", &named, &error), TLPP_OK);
  EXPECT_EQ(Take(value), Take(named));
}

TEST_F(CInvoice, BooleansAreAutomationBooleans) {
  tlpp_bool value = 7;
  ASSERT_EQ(tlpp_PlugIn_get_IsActive(invoice, &value, &error), TLPP_OK);
  EXPECT_EQ(value, -1);
  ASSERT_EQ(tlpp_PlugIn_let_IsActive(invoice, TLPP_FALSE, &error), TLPP_OK);
  ASSERT_EQ(tlpp_PlugIn_get_IsActive(invoice, &value, &error), TLPP_OK);
  EXPECT_EQ(value, 0);
  // Any non-zero value is true; the document shows it before any save.
  ASSERT_EQ(tlpp_PlugIn_let_IsActive(invoice, 2, &error), TLPP_OK);
  char* text = nullptr;
  size_t length = 0;
  ASSERT_EQ(tlpp_PlugIn_get_Config(invoice, &text, &length, &error), TLPP_OK);
  const std::string config = Take(text);
  EXPECT_EQ(config.size(), length);
  EXPECT_NE(config.find("active=\"true\""), std::string::npos);
  ASSERT_EQ(tlpp_PlugIn_get_Config(invoice, &text, nullptr, &error), TLPP_OK) << "the length is optional";
  EXPECT_EQ(Take(text), config);
  ASSERT_EQ(tlpp_PlugIn_get_IsUserDef(invoice, &value, &error), TLPP_OK);
  EXPECT_EQ(value, 0);
}

TEST_F(CInvoice, TheDialogWithoutADisplayIsANumberedError) {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
  const int16_t charSet = 0;
  EXPECT_EQ(tlpp_PlugIn_ShowConfigDialogue(invoice, "en", nullptr, &charSet, nullptr, &error), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 100995);
  EXPECT_NE(std::string(error.description).find("no display"), std::string::npos);  // said by the built module
  // An X display named where no server answers.
  setenv("DISPLAY", ":987", 1);
  EXPECT_EQ(tlpp_PlugIn_ShowConfigDialogue(invoice, "en", nullptr, &charSet, nullptr, &error), TLPP_E_ERROR);
  unsetenv("DISPLAY");
  EXPECT_NE(std::string(error.description).find("the X display \":987\" cannot be reached"), std::string::npos)
      << error.description;
}

TEST_F(CInvoice, TheSnippetIsTheBytesOfPCode) {
  host.pcode = std::string("a\0b\xFF", 4);
  EXPECT_EQ(Snippet(stage), host.pcode);
  ASSERT_EQ(host.texts.size(), 1u);
  EXPECT_EQ(host.texts[0], ReadFile(root / "invoice/plugin.html"));
  EXPECT_EQ(host.modes[0], 1);

  // Left at its default, the length is up to the NUL.
  stage.PCode = [](void*, const char** text, size_t*, tlpp_error*) {
    *text = "short";
    return 0;
  };
  EXPECT_EQ(Snippet(stage), "short");
}

TEST_F(CInvoice, TheSnippetPassesOnWhatTheHostReports) {
  host.failParseSnippet = 1004;
  Snippet(stage, TLPP_E_ERROR);
  EXPECT_EQ(error.number, 1004);
  EXPECT_STREQ(error.source, "ShopBuilder");
  EXPECT_STREQ(error.description, "template engine stopped");

  // A failure without a number is the automation error.
  host.failParseSnippet = -1;
  host.failPCode = true;
  Snippet(stage, TLPP_E_ERROR);
  EXPECT_EQ(error.number, 440);

  // A member the host left out.
  stage.PCode = nullptr;
  Snippet(stage, TLPP_E_ERROR);
  EXPECT_EQ(error.number, 438);
}

TEST_F(CInvoice, StagingGoesOnPastFailingCallbacks) {
  stage.ParseSnippet = nullptr;
  ASSERT_EQ(tlpp_PlugIn_CopyPlugInFiles(invoice, publish.path().c_str(), &stage, &error), TLPP_OK);
  EXPECT_EQ(ReadFile(publish / "tlinvoice/images/logo.gif"), ReadFile(root / "invoice/images/logo.gif"));

  stage.ParseSnippet = RecordParseSnippet;
  host.failParseSnippet = 5;
  host.pcode = "after the failure";
  ASSERT_EQ(tlpp_PlugIn_CopyPlugInFiles(invoice, publish.path().c_str(), &stage, &error), TLPP_OK);
  EXPECT_EQ(host.texts.size(), 1u);
  EXPECT_NE(ReadFile(publish / "tlinvoice/plugin.html"), ReadFile(root / "invoice/plugin.html"));
}

}  // namespace

TEST_F(CInvoice, TheCheckAndTheManifestAreTheLibrarysLines) {
  char* findings = nullptr;
  ASSERT_EQ(tlpp_PlugIn_PublishCheck(invoice, "de,en", &findings, &error), TLPP_OK) << error.description;
  EXPECT_EQ(Take(findings),
            "TLInvoice\ten\twarning\tThe dialog would show empty captions for: "
            "FormTabReportSuccessCaption.\n"
            "TLInvoice\t*\terror\tThe declared file \"rechnungsvorlage.rtf\" "
            "is missing from the plug-in folder.\n");
  ASSERT_EQ(tlpp_PlugIn_PublishFindings(invoice, "en", &findings, &error), TLPP_OK) << error.description;
  EXPECT_EQ(Take(findings).rfind("TLInvoice\ten\twarning\tempty-caption\tThe dialog would show", 0), 0u);

  ASSERT_EQ(tlpp_PlugIn_CopyPlugInFiles(invoice, publish.path().c_str(), &stage, &error), TLPP_OK);
  char* manifest = nullptr;
  ASSERT_EQ(tlpp_PlugIn_StageManifest(invoice, publish.path().c_str(), &manifest, &error), TLPP_OK);
  const std::string lines = Take(manifest);
  EXPECT_EQ(lines.rfind("folder    tlinvoice/\n", 0), 0u) << lines;
  EXPECT_NE(lines.find("rendered  tlinvoice/plugin.html  "), std::string::npos) << lines;
}

TEST_F(CInterface, TheFolderLockMakesASecondWriterWaitAndFailOrGoOn) {
  tlpp_plugin_lock* first = nullptr;
  tlpp_plugin_lock* second = nullptr;
  EXPECT_EQ(tlpp_PlugInLock_Acquire((root / "invoice").c_str(), -1, &first, &error), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 5);
  ASSERT_EQ(tlpp_PlugInLock_Acquire((root / "invoice").c_str(), 0, &first, &error), TLPP_OK) << error.description;
  EXPECT_NE(tlpp_PlugInLock_Acquire((root / "invoice").c_str(), 50, &second, &error), TLPP_OK);
  EXPECT_EQ(error.number, 100996);
  EXPECT_EQ(second, nullptr);
  std::thread release([first] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    tlpp_PlugInLock_Release(first);
  });
  EXPECT_EQ(tlpp_PlugInLock_Acquire((root / "invoice").c_str(), 60000, &second, &error), TLPP_OK) << "waited";
  release.join();
  tlpp_PlugInLock_Release(second);
}

TEST_F(CInterface, AnUpgradeIsPlannedAppliedAndRolledBack) {
  TempDir next;
  CopySample("creditcard", next / "creditcard");
  const std::string folder = root / "creditcard";
  const std::string config = ReadFile(folder + "/config.xml");
  char* lines = nullptr;
  tlpp_bool complete = TLPP_FALSE;
  EXPECT_EQ(tlpp_PlugInUpgrade_Plan(folder.c_str(), folder.c_str(), &lines, &complete, &error), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 100997);
  EXPECT_EQ(lines, nullptr);
  EXPECT_EQ(tlpp_PlugInUpgrade_Plan(folder.c_str(), (next / "creditcard").c_str(), nullptr, &complete, &error),
            TLPP_E_ARGUMENT);
  ASSERT_EQ(tlpp_PlugInUpgrade_Plan(folder.c_str(), (next / "creditcard").c_str(), &lines, &complete, &error), TLPP_OK)
      << error.description;
  const std::string plan = Take(lines);
  EXPECT_EQ(complete, TLPP_TRUE);
  EXPECT_NE(plan.find("carried\tMerchantId\t\t4711000123\t4711000123\n"), std::string::npos) << plan;
  EXPECT_NE(plan.find("carried\tApiKey\t\t(secret)\t(secret)\n"), std::string::npos) << plan;

  char* backup = nullptr;
  // A failed call leaves every output empty, so that a host may free them.
  lines = reinterpret_cast<char*>(&error);
  EXPECT_EQ(tlpp_PlugInUpgrade_Apply(folder.c_str(), folder.c_str(), 0, nullptr, &backup, &lines, nullptr, &error),
            TLPP_E_ERROR);
  EXPECT_EQ(lines, nullptr);
  EXPECT_EQ(backup, nullptr);
  ASSERT_EQ(tlpp_PlugInUpgrade_Apply(folder.c_str(), (next / "creditcard").c_str(), 0, nullptr, &backup, &lines,
                                     nullptr, &error),
            TLPP_OK)
      << error.description;
  EXPECT_EQ(Take(lines), plan);
  const std::string backupPath = Take(backup);
  EXPECT_EQ(ReadFile(backupPath + "/config.xml"), config);
  WriteFile(folder + "/config.xml", "<changed/>");
  char* restored = nullptr;
  ASSERT_EQ(tlpp_PlugInUpgrade_Rollback(folder.c_str(), 0, "", &restored, &error), TLPP_OK) << error.description;
  EXPECT_EQ(Take(restored), backupPath);
  EXPECT_EQ(ReadFile(folder + "/config.xml"), config);
}
