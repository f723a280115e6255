#include "dialog/DialogModule.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <system_error>

#include "platform/ErrorCodes.h"
#include "plugin/PlugInErrors.h"

namespace TLPaymentPlugIns {

namespace {

// The folder of the program or shared object that holds this code.
std::filesystem::path OwnFolder() {
  Dl_info info{};
  link_map* map = nullptr;
  std::error_code ec;
  std::filesystem::path self;
  if (dladdr1(reinterpret_cast<void*>(&OwnFolder), &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) != 0 &&
      map != nullptr && map->l_name != nullptr && map->l_name[0] != '\0') {
    self = map->l_name;
  } else {
    // The main program's link map has no name.
    self = std::filesystem::read_symlink("/proc/self/exe", ec);
  }
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(self, ec);
  return (ec ? self : resolved).parent_path();
}

std::string LastLoadError() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown reason";
}

}  // namespace

std::shared_ptr<DialogFrontend> DialogModule::Load(const std::string& installedPath,
                                                   const std::string& screenshotFolder) {
  const std::filesystem::path installed = (OwnFolder() / installedPath).lexically_normal();
  const std::string fileName = installed.filename().string();
  std::error_code ec;
  const bool isInstalled = std::filesystem::exists(installed, ec);
  void* module = dlopen(isInstalled ? installed.c_str() : fileName.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (module == nullptr) {
    const std::string reason = LastLoadError();
    // Not found at all, as opposed to found with a library of its own missing.
    if (!isInstalled && reason.rfind(fileName + ":", 0) == 0) {
      throw errors::DialogUnavailable("the Qt dialog module " + installed.string() +
                                      " is missing (the package " TLPP_DIALOG_PACKAGE " installs it)");
    }
    throw errors::DialogUnavailable("the Qt dialog module cannot be loaded: " + reason);
  }
  const auto create = reinterpret_cast<EntryPoint>(dlsym(module, kEntryPoint));
  if (create == nullptr) {
    throw errors::DialogUnavailable("the Qt dialog module has no entry point " + std::string(kEntryPoint));
  }
  return std::shared_ptr<DialogFrontend>(create(screenshotFolder.empty() ? nullptr : screenshotFolder.c_str()));
}

}  // namespace TLPaymentPlugIns
