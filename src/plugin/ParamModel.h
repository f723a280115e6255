#pragma once

#include <string>

#include "platform/Variant.h"

namespace TLPaymentPlugIns {

class XmlNode;

// The kinds of parameter a Param's type attribute names, compared after
// lower-casing; Other for any type no reader knows.
enum class ParamType { Multi, Integer, Currency, Text, Check, Group, Other };

// Where a parameter keeps what the shop owner set.
enum class ParamStorage {
  None,     // nothing: a group, or a type no reader knows
  Value,    // Value elements: one for every language, or one per language
  Checked,  // the Checked child, "1" or "0"
};

// The row the settings editor shows for a parameter.
enum class ParamRow { None, Entry, Multi, Check, Group };

// What one parameter type means. Every reader of a parameter asks its kind:
// the lookup, the settings editor and its write-back, rendering, the publish
// check, tlpp and the hosts. Adding a type means adding one kind in
// ParamModel.cpp; adding a property means one member here.
class ParamKind {
 public:
  virtual ~ParamKind() = default;
  ParamKind(const ParamKind&) = delete;
  ParamKind& operator=(const ParamKind&) = delete;

  // The kind of a type; never fails.
  static const ParamKind& Of(ParamType type);
  // The kind a Param element's type attribute names. Raises 91 when the
  // element is missing or has no type attribute.
  static const ParamKind& Of(const XmlNode& param);

  ParamType Type() const { return mType; }
  // The lower-case name documents write; "" for Other.
  const char* Name() const { return mName; }
  ParamStorage Storage() const { return mStorage; }
  ParamRow Row() const { return mRow; }
  // Whether the settings editor lists it.
  bool Shown() const { return mRow != ParamRow::None; }
  bool IsGroup() const { return mRow == ParamRow::Group; }
  bool HoldsValue() const { return mStorage == ParamStorage::Value; }
  // Whether a value of this kind may be declared secret (text a user types:
  // text and multi); the secret flag of any other kind is ignored.
  bool MayBeSecret() const { return mMayBeSecret; }

  // The conversions of a value kept in Value elements; only asked when
  // Storage() is Value.
  // What the editor's row shows for the stored text. Raises 13 or 6 when
  // the type cannot read it.
  virtual Variant Displayed(const std::string& stored) const;
  // Whether an entry leaves the stored value as it is (an emptied integer).
  virtual bool Keeps(const Variant& entry) const;
  // The text stored for what a user entered. Raises 13 or 6 when the type
  // refuses it; nothing is written then.
  virtual std::string Stored(const Variant& entry) const;

  // An amount as the editor cleans it: digits and points kept, the first
  // comma kept and the others dropped, everything else dropped, then read
  // in the user's locale; the text "0" when nothing is kept. Raises 6 for a
  // text longer than 32767 characters, 13 or 6 when the locale cannot read
  // what is kept.
  static Variant NormaliseAmount(const std::string& T);

 protected:
  ParamKind(ParamType type, const char* name, ParamStorage storage, ParamRow row, bool mayBeSecret)
      : mType(type), mName(name), mStorage(storage), mRow(row), mMayBeSecret(mayBeSecret) {}

 private:
  ParamType mType;
  const char* mName;
  ParamStorage mStorage;
  ParamRow mRow;
  bool mMayBeSecret;
};

}  // namespace TLPaymentPlugIns
