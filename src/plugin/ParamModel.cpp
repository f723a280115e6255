#include "plugin/ParamModel.h"

#include <cstdint>
#include <string>

#include "platform/CaseFold.h"
#include "platform/ErrorCodes.h"
#include "platform/LocaleNumbers.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNode.h"
#include "plugin/ConfigSchema.h"

namespace TLPaymentPlugIns {

namespace {

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

bool IsEmptyEntry(const Variant& entry) {
  return entry.IsEmpty() || (entry.Holds<std::string>() && entry.Get<std::string>().empty());
}

// A kind whose value is text, stored as entered and shown as stored; also
// the kinds that keep no value.
class PlainKind : public ParamKind {
 public:
  PlainKind(ParamType type, const char* name, ParamStorage storage, ParamRow row, bool mayBeSecret = false)
      : ParamKind(type, name, storage, row, mayBeSecret) {}
};

// A 16-bit integer, read in the user's locale and rounded half to even. An
// empty value shows an empty entry, and an emptied entry writes nothing:
// there is no number to show or store.
class IntegerKind : public ParamKind {
 public:
  IntegerKind() : ParamKind(ParamType::Integer, "integer", ParamStorage::Value, ParamRow::Entry, false) {}
  Variant Displayed(const std::string& stored) const override {
    return stored.empty() ? Variant() : Variant(LocaleNumbers::ToInteger(stored));
  }
  bool Keeps(const Variant& entry) const override { return IsEmptyEntry(entry); }
  std::string Stored(const Variant& entry) const override { return std::to_string(LocaleNumbers::ToInteger(entry)); }
};

// An amount, cleaned as the editor cleans it and kept in the locale's text
// form.
class CurrencyKind : public ParamKind {
 public:
  CurrencyKind() : ParamKind(ParamType::Currency, "currency", ParamStorage::Value, ParamRow::Entry, false) {}
  Variant Displayed(const std::string& stored) const override { return NormaliseAmount(stored); }
  std::string Stored(const Variant& entry) const override {
    return LocaleNumbers::ToText(NormaliseAmount(LocaleNumbers::ToText(entry)));
  }
};

const PlainKind kMulti(ParamType::Multi, "multi", ParamStorage::Value, ParamRow::Multi, true);
const IntegerKind kInteger;
const CurrencyKind kCurrency;
const PlainKind kText(ParamType::Text, "text", ParamStorage::Value, ParamRow::Entry, true);
const PlainKind kCheck(ParamType::Check, "check", ParamStorage::Checked, ParamRow::Check);
const PlainKind kGroup(ParamType::Group, "group", ParamStorage::None, ParamRow::Group);
const PlainKind kOther(ParamType::Other, "", ParamStorage::None, ParamRow::None);

// One kind per type, named as documents write the type; in the settings
// editor's order of comparison.
const ParamKind* const kKinds[] = {&kMulti, &kInteger, &kCurrency, &kText, &kCheck, &kGroup};

}  // namespace

const ParamKind& ParamKind::Of(ParamType type) {
  for (const ParamKind* kind : kKinds) {
    if (kind->Type() == type) return *kind;
  }
  return kOther;
}

const ParamKind& ParamKind::Of(const XmlNode& param) {
  const std::string type = CaseFold::Lower(param.attributes().getNamedItem(schema::kType).text());
  for (const ParamKind* kind : kKinds) {
    if (type == kind->Name()) return *kind;
  }
  return kOther;
}

Variant ParamKind::Displayed(const std::string& stored) const { return Variant(stored); }

bool ParamKind::Keeps(const Variant& /*entry*/) const { return false; }

std::string ParamKind::Stored(const Variant& entry) const { return LocaleNumbers::ToText(entry); }

Variant ParamKind::NormaliseAmount(const std::string& T) {
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
