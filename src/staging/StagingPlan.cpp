#include "staging/StagingPlan.h"

#include "platform/CaseFold.h"
#include "platform/Path.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeList.h"
#include "plugin/ConfigSchema.h"

namespace TLPaymentPlugIns {

namespace {

std::string Attribute(const XmlNode& element, const char* name) {
  return element.attributes().getNamedItem(name).text();
}

}  // namespace

StagingPlan::StagingPlan(const XmlDocument& config, const std::string& plugInFolder, const std::string& stagePath)
    : mConfig(config), mStagePath(stagePath), mStage(stagePath), mPlugInFolder(plugInFolder) {}

std::vector<StagingPlan::Folder> StagingPlan::Folders() const {
  std::vector<Folder> folders;
  for (const XmlNode& folder : mConfig.selectNodes(schema::kQueryFolders)) {
    folders.push_back({folder, PlannedPath::Form([&] {
                         // stage path + parentFolder ("" or "\parent") + "\" + name
                         const std::string parent =
                             mStagePath + Path::FromDocument(Attribute(folder, schema::kParentFolder));
                         return mStage.Confine(Path::Join(parent, Attribute(folder, schema::kName)));
                       })});
  }
  return folders;
}

std::vector<StagingPlan::File> StagingPlan::Files() const {
  std::vector<File> files;
  for (const XmlNode& file : mConfig.selectNodes(schema::kQueryFiles)) {
    File planned;
    planned.element = file;
    planned.source = PlannedPath::Form([&] { return mPlugInFolder.Join(Attribute(file, schema::kName)); });
    const XmlNode remoteFile = file.attributes().getNamedItem(schema::kRemoteFile);
    if (remoteFile) {
      planned.staged = true;
      const XmlNode parse = file.attributes().getNamedItem(schema::kParse);
      planned.rendered = parse && parse.text() == schema::kTrue;
      planned.destination = PlannedPath::Form([&] { return mStage.Join(remoteFile.text()); });
    }
    files.push_back(std::move(planned));
  }
  return files;
}

std::vector<StagingPlan::Snippet> StagingPlan::Snippets() const {
  std::vector<Snippet> snippets;
  for (const XmlNode& file : mConfig.selectNodes(schema::kQueryFiles)) {
    const XmlNode name = file.attributes().getNamedItem(schema::kName);
    if (!name || CaseFold::Lower(name.text()) != schema::kSnippetFile) continue;
    snippets.push_back({file, PlannedPath::Form([&] { return mPlugInFolder.Join(name.text()); })});
  }
  return snippets;
}

}  // namespace TLPaymentPlugIns
