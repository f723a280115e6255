// The Advanced tab: one row per visible parameter, groups with their
// members one level deeper, values in the store language.
#include <cstdint>
#include <string>

#include "dialog/LocaleNumbers.h"
#include "dialog/frmPlugIn.h"
#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {

constexpr uint32_t kButtonShadowColor = 0x80000010;

std::string Attribute(const XmlNode& element, const char* name) {
  return element.attributes().getNamedItem(name).text();
}

// The row kind of a lower-cased parameter type, or 0 for a type that gets
// no row.
int KindOf(const std::string& type) {
  if (type == schema::kTypeMulti) return KindMulti;
  if (type == schema::kTypeInteger) return KindEntry;
  if (type == schema::kTypeCurrency) return KindEntry;
  if (type == schema::kTypeText) return KindEntry;
  if (type == schema::kTypeCheck) return KindCheck;
  if (type == schema::kTypeGroup) return KindGroup;
  return 0;
}

// Counts characters as the runtime's 16-bit string length does.
std::size_t Utf16Length(const std::string& utf8) {
  std::size_t length = 0;
  for (const unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++length;
    if (c >= 0xF0) ++length;  // a surrogate pair
  }
  return length;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void frmPlugIn::BuildSettingsView() {
  XmlDocument& config = mPlugIn->Config();
  SSCPlugInActive.Value(Attribute(config.documentElement(), schema::kActive) == schema::kTrue ? 1 : 0);
  TLUSettings.Rows().Clear();
  mRowParams.clear();
  if (config.selectNodes(schema::kQueryTopParams).length() < 1) {
    SSAPlugIn.TabFor(SSPPlugInAdvanced).Enabled = false;
    return;
  }
  for (XmlNode P : config.selectNodes(schema::kQueryTopParams)) AddParamRow(P, 0);
}

void frmPlugIn::AddParamRow(XmlNode& P, int16_t Depth) {
  if (Attribute(P, schema::kReadOnly) != schema::kFalse) return;
  const std::string type = CaseFold::Lower(Attribute(P, schema::kType));
  const int kind = KindOf(type);
  if (kind == 0) return;
  const std::string key = Attribute(P, schema::kName);
  const std::shared_ptr<Row> row = TLUSettings.Rows().Add(0, key, "", kind);
  mRowParams[row.get()] = P;

  if (type != schema::kTypeGroup) {
    row->Label = P.selectSingleNode(schema::QueryDesc(AppLang)).text();
    row->Description = P.selectSingleNode(schema::QueryDesc(AppLang)).text();
    GiveRowItsValue(*row, P, type);
    row->Level = Depth;
    return;
  }
  row->GroupColor = kButtonShadowColor;
  row->Label = P.selectSingleNode(schema::QueryGroupCaption(AppLang)).text();
  if (Depth == INT16_MAX) throw errors::Overflow();
  for (XmlNode member : P.selectNodes(schema::kQueryMembers)) AddParamRow(member, static_cast<int16_t>(Depth + 1));
  row->GroupState = false;
  row->Level = Depth;
}

// The value of a non-group parameter, as its row shows it.
void frmPlugIn::GiveRowItsValue(Row& row, XmlNode& P, const std::string& type) {
  if (type == schema::kTypeMulti || type == schema::kTypeText) {
    row.Content = ReadParamValue(P);
  } else if (type == schema::kTypeInteger) {
    // An empty value (a per-language value just created) shows an empty
    // entry: there is no number to show.
    const std::string value = ReadParamValue(P);
    row.Content = value.empty() ? Variant() : Variant(LocaleNumbers::ToInteger(value));
  } else if (type == schema::kTypeCurrency) {
    row.Content = NormaliseAmount(ReadParamValue(P));
  } else if (type == schema::kTypeCheck) {
    row.IsChecked = P.selectSingleNode(schema::kQueryChecked).text() == schema::kCheckedOn;
  }
}

std::string frmPlugIn::ReadParamValue(XmlNode& P) {
  if (Attribute(P, schema::kLocalValue) != schema::kTrue) return P.selectSingleNode(schema::kQueryValue).text();
  if (P.selectSingleNode(schema::QueryValue(StoreLang))) return P.selectSingleNode(schema::QueryValue(StoreLang)).text();

  XmlDocument& config = mPlugIn->Config();
  XmlNode value = config.createNode(XmlDocument::NODE_ELEMENT, schema::kValueElement, "");
  P.appendChild(value);
  XmlNode lang = config.createNode(XmlDocument::NODE_ATTRIBUTE, schema::kLang, "");
  value.attributes().setNamedItem(lang);
  lang.text(StoreLang);
  cmdApply.Enabled = true;
  return "";
}

Variant frmPlugIn::NormaliseAmount(const std::string& T) {
  if (Utf16Length(T) > INT16_MAX) throw errors::Overflow();
  std::string R;
  bool comma = false;
  for (const char c : T) {
    if (!IsDigit(c) && c != ',' && c != '.') continue;
    if (IsDigit(c) || c == '.') {
      R += c;
    } else {
      if (!comma) R += c;
      comma = true;
    }
  }
  if (R.empty()) return Variant("0");
  return LocaleNumbers::ToCurrency(R);
}

}  // namespace TLPaymentPlugIns
