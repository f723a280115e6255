// The page snippet: plugin.html of the plug-in folder rendered through the
// host's staging object. Nothing is caught: the first failure reaches the
// caller, and the snippet file is closed on every path.
#include <memory>

#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"
#include "staging/ConfinedFolder.h"
#include "staging/StageObject.h"

namespace TLPaymentPlugIns {

std::string PlugIn::ParseSnippetFile(StageObject* StageObj) {
  const FileSystemObject fso;
  // The document as it is now; it is never loaded here.
  if (!mConfig) throw errors::ObjectNotSet();
  const ConfinedFolder plugInFolder(mConfigPath);

  // 1. Empty until something is rendered.
  std::string result;

  // 2. Every File named plugin.html in any letter case, in document order;
  // the last rendering is the result.
  for (const XmlNode& file : mConfig->selectNodes(schema::kQueryFiles)) {
    const XmlNode name = file.attributes().getNamedItem(schema::kName);
    if (!name) continue;
    if (CaseFold::Lower(name.text()) != schema::kSnippetFile) continue;
    if (StageObj == nullptr) continue;
    // The stream closes itself when a failure leaves early.
    const std::unique_ptr<TextStream> snippet = fso.OpenTextFile(
        plugInFolder.Join(name.text()), FileSystemObject::ForReading, false, FileSystemObject::TristateFalse);
    std::string text = snippet->ReadAll();
    // Mode 1: render for publishing.
    StageObj->ParseSnippet(text, 1);
    result = StageObj->PCode();
    snippet->Close();
  }

  // 3.
  return result;
}

}  // namespace TLPaymentPlugIns
