// An edited settings row goes back into the document at once, converted by
// the parameter's type; OK or Apply then saves it.
#include <string>

#include "dialog/frmPlugIn.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"
#include "plugin/SettingsWriteBack.h"

namespace TLPaymentPlugIns {

void frmPlugIn::WriteBackValue(const std::shared_ptr<Row>& row, const std::string& /*text*/) {
  // Rows filled by the load write nothing back.
  if (mLoading) return;
  if (!row) throw errors::ObjectNotSet();
  // Into the document, converted by the parameter's type.
  SettingsWriteBack::Write(mPlugIn->Config(), row->Key(), StoreLang, row->Content, row->IsChecked);
  // Whatever was written, Apply is now on.
  cmdApply.Enabled = true;
}

// After a failed write-back the row shows what the document holds, without
// creating anything: the document and Apply stay as they were.
void frmPlugIn::ShowDocumentValue(const std::shared_ptr<Row>& row) {
  if (!row) return;
  const auto found = mRowParams.find(row.get());
  if (found == mRowParams.end()) return;
  try {
    XmlNode P = found->second;
    GiveRowItsValue(*row, P, ParamKind::Of(P), false);
  } catch (...) {
    // The row keeps the user's entry when the document's value cannot be
    // shown either.
  }
}

}  // namespace TLPaymentPlugIns
