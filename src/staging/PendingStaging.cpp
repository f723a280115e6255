// Staging members, until the staging subsystem lands.
#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

void PlugIn::CopyPlugInFiles(const std::string&, StageObject*) { throw errors::NotImplemented("CopyPlugInFiles"); }
void PlugIn::CreatePlugInFolders(const std::string&) {}
std::string PlugIn::ParseSnippetFile(StageObject*) { throw errors::NotImplemented("ParseSnippetFile"); }
std::string PlugIn::ParseParam(const std::string&, const std::string&) {
  throw errors::NotImplemented("ParseParam");
}
std::string PlugIn::GetParamAttribute(const std::string&, const std::string&) { return {}; }

}  // namespace TLPaymentPlugIns
