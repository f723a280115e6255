#pragma once

#include <memory>
#include <string>
#include <utility>

namespace TLPaymentPlugIns {

class XmlNodeList;
class XmlNamedNodeMap;
// The parser's document and node, opaque outside the library; the library
// reaches them through XmlNodeAccess (platform/XmlNodeAccess.h).
struct XmlDocumentData;
struct XmlNodeData;
struct XmlNodeAccess;

// A handle on an element or attribute of an XmlDocument. A handle can be
// empty (a query that matched nothing, an absent attribute); reading or
// writing through an empty handle raises error 91. A handle keeps its
// document alive.
class XmlNode {
 public:
  XmlNode() = default;

  // Valid on any handle.
  bool IsEmpty() const noexcept { return mNode == nullptr; }
  explicit operator bool() const noexcept { return mNode != nullptr; }
  bool operator==(const XmlNode& other) const noexcept { return mNode == other.mNode; }

  // Valid on a non-empty handle; an empty one raises error 91.
  std::string nodeName() const;
  // The concatenated text of the node and its descendants (CDATA included).
  std::string text() const;
  // Replaces the node's content with exactly this text; markup characters
  // are stored literally.
  void text(const std::string& value);
  XmlNamedNodeMap attributes() const;
  XmlNode selectSingleNode(const std::string& query) const;
  XmlNodeList selectNodes(const std::string& query) const;
  // Attaches newChild (an element as last child, an attribute as attribute).
  XmlNode appendChild(const XmlNode& newChild);

 private:
  friend struct XmlNodeAccess;
  XmlNode(std::shared_ptr<XmlDocumentData> doc, XmlNodeData* node) noexcept : mDoc(std::move(doc)), mNode(node) {}

  std::shared_ptr<XmlDocumentData> mDoc;
  XmlNodeData* mNode = nullptr;
};

}  // namespace TLPaymentPlugIns
