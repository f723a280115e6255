#include "catalogue/PlugInScan.h"

#include "platform/FileSystemObject.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"

namespace TLPaymentPlugIns {

std::vector<PlugInScan::Result> PlugInScan::Run(const std::string& root) {
  const FileSystemObject fso;
  PlugIns::Items filed;
  std::vector<Result> results;
  for (Folder::Entry& entry : fso.GetFolder(root).SubFolderEntries()) {
    const std::string folderPath = FolderPath(root, entry.folder.Name());
    if (entry.problem) {
      results.push_back({folderPath, nullptr, std::move(entry.problem)});
      continue;
    }
    // A folder or a dangling link in the place of config.xml is reported,
    // not passed over as a folder without a plug-in.
    if (!fso.Exists(Path::Join(folderPath, schema::kConfigFile))) continue;
    try {
      results.push_back({folderPath, File(folderPath, filed), std::nullopt});
    } catch (const Error& error) {
      results.push_back({folderPath, nullptr, error});
    }
  }
  return results;
}

std::string PlugInScan::FolderPath(const std::string& root, const std::string& name) {
  return root + Path::kSeparator + name;
}

std::shared_ptr<PlugIn> PlugInScan::File(const std::string& folderPath, PlugIns::Items& items) {
  auto plugIn = std::make_shared<PlugIn>();
  plugIn->ConfigPath(folderPath);
  const std::string id = plugIn->ID();
  items.Add(plugIn, id);
  return plugIn;
}

}  // namespace TLPaymentPlugIns
