// The dialog through the C interface on Qt's offscreen platform: the library
// loads the Qt module when the first dialog opens, from beside its installed
// self or along the build tree's run path, and without it raises 100995.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "tlpaymentplugins.h"

using testing_support::CopySample;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

// The calls that open a dialog, from the linked library or from a copy.
struct DialogCalls {
  decltype(&tlpp_CreateObject) create = tlpp_CreateObject;
  decltype(&tlpp_PlugIn_let_ConfigPath) configPath = tlpp_PlugIn_let_ConfigPath;
  decltype(&tlpp_PlugIn_ShowConfigDialogue) show = tlpp_PlugIn_ShowConfigDialogue;
  decltype(&tlpp_Release) release = tlpp_Release;
};

template <typename F>
void Resolve(void* library, const char* name, F& function) {
  function = reinterpret_cast<F>(dlsym(library, name));
  ASSERT_NE(function, nullptr) << name;
}

DialogCalls CallsOfCopy(const std::filesystem::path& copy) {
  void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  DialogCalls calls;
  EXPECT_NE(library, nullptr) << dlerror();
  if (library == nullptr) return calls;
  Resolve(library, "tlpp_CreateObject", calls.create);
  Resolve(library, "tlpp_PlugIn_let_ConfigPath", calls.configPath);
  Resolve(library, "tlpp_PlugIn_ShowConfigDialogue", calls.show);
  Resolve(library, "tlpp_Release", calls.release);
  return calls;
}

class DialogModule : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ASSERT_NE(dlopen(TLPP_DIALOG_ANSWERER, RTLD_NOW | RTLD_LOCAL), nullptr) << dlerror();
    CopySample("invoice", plugIn);
  }
  // Opens the dialog on the sample, which the answerer switches off and saves.
  int Open(const DialogCalls& calls) {
    tlpp_object* object = nullptr;
    EXPECT_EQ(calls.create("TLPaymentPlugIns.PlugIn", &object, nullptr), TLPP_OK);
    EXPECT_EQ(calls.configPath(object, plugIn.c_str(), nullptr), TLPP_OK);
    const int status = calls.show(object, "en", nullptr, nullptr, nullptr, &error);
    calls.release(object, nullptr);
    return status;
  }
  bool ActiveOnDisk() const { return ReadFile(plugIn + "/config.xml").find("active=\"true\"") != std::string::npos; }

  TempDir root;
  const std::string plugIn = root / "invoice";
  tlpp_error error{};
};

TEST_F(DialogModule, TheBuiltModuleIsFoundAlongTheRunPath) {
  ASSERT_EQ(Open(DialogCalls{}), TLPP_OK) << error.description;
  EXPECT_FALSE(ActiveOnDisk());
}

TEST_F(DialogModule, AnInstalledLibraryFindsTheModuleBesideItOrNamesItAsMissing) {
  const TempDir prefix;
  const std::filesystem::path built(TLPP_C_LIBRARY);
  const std::filesystem::path installed = std::filesystem::path(prefix.path()) / "lib" / built.filename();
  const std::filesystem::path module = installed.parent_path() / TLPP_DIALOG_MODULE_PATH;
  std::filesystem::create_directories(module.parent_path());
  std::filesystem::copy_file(built, installed);
  std::filesystem::copy_file(TLPP_DIALOG_MODULE, module);
  ASSERT_EQ(Open(CallsOfCopy(installed)), TLPP_OK) << error.description;
  EXPECT_FALSE(ActiveOnDisk());

  // Another copy, with no module beside it: nothing is shown or changed.
  const std::filesystem::path alone = std::filesystem::path(prefix.path()) / "alone" / built.filename();
  std::filesystem::create_directories(alone.parent_path());
  std::filesystem::copy_file(built, alone);
  const std::string before = ReadFile(plugIn + "/config.xml");
  ASSERT_EQ(Open(CallsOfCopy(alone)), TLPP_E_ERROR);
  EXPECT_EQ(error.number, 100995);
  EXPECT_NE(std::string(error.description).find(module.filename().string() + " is missing"), std::string::npos)
      << error.description;
  EXPECT_EQ(ReadFile(plugIn + "/config.xml"), before);
}

}  // namespace
