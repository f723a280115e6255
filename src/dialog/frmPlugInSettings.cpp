// The Advanced tab: one row per visible parameter, groups with their
// members one level deeper, values in the store language.
#include <cstdint>
#include <string>

#include "dialog/frmPlugIn.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamValues.h"
#include "plugin/PlugIn.h"
#include "plugin/ShownParams.h"

namespace TLPaymentPlugIns {

namespace {

constexpr uint32_t kButtonShadowColor = 0x80000010;

std::string Attribute(const XmlNode& element, const char* name) {
  return element.attributes().getNamedItem(name).text();
}

// The row kind of a shown parameter.
int KindOf(ParamRow row) {
  switch (row) {
    case ParamRow::Multi: return KindMulti;
    case ParamRow::Entry: return KindEntry;
    case ParamRow::Check: return KindCheck;
    case ParamRow::Group: return KindGroup;
    case ParamRow::None: break;
  }
  return 0;
}

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
  ShownParams::Walk(config, {[this](XmlNode& P, const ParamKind& kind, int16_t Depth) { AddParamRow(P, kind, Depth); },
                             [this](XmlNode& /*group*/, int16_t Depth) {
                               const std::shared_ptr<Row> row = mOpenGroups.back();
                               mOpenGroups.pop_back();
                               row->GroupState = false;
                               row->Level = Depth;
                             }});
}

void frmPlugIn::AddParamRow(XmlNode& P, const ParamKind& kind, int16_t Depth) {
  // The row, keyed by the parameter's name.
  const std::string key = Attribute(P, schema::kName);
  const std::shared_ptr<Row> row = TLUSettings.Rows().Add(0, key, "", KindOf(kind.Row()));
  mRowParams[row.get()] = P;

  if (!kind.IsGroup()) {
    // Labelled and described by the parameter's Desc, with its value.
    row->Label = P.selectSingleNode(schema::QueryDesc(AppLang)).text();
    row->Description = P.selectSingleNode(schema::QueryDesc(AppLang)).text();
    row->Secret = ParamValues::IsSecret(P);
    GiveRowItsValue(*row, P, kind, true);
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
void frmPlugIn::GiveRowItsValue(Row& row, XmlNode& P, const ParamKind& kind, bool create) {
  switch (kind.Storage()) {
    case ParamStorage::Value:
      row.Content = kind.Displayed(create ? ReadParamValue(P) : ParamValues::Text(P, StoreLang));
      break;
    case ParamStorage::Checked: row.IsChecked = ParamValues::IsChecked(P); break;
    case ParamStorage::None: break;
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

}  // namespace TLPaymentPlugIns
