#pragma once

#include <string>

#include "platform/XmlNode.h"

namespace TLPaymentPlugIns {

// The attributes of one element.
class XmlNamedNodeMap {
 public:
  explicit XmlNamedNodeMap(XmlNode element) : mElement(std::move(element)) {}

  // The attribute without namespace of that name, or an empty handle.
  XmlNode getNamedItem(const std::string& name) const;
  // Attaches an attribute node made by XmlDocument::createNode.
  XmlNode setNamedItem(const XmlNode& attribute);

 private:
  XmlNode mElement;
};

}  // namespace TLPaymentPlugIns
