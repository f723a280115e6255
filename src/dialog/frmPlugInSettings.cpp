// The Advanced tab: one row per visible parameter, groups with their
// members one level deeper, values in the store language.
#include <cstdint>
#include <string>

#include "dialog/LocaleNumbers.h"
#include "dialog/frmPlugIn.h"
#include "dialog/ParamValues.h"
#include "dialog/ShownParams.h"
#include "platform/ErrorCodes.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

namespace {

constexpr uint32_t kButtonShadowColor = 0x80000010;

std::string Attribute(const XmlNode& element, const char* name) {
  return element.attributes().getNamedItem(name).text();
}

// The row kind of a shown parameter's type.
int KindOf(ParamType type) {
  switch (type) {
    case ParamType::Multi: return KindMulti;
    case ParamType::Integer:
    case ParamType::Currency:
    case ParamType::Text: return KindEntry;
    case ParamType::Check: return KindCheck;
    case ParamType::Group: return KindGroup;
    case ParamType::Other: break;
  }
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
  // The active box shows the document element's active flag.
  SSCPlugInActive.Value(Attribute(config.documentElement(), schema::kActive) == schema::kTrue ? 1 : 0);
  // An empty editor; without any parameter the Advanced tab goes off.
  TLUSettings.Rows().Clear();
  mRowParams.clear();
  mOpenGroups.clear();
  if (ShownParams::TopLevel(config).length() < 1) {
    SSAPlugIn.TabFor(SSPPlugInAdvanced).Enabled = false;
    return;
  }
  // A row for each shown parameter; a group's row is finished after its
  // members.
  ShownParams::Walk(config, {[this](XmlNode& P, ParamType type, int16_t Depth) { AddParamRow(P, type, Depth); },
                             [this](XmlNode& /*group*/, int16_t Depth) {
                               const std::shared_ptr<Row> row = mOpenGroups.back();
                               mOpenGroups.pop_back();
                               row->GroupState = false;
                               row->Level = Depth;
                             }});
}

void frmPlugIn::AddParamRow(XmlNode& P, ParamType type, int16_t Depth) {
  // The row, keyed by the parameter's name.
  const std::string key = Attribute(P, schema::kName);
  const std::shared_ptr<Row> row = TLUSettings.Rows().Add(0, key, "", KindOf(type));
  mRowParams[row.get()] = P;

  if (type != ParamType::Group) {
    // Labelled and described by the parameter's Desc, with its value.
    row->Label = P.selectSingleNode(schema::QueryDesc(AppLang)).text();
    row->Description = P.selectSingleNode(schema::QueryDesc(AppLang)).text();
    GiveRowItsValue(*row, P, type, true);
    row->Level = Depth;
    return;
  }
  // A group's header row, labelled by its Caption; its members follow.
  row->GroupColor = kButtonShadowColor;
  row->Label = P.selectSingleNode(schema::QueryGroupCaption(AppLang)).text();
  mOpenGroups.push_back(row);
}

// The value of a non-group parameter, as its row shows it. Only the load
// creates a missing per-language value.
void frmPlugIn::GiveRowItsValue(Row& row, XmlNode& P, ParamType type, bool create) {
  const auto valueText = [&] { return create ? ReadParamValue(P) : ParamValues::Text(P, StoreLang); };
  switch (type) {
    case ParamType::Multi:
    case ParamType::Text:
      row.Content = valueText();
      break;
    case ParamType::Integer: {
      // An empty value (a per-language value just created) shows an empty
      // entry: there is no number to show.
      const std::string value = valueText();
      row.Content = value.empty() ? Variant() : Variant(LocaleNumbers::ToInteger(value));
      break;
    }
    case ParamType::Currency:
      row.Content = NormaliseAmount(valueText());
      break;
    case ParamType::Check:
      row.IsChecked = ParamValues::IsChecked(P);
      break;
    case ParamType::Group:
    case ParamType::Other:
      break;
  }
}

std::string frmPlugIn::ReadParamValue(XmlNode& P) {
  // One value for every language: the plain Value, never created.
  if (!ParamValues::PerLanguage(P)) return ParamValues::Element(P, false, StoreLang).text();
  // The store language's own value.
  if (const XmlNode value = ParamValues::Element(P, true, StoreLang)) return value.text();

  // Missing: created empty for the store language, which enables Apply.
  ParamValues::Create(mPlugIn->Config(), P, StoreLang);
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
