// An edited settings row goes back into the document at once, converted by
// the parameter's type; OK or Apply then saves it.
#include <string>

#include "dialog/LocaleNumbers.h"
#include "dialog/frmPlugIn.h"
#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {

// The element that holds the parameter's value: the one for the store
// language, or the plain one.
XmlNode ValueTarget(const XmlNode& P, const std::string& localValue, const std::string& storeLang) {
  return P.selectSingleNode(localValue == schema::kTrue ? schema::QueryValue(storeLang) : schema::kQueryValue);
}

bool IsEmptyContent(const Variant& content) {
  return content.IsEmpty() || (content.Holds<std::string>() && content.Get<std::string>().empty());
}

}  // namespace

void frmPlugIn::WriteBackValue(const std::shared_ptr<Row>& row, const std::string& /*text*/) {
  if (mLoading) return;
  if (!row) throw errors::ObjectNotSet();
  const std::string key = row->Key();
  XmlNode P = mPlugIn->Config().selectSingleNode(schema::QueryElementByName(key));
  const std::string type = CaseFold::Lower(P.attributes().getNamedItem(schema::kType).text());

  if (type == schema::kTypeCheck) {
    P.selectSingleNode(schema::kQueryChecked).text(row->IsChecked ? schema::kCheckedOn : schema::kCheckedOff);
  } else if (type == schema::kTypeInteger) {
    const std::string localValue = P.attributes().getNamedItem(schema::kLocalValue).text();
    if (!IsEmptyContent(row->Content)) {
      XmlNode target = ValueTarget(P, localValue, StoreLang);
      target.text(std::to_string(LocaleNumbers::ToInteger(row->Content)));
    }
  } else if (type == schema::kTypeCurrency) {
    const std::string localValue = P.attributes().getNamedItem(schema::kLocalValue).text();
    XmlNode target = ValueTarget(P, localValue, StoreLang);
    target.text(LocaleNumbers::ToText(NormaliseAmount(LocaleNumbers::ToText(row->Content))));
  } else if (type == schema::kTypeText || type == schema::kTypeMulti) {
    const std::string localValue = P.attributes().getNamedItem(schema::kLocalValue).text();
    XmlNode target = ValueTarget(P, localValue, StoreLang);
    target.text(LocaleNumbers::ToText(row->Content));
  }

  cmdApply.Enabled = true;
}

// After a failed write-back the row shows what the document holds.
void frmPlugIn::ShowDocumentValue(const std::shared_ptr<Row>& row) {
  if (!row) return;
  const auto found = mRowParams.find(row.get());
  if (found == mRowParams.end()) return;
  try {
    XmlNode P = found->second;
    GiveRowItsValue(*row, P, CaseFold::Lower(P.attributes().getNamedItem(schema::kType).text()));
  } catch (...) {
    // The row keeps the user's entry when the document's value cannot be
    // shown either.
  }
}

}  // namespace TLPaymentPlugIns
