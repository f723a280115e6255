#pragma once

#include <cstdint>
#include <string>

#include "dialog/RowKind.h"
#include "platform/Variant.h"

namespace TLPaymentPlugIns {

// One row of a settings view. Key, Text and Kind are fixed when the row is
// added; the rest is set by the dialog, and Content and IsChecked also by
// the user's entry.
class Row {
 public:
  Row(std::string key, std::string text, int kind) : mKey(std::move(key)), mText(std::move(text)), mKind(kind) {}

  const std::string& Key() const { return mKey; }
  const std::string& Text() const { return mText; }
  int Kind() const { return mKind; }

  std::string Label;
  std::string Description;
  Variant Content;
  // A secret parameter's row: a view masks Content the same way whatever
  // its length, shows it only on the owner's explicit request and copies
  // nothing from it; Description never holds it.
  bool Secret = false;
  bool IsChecked = false;
  int16_t Level = 0;
  // Kept for a group row; the Qt view always shows a group's members.
  bool GroupState = true;
  // Packed colours, red in the lowest byte; system colours allowed.
  uint32_t GroupColor = 0;
  uint32_t StateColor = 0;

 private:
  std::string mKey;
  std::string mText;
  int mKind;
};

}  // namespace TLPaymentPlugIns
