// File staging: the plug-in's declared folders and files into the host's
// stage folder. Staging is silent: every step runs under Attempt, so a step
// that fails is abandoned, nothing reaches the host, and the next step runs.
// Nothing is read from outside the plug-in folder and nothing is written
// outside the stage folder (ConfinedFolder); a path that would leave them is
// one more failing step.
#include <memory>
#include <vector>

#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "plugin/PlugIn.h"
#include "staging/StageObject.h"
#include "staging/StagingPlan.h"

namespace TLPaymentPlugIns {

namespace {

// Runs one step of staging; a failure abandons that step and nothing more.
// True when the step ran to its end.
template <typename Step>
bool Attempt(Step&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

// The stream a step opened; 91 when opening it failed.
TextStream& Opened(const std::unique_ptr<TextStream>& stream) {
  if (!stream) throw errors::ObjectNotSet();
  return *stream;
}

}  // namespace

void PlugIn::CopyPlugInFiles(const std::string& pStagePath, StageObject* StageObj) {
  const FileSystemObject fso;

  // Load first; without a document nothing is staged.
  Attempt([&] { LoadFirst(); });
  if (!mConfig) return;

  // The stage folder must exist; it is never created.
  if (pStagePath.empty()) return;
  if (!Attempt([&] { fso.GetFolder(pStagePath); })) return;

  // All folders before any file.
  CreatePlugInFolders(pStagePath);

  // Every declared file, in document order, where the plan puts it.
  const StagingPlan plan(*mConfig, mConfigPath, pStagePath);
  std::vector<StagingPlan::File> files;
  Attempt([&] { files = plan.Files(); });
  for (const StagingPlan::File& file : files) {
    // Not staged without a destination.
    if (!file.staged) continue;

    if (file.rendered) {
      // Rendered through the host's staging object; without one, nothing at
      // all is written for the file.
      if (StageObj == nullptr) continue;
      std::unique_ptr<TextStream> source;
      std::unique_ptr<TextStream> destination;
      std::string text;
      std::string code;
      Attempt([&] {
        source =
            fso.OpenTextFile(file.source.Get(), FileSystemObject::ForReading, false, FileSystemObject::TristateFalse);
      });
      Attempt([&] {
        destination = fso.OpenTextFile(file.destination.Get(), FileSystemObject::ForWriting, true,
                                       FileSystemObject::TristateFalse);
      });
      Attempt([&] { text = Opened(source).ReadAll(); });
      // Mode 1: render for publishing. Both calls are made; a rendering
      // that failed is not written, since PCode may then still hold the
      // previous file's.
      const bool rendered = Attempt([&] { StageObj->ParseSnippet(text, 1); });
      const bool coded = Attempt([&] { code = StageObj->PCode(); });
      if (rendered && coded) Attempt([&] { Opened(destination).Write(code); });
      Attempt([&] { Opened(destination).Close(); });
      Attempt([&] { Opened(source).Close(); });
    } else {
      // A plain copy, byte for byte, over an existing destination.
      Attempt([&] { fso.CopyFile(file.source.Get(), file.destination.Get(), true); });
    }
  }
}

void PlugIn::CreatePlugInFolders(const std::string& pStagePath) {
  const FileSystemObject fso;
  const StagingPlan plan(*mConfig, mConfigPath, pStagePath);
  std::vector<StagingPlan::Folder> folders;
  Attempt([&] { folders = plan.Folders(); });
  // One level at a time: a folder whose parent is still missing fails alone.
  for (const StagingPlan::Folder& folder : folders) {
    Attempt([&] {
      const std::string& path = folder.path.Get();
      if (!fso.FolderExists(path)) fso.CreateFolder(path);
    });
  }
}

}  // namespace TLPaymentPlugIns
