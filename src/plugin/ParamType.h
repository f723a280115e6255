#pragma once

#include "platform/XmlNode.h"

namespace TLPaymentPlugIns {

// The kinds of parameter a config.xml declares in a Param's type attribute,
// compared after lower-casing. Every reader of a parameter (the lookup, the
// settings editor, the write-back, rendering and the publish check) asks
// ParamTypes::Read, so that a type means the same thing everywhere.
enum class ParamType { Multi, Integer, Currency, Text, Check, Group, Other };

class ParamTypes {
 public:
  // The type of a Param element. Raises 91 when the element is missing or
  // has no type attribute.
  static ParamType Read(const XmlNode& param);
  // The lower-case name as documents write it; "" for Other.
  static const char* Name(ParamType type);
  // Whether the parameter keeps its value in Value elements (one for all
  // languages, or one per language).
  static bool HoldsValue(ParamType type);
};

}  // namespace TLPaymentPlugIns
