#pragma once

#include <string>
#include <vector>

#include "platform/XmlDocument.h"
#include "staging/ConfinedFolder.h"
#include "staging/PlannedPath.h"

namespace TLPaymentPlugIns {

// What staging does with a plug-in's declared folders and files, worked out
// from its document before anything is touched: where each folder is
// created, where each file is read and written and how, and which files are
// page snippets. Staging follows the plan step by step; the publish check and
// the stage manifest read the same plan, so they never disagree with it.
class StagingPlan {
 public:
  struct Folder {
    XmlNode element;
    // stage folder + parentFolder + "/" + name, confined to the stage.
    PlannedPath path;
  };
  struct File {
    XmlNode element;
    // Staged only with a remoteFile; rendered when parse is exactly "true".
    bool staged = false;
    bool rendered = false;
    // plug-in folder + name, confined to the plug-in folder.
    PlannedPath source;
    // stage folder + remoteFile, confined to the stage; empty unless staged.
    PlannedPath destination;
  };
  struct Snippet {
    XmlNode element;
    PlannedPath source;
  };

  // Folders are resolved here, once. An empty stage path confines nothing:
  // every destination is outside.
  StagingPlan(const XmlDocument& config, const std::string& plugInFolder, const std::string& stagePath);

  // Each in document order; raise only when the document cannot be queried.
  std::vector<Folder> Folders() const;
  std::vector<File> Files() const;
  // The declared files named plugin.html in any letter case.
  std::vector<Snippet> Snippets() const;

  const ConfinedFolder& Stage() const { return mStage; }

 private:
  const XmlDocument& mConfig;
  std::string mStagePath;
  ConfinedFolder mStage;
  ConfinedFolder mPlugInFolder;
};

}  // namespace TLPaymentPlugIns
