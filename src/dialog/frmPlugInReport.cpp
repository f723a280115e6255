// The Report tab: whether each resource file the plug-in needs is there.
#include <string>

#include "dialog/frmPlugIn.h"
#include "platform/FileSystemObject.h"
#include "platform/Path.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {
constexpr uint32_t kFoundColor = 0x009900;    // red 0, green 153, blue 0
constexpr uint32_t kMissingColor = 0x000099;  // red 153, green 0, blue 0
constexpr const char* kFoundSentence = "Keine Fehler.";
constexpr const char* kMissingSentence =
    "Die benötigte Datei wurde nicht gefunden. Diese Datei ist für die Verwendung notwendig.";
}  // namespace

void frmPlugIn::BuildReport() {
  const FileSystemObject fso;
  TLUReport.Rows().Clear();
  XmlDocument& config = mPlugIn->Config();
  if (config.selectNodes(schema::kQueryResourceFiles).length() < 1) {
    SSAPlugIn.TabFor(SSPPlugInReport).Enabled = false;
    return;
  }
  for (const XmlNode& file : config.selectNodes(schema::kQueryResourceFiles)) {
    const std::string name = file.attributes().getNamedItem(schema::kName).text();
    const std::string fullPath = Path::Join(mPlugIn->ConfigPath(), name);
    const std::shared_ptr<Row> row = TLUReport.Rows().Add(0, name, fullPath, KindStatus);
    if (fso.FileExists(fullPath)) {
      row->StateColor = kFoundColor;
      row->Content = LookupCaption("FormTabReportSuccessCaption");
      row->Description = fullPath + "\r\n\r\n" + kFoundSentence;
    } else {
      row->StateColor = kMissingColor;
      row->Content = LookupCaption("FormTabReportFailureCaption");
      row->Description = fullPath + "\r\n\r\n" + kMissingSentence;
    }
  }
}

}  // namespace TLPaymentPlugIns
