#include "plugin/PlugIn.h"

#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"
#include "plugin/LanguageResolution.h"
#include "plugin/PlugInErrors.h"

namespace TLPaymentPlugIns {

PlugIn::PlugIn() = default;

// The dialog goes first, then the document (members are destroyed in reverse
// order of declaration). Nothing is saved.
PlugIn::~PlugIn() = default;

std::string PlugIn::ConfigPath() const { return mConfigPath; }

void PlugIn::ConfigPath(const std::string& pConfigPath) {
  mConfigPath = pConfigPath;
  LoadConfiguration();
}

std::string PlugIn::ConfigFilePath() const { return Path::Join(mConfigPath, schema::kConfigFile); }

void PlugIn::LoadFirst() {
  if (!mLoaded) LoadConfiguration();
}

void PlugIn::LoadConfiguration() {
  if (mLoaded) return;
  if (mConfigPath.empty()) throw errors::ConfigPathNotPresentOnLoad();
  mConfig = std::make_shared<XmlDocument>();
  if (!mConfig->load(ConfigFilePath())) {
    // Where the document was refused, and why, travel with the error.
    const XmlParseResult& refused = mConfig->parseResult();
    Error malformed = errors::ConfigMalformed();
    throw malformed.At(refused.path, refused.line, refused.column).Because(refused.message);
  }
  mLoaded = true;
}

void PlugIn::SaveConfiguration() {
  if (mConfigPath.empty() || !mLoaded) throw errors::ConfigPathNotPresentOnSave();
  if (!mConfig) throw errors::ConfigFileNotPresent();
  mConfig->save(ConfigFilePath());
}

std::string PlugIn::IconPath() {
  // Every error, a load error included, gives "".
  try {
    LoadFirst();
    const std::string icon = Path::Join(mConfigPath, schema::kIconFile);
    return FileSystemObject().FileExists(icon) ? icon : std::string();
  } catch (...) {
    return {};
  }
}

std::string PlugIn::ID() {
  LoadFirst();
  return mConfig->selectSingleNode(schema::kQueryID).text();
}

std::string PlugIn::Name(const std::string& AppLang) {
  LoadFirst();
  const std::string code = LanguageResolution::Resolve(*mConfig, AppLang);
  return mConfig->selectSingleNode(schema::QueryInfoName(code)).text();
}

std::string PlugIn::Copyright(const std::string& AppLang) {
  LoadFirst();
  const std::string code = LanguageResolution::Resolve(*mConfig, AppLang);
  return mConfig->selectSingleNode(schema::QueryInfoCopyright(code)).text();
}

XmlDocument& PlugIn::Config() {
  LoadFirst();
  return *mConfig;
}

bool PlugIn::IsUserDef() {
  LoadFirst();
  const XmlNode userDefined = mConfig->documentElement().attributes().getNamedItem(schema::kUserDefined);
  return userDefined && userDefined.text() == schema::kTrue;
}

bool PlugIn::IsActive() {
  LoadFirst();
  return mConfig->documentElement().attributes().getNamedItem(schema::kActive).text() == schema::kTrue;
}

void PlugIn::IsActive(bool pIsActive) {
  LoadFirst();
  mConfig->documentElement()
      .attributes()
      .getNamedItem(schema::kActive)
      .text(pIsActive ? schema::kTrue : schema::kFalse);
}

}  // namespace TLPaymentPlugIns
