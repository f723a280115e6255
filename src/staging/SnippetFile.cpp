// The page snippet: plugin.html of the plug-in folder rendered through the
// host's staging object. Nothing is caught: the first failure reaches the
// caller, and the snippet file is closed on every path.
#include <memory>

#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "plugin/PlugIn.h"
#include "staging/StageObject.h"
#include "staging/StagingPlan.h"

namespace TLPaymentPlugIns {

std::string PlugIn::ParseSnippetFile(StageObject* StageObj) {
  const FileSystemObject fso;
  // The document as it is now; it is never loaded here.
  if (!mConfig) throw errors::ObjectNotSet();

  // Empty until something is rendered.
  std::string result;

  // Every File named plugin.html in any letter case, in document order; the
  // last rendering is the result.
  for (const StagingPlan::Snippet& snippet : StagingPlan(*mConfig, mConfigPath, "").Snippets()) {
    if (StageObj == nullptr) continue;
    // The stream closes itself when a failure leaves early.
    const std::unique_ptr<TextStream> stream =
        fso.OpenTextFile(snippet.source.Get(), FileSystemObject::ForReading, false, FileSystemObject::TristateFalse);
    std::string text = stream->ReadAll();
    // Mode 1: render for publishing.
    StageObj->ParseSnippet(text, 1);
    result = StageObj->PCode();
    stream->Close();
  }

  return result;
}

}  // namespace TLPaymentPlugIns
