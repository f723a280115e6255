#include "platform/XmlNode.h"

#include <libxml/tree.h>

#include <memory>

#include "platform/ErrorCodes.h"
#include "platform/SelectionEngine.h"
#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNodeAccess.h"
#include "platform/XmlNodeList.h"

namespace TLPaymentPlugIns {

namespace {

std::string FromXml(xmlChar* owned) {
  if (owned == nullptr) return {};
  std::string out(reinterpret_cast<const char*>(owned));
  xmlFree(owned);
  return out;
}

const xmlChar* ToXml(const std::string& text) { return reinterpret_cast<const xmlChar*>(text.c_str()); }

}  // namespace

namespace {

xmlNodePtr Require(const XmlNode& node) {
  const xmlNodePtr raw = XmlNodeAccess::Raw(node);
  if (raw == nullptr) throw errors::ObjectNotSet();
  return raw;
}

}  // namespace

std::string XmlNode::nodeName() const {
  const xmlNodePtr node = Require(*this);
  return node->name != nullptr ? reinterpret_cast<const char*>(node->name) : std::string();
}

std::string XmlNode::text() const {
  const xmlNodePtr node = Require(*this);
  // The usual case, one text child, is read in place.
  const xmlNodePtr child = node->children;
  if ((node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE) && child != nullptr &&
      child->next == nullptr && (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)) {
    return child->content != nullptr ? std::string(reinterpret_cast<const char*>(child->content)) : std::string();
  }
  return FromXml(xmlNodeGetContent(node));
}

void XmlNode::text(const std::string& value) {
  const xmlNodePtr node = Require(*this);
  SelectionEngine::Changed(XmlNodeAccess::Raw(mDoc));
  // Replace the children by one text node holding the text as it stands:
  // xmlNodeSetContent would read markup and entity references in it.
  xmlFreeNodeList(node->children);
  node->children = nullptr;
  node->last = nullptr;
  if (value.empty()) return;
  const xmlNodePtr textNode = xmlNewDocTextLen(node->doc, ToXml(value), static_cast<int>(value.size()));
  if (textNode == nullptr) throw errors::Overflow();
  if (node->type == XML_ATTRIBUTE_NODE) {
    node->children = textNode;
    node->last = textNode;
    textNode->parent = node;
  } else {
    xmlAddChild(node, textNode);
  }
}

XmlNamedNodeMap XmlNode::attributes() const {
  Require(*this);
  return XmlNamedNodeMap(*this);
}

XmlNode XmlNode::selectSingleNode(const std::string& query) const {
  const xmlNodePtr context = Require(*this);
  const xmlNodePtr found = SelectionEngine::Of(XmlNodeAccess::Raw(mDoc)).selectFirst(context, query);
  return found != nullptr ? XmlNodeAccess::Make(mDoc, found) : XmlNode();
}

XmlNodeList XmlNode::selectNodes(const std::string& query) const {
  const xmlNodePtr context = Require(*this);
  const std::vector<xmlNodePtr> found = SelectionEngine::Of(XmlNodeAccess::Raw(mDoc)).selectAll(context, query);
  std::vector<XmlNode> nodes;
  nodes.reserve(found.size());
  for (const xmlNodePtr node : found) nodes.push_back(XmlNodeAccess::Make(mDoc, node));
  return XmlNodeList(std::move(nodes));
}

XmlNode XmlNode::appendChild(const XmlNode& newChild) {
  const xmlNodePtr parent = Require(*this);
  const xmlNodePtr child = Require(newChild);
  SelectionEngine::Changed(XmlNodeAccess::Raw(mDoc));
  if (child->parent != nullptr) xmlUnlinkNode(child);
  if (xmlAddChild(parent, child) == nullptr) throw errors::InvalidArgument();
  return newChild;
}

XmlNode XmlNamedNodeMap::getNamedItem(const std::string& name) const {
  const xmlNodePtr element = XmlNodeAccess::Raw(mElement);
  if (element == nullptr) throw errors::ObjectNotSet();
  if (element->type != XML_ELEMENT_NODE) return XmlNode();
  // Only an attribute without a namespace counts: xmlHasProp would also
  // match a prefixed x:name.
  const xmlAttrPtr attribute = xmlHasNsProp(element, ToXml(name), nullptr);
  if (attribute == nullptr || attribute->type != XML_ATTRIBUTE_NODE) return XmlNode();
  return XmlNodeAccess::Make(XmlNodeAccess::DocumentOf(mElement), reinterpret_cast<xmlNodePtr>(attribute));
}

XmlNode XmlNamedNodeMap::setNamedItem(const XmlNode& attribute) {
  const xmlNodePtr element = XmlNodeAccess::Raw(mElement);
  const xmlNodePtr node = XmlNodeAccess::Raw(attribute);
  if (element == nullptr || node == nullptr) throw errors::ObjectNotSet();
  if (node->type != XML_ATTRIBUTE_NODE || element->type != XML_ELEMENT_NODE) throw errors::TypeMismatch();
  SelectionEngine::Changed(XmlNodeAccess::RawDocument(mElement));
  if (node->parent != nullptr) xmlUnlinkNode(node);
  // xmlAddChild frees an attribute of the same name the element had.
  xmlAddChild(element, node);
  return attribute;
}

}  // namespace TLPaymentPlugIns
