#include "catalogue/PlugIns.h"

#include "catalogue/PlugInScan.h"
#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "platform/MessageBox.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"

namespace TLPaymentPlugIns {

namespace {
constexpr const char* kFolderMissing = "PlugIn Folder does not exist";
}

std::string PlugIns::PlugInsPath() const { return mPlugInsPath; }

void PlugIns::PlugInsPath(const std::string& pPlugInsPath) {
  mPlugInsPath = pPlugInsPath;
  LoadPlugIns();
}

// No handler: a plug-in that cannot be loaded, has no ID or repeats an ID
// ends the scan with that error; the plug-ins filed before it stay.
void PlugIns::LoadPlugIns() {
  mPlugIns.emplace();
  const FileSystemObject fso;
  if (!fso.FolderExists(mPlugInsPath)) {
    MessageBox::Show(kFolderMissing);
    return;
  }
  for (const Folder& subFolder : fso.GetFolder(mPlugInsPath).SubFolders()) {
    const std::string folderPath = PlugInScan::FolderPath(mPlugInsPath, subFolder.Name());
    if (!fso.FileExists(Path::Join(folderPath, schema::kConfigFile))) continue;
    PlugInScan::File(folderPath, *mPlugIns);
  }
}

const PlugIns::Items& PlugIns::plugIns() const {
  if (!mPlugIns) throw errors::ObjectNotSet();
  return *mPlugIns;
}

int32_t PlugIns::Count() const { return plugIns().Count(); }

std::shared_ptr<PlugIn> PlugIns::Item(int32_t Index) const { return plugIns().Item(Index); }

std::shared_ptr<PlugIn> PlugIns::Item(const std::string& Index) const { return plugIns().Item(Index); }

PlugIns::Items::const_iterator PlugIns::begin() const { return plugIns().begin(); }

PlugIns::Items::const_iterator PlugIns::end() const { return plugIns().end(); }

}  // namespace TLPaymentPlugIns
