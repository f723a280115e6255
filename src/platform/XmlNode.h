#pragma once

#include <memory>
#include <string>

struct _xmlDoc;
struct _xmlNode;

namespace TLPaymentPlugIns {

class XmlNodeList;
class XmlNamedNodeMap;

// A handle on an element or attribute of an XmlDocument. A handle can be
// empty (a query that matched nothing, an absent attribute); reading or
// writing through an empty handle raises error 91. A handle keeps its
// document alive.
class XmlNode {
 public:
  XmlNode() = default;
  XmlNode(std::shared_ptr<_xmlDoc> doc, _xmlNode* node);

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

  _xmlNode* raw() const noexcept { return mNode; }
  const std::shared_ptr<_xmlDoc>& document() const noexcept { return mDoc; }

 private:
  _xmlNode* require() const;

  std::shared_ptr<_xmlDoc> mDoc;
  _xmlNode* mNode = nullptr;
};

}  // namespace TLPaymentPlugIns
