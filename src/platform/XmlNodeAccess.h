#pragma once

#include <libxml/tree.h>

#include <memory>

#include "platform/XmlNode.h"

namespace TLPaymentPlugIns {

// The library's way to libxml2 beneath an XmlNode and an XmlDocument. The
// installed headers name only the opaque XmlDocumentData and XmlNodeData;
// each is the libxml2 document or node itself, cast, so a handle costs
// what it did: a shared pointer and a node pointer, nothing allocated.
struct XmlNodeAccess {
  using Document = std::shared_ptr<XmlDocumentData>;

  static xmlDocPtr Raw(const Document& doc) noexcept { return reinterpret_cast<xmlDocPtr>(doc.get()); }
  static xmlNodePtr Raw(const XmlNode& node) noexcept { return reinterpret_cast<xmlNodePtr>(node.mNode); }
  static xmlDocPtr RawDocument(const XmlNode& node) noexcept { return Raw(node.mDoc); }
  static const Document& DocumentOf(const XmlNode& node) noexcept { return node.mDoc; }
  // A handle on node of doc; a null node gives an empty handle.
  static XmlNode Make(Document doc, xmlNodePtr node) noexcept {
    return XmlNode(std::move(doc), reinterpret_cast<XmlNodeData*>(node));
  }
  // Takes doc over; the deleter also frees the document's selection engine.
  static Document Own(xmlDocPtr doc);
};

}  // namespace TLPaymentPlugIns
