#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/XmlDocument.h"

namespace TLPaymentPlugIns {

class StageObject;
class frmPlugIn;

// One payment plug-in: a folder holding config.xml and the files the
// plug-in contributes to a published shop. The document is parsed at most
// once, on first need, and kept for the object's whole life; every read and
// edit goes to that one in-memory document and only SaveConfiguration
// writes it back. Hosts hold plug-ins by std::shared_ptr.
//
// The members are defined beside the subsystem they belong to:
// plugin/PlugIn.cpp (loading, saving, identity and flags),
// plugin/ParameterLookup.cpp (GetParam), staging/FileStaging.cpp
// (CopyPlugInFiles), staging/SnippetFile.cpp (ParseSnippetFile),
// staging/ParameterRendering.cpp (ParseParam) and
// dialog/ShowConfigDialogue.cpp (ShowConfigDialogue).
class PlugIn {
 public:
  PlugIn();
  ~PlugIn();
  PlugIn(const PlugIn&) = delete;
  PlugIn& operator=(const PlugIn&) = delete;

  // Character sets for the dialog's fonts: captions and controls, and the
  // settings editor.
  int16_t mCharSet = 0;
  int16_t mCharSetIO = 0;

  // Never load.
  std::string ConfigPath() const;
  // Stores the folder as given, then loads; a load error is raised and the
  // path stays stored.
  void ConfigPath(const std::string& pConfigPath);

  // Load first; a load error is raised (IconPath answers "" instead).
  std::string IconPath();
  std::string ID();
  std::string Name(const std::string& AppLang = "");
  std::string Copyright(const std::string& AppLang = "");
  // The live document, shared by reference.
  XmlDocument& Config();
  bool IsUserDef();
  bool IsActive();
  // In memory only; SaveConfiguration writes it.
  void IsActive(bool pIsActive);
  // Never raises: "" when no value can be found.
  std::string GetParam(const std::string& ParamName, const std::string& StoreLang = "");

  void LoadConfiguration();
  void SaveConfiguration();

  // Opens the modal configuration dialog and returns when it is closed.
  void ShowConfigDialogue(const std::string& AppLang = "", const std::string& StoreLang = "", int16_t CharSet = 0,
                          int16_t CharSetIO = 0);

  // Staging into a publish folder; silent, never raises.
  void CopyPlugInFiles(const std::string& pStagePath, StageObject* StageObj);
  // The rendered page snippet; failures reach the caller.
  std::string ParseSnippetFile(StageObject* StageObj);
  // One rendered parameter reference; failures reach the caller.
  std::string ParseParam(const std::string& strParam, const std::string& StoreLang = "");

 private:
  friend class frmPlugIn;
  friend class DialogProbe;

  void LoadFirst();
  std::string ConfigFilePath() const;
  void CreatePlugInFolders(const std::string& pStagePath);
  static std::string GetParamAttribute(const std::string& strParam, const std::string& AttributeName);

  std::string mConfigPath;
  std::shared_ptr<XmlDocument> mConfig;
  std::shared_ptr<frmPlugIn> mDialog;
  bool mLoaded = false;
};

}  // namespace TLPaymentPlugIns
