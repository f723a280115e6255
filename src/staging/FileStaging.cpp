// File staging: the plug-in's declared folders and files into the host's
// stage folder. Staging is silent: every step runs under Attempt, so a step
// that fails is abandoned, nothing reaches the host, and the next step runs.
// Nothing is read from outside the plug-in folder and nothing is written
// outside the stage folder (ConfinedFolder); a path that would leave them is
// one more failing step.
#include <memory>

#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"
#include "staging/ConfinedFolder.h"
#include "staging/StageObject.h"

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

std::string Attribute(const XmlNode& element, const char* name) {
  return element.attributes().getNamedItem(name).text();
}

}  // namespace

void PlugIn::CopyPlugInFiles(const std::string& pStagePath, StageObject* StageObj) {
  const FileSystemObject fso;

  // 1. Load first; without a document nothing is staged.
  Attempt([&] { LoadFirst(); });
  if (!mConfig) return;

  // 2, 3. The stage folder must exist; it is never created.
  if (pStagePath.empty()) return;
  if (!Attempt([&] { fso.GetFolder(pStagePath); })) return;

  // 4. All folders before any file.
  CreatePlugInFolders(pStagePath);

  // 5. Every declared file, in document order.
  const ConfinedFolder stage(pStagePath);
  const ConfinedFolder plugInFolder(mConfigPath);
  XmlNodeList files;
  Attempt([&] { files = mConfig->selectNodes(schema::kQueryFiles); });
  for (const XmlNode& file : files) {
    // 5.1 Not staged without a destination.
    const XmlNode remoteFile = file.attributes().getNamedItem(schema::kRemoteFile);
    if (!remoteFile) continue;

    const XmlNode parse = file.attributes().getNamedItem(schema::kParse);
    if (parse && parse.text() == schema::kTrue) {
      // 5.2 Rendered through the host's staging object; without one, nothing
      // at all is written for the file.
      if (StageObj == nullptr) continue;
      std::unique_ptr<TextStream> source;
      std::unique_ptr<TextStream> destination;
      std::string text;
      std::string code;
      Attempt([&] {
        source = fso.OpenTextFile(plugInFolder.Join(Attribute(file, schema::kName)), FileSystemObject::ForReading,
                                  false, FileSystemObject::TristateFalse);
      });
      Attempt([&] {
        destination = fso.OpenTextFile(stage.Join(remoteFile.text()), FileSystemObject::ForWriting, true,
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
      // 5.3 A plain copy, byte for byte, over an existing destination.
      Attempt([&] {
        fso.CopyFile(plugInFolder.Join(Attribute(file, schema::kName)), stage.Join(remoteFile.text()), true);
      });
    }
  }
}

void PlugIn::CreatePlugInFolders(const std::string& pStagePath) {
  const FileSystemObject fso;
  const ConfinedFolder stage(pStagePath);
  XmlNodeList folders;
  Attempt([&] { folders = mConfig->selectNodes(schema::kQueryFolders); });
  // One level at a time: a folder whose parent is still missing fails alone.
  for (const XmlNode& folder : folders) {
    Attempt([&] {
      // stage path + parentFolder ("" or "\parent") + "\" + name
      const std::string parent = pStagePath + Path::FromDocument(Attribute(folder, schema::kParentFolder));
      const std::string path = stage.Confine(Path::Join(parent, Attribute(folder, schema::kName)));
      if (!fso.FolderExists(path)) fso.CreateFolder(path);
    });
  }
}

}  // namespace TLPaymentPlugIns
