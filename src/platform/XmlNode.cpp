#include "platform/XmlNode.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <memory>

#include "platform/ErrorCodes.h"
#include "platform/LibxmlGuard.h"
#include "platform/SelectionPattern.h"
#include "platform/XmlNamedNodeMap.h"
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

// Runs a query relative to node and returns the matching nodes in document
// order. A query that is not valid raises a numbered error and prints nothing.
std::vector<XmlNode> Evaluate(const std::shared_ptr<xmlDoc>& doc, xmlNodePtr node,
                              const std::string& query, bool firstOnly) {
  LibxmlGuard guard;
  std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
      xmlXPathNewContext(doc.get()), xmlXPathFreeContext);
  if (!context) throw errors::QueryInvalid(query, "out of memory");
  const std::string xpath = ToXPath(query);
  std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
      xmlXPathNodeEval(node, ToXml(xpath), context.get()), xmlXPathFreeObject);
  if (!result) throw errors::QueryInvalid(query, guard.message().empty() ? "not a query" : guard.message());
  std::vector<XmlNode> nodes;
  if (result->type != XPATH_NODESET || result->nodesetval == nullptr) return nodes;
  const int count = firstOnly ? std::min(result->nodesetval->nodeNr, 1) : result->nodesetval->nodeNr;
  nodes.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) nodes.emplace_back(doc, result->nodesetval->nodeTab[i]);
  return nodes;
}

}  // namespace

XmlNode::XmlNode(std::shared_ptr<xmlDoc> doc, xmlNodePtr node) : mDoc(std::move(doc)), mNode(node) {}

xmlNodePtr XmlNode::require() const {
  if (mNode == nullptr) throw errors::ObjectNotSet();
  return mNode;
}

std::string XmlNode::nodeName() const {
  const xmlNodePtr node = require();
  return node->name != nullptr ? reinterpret_cast<const char*>(node->name) : std::string();
}

std::string XmlNode::text() const { return FromXml(xmlNodeGetContent(require())); }

void XmlNode::text(const std::string& value) {
  const xmlNodePtr node = require();
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
  require();
  return XmlNamedNodeMap(*this);
}

XmlNode XmlNode::selectSingleNode(const std::string& query) const {
  auto nodes = Evaluate(mDoc, require(), query, true);
  return nodes.empty() ? XmlNode() : nodes.front();
}

XmlNodeList XmlNode::selectNodes(const std::string& query) const {
  return XmlNodeList(Evaluate(mDoc, require(), query, false));
}

XmlNode XmlNode::appendChild(const XmlNode& newChild) {
  const xmlNodePtr parent = require();
  const xmlNodePtr child = newChild.require();
  if (child->parent != nullptr) xmlUnlinkNode(child);
  if (xmlAddChild(parent, child) == nullptr) throw errors::InvalidArgument();
  return newChild;
}

XmlNode XmlNamedNodeMap::getNamedItem(const std::string& name) const {
  const xmlNodePtr element = mElement.raw();
  if (element == nullptr) throw errors::ObjectNotSet();
  if (element->type != XML_ELEMENT_NODE) return XmlNode();
  // Only an attribute without a namespace counts: xmlHasProp would also
  // match a prefixed x:name.
  const xmlAttrPtr attribute = xmlHasNsProp(element, ToXml(name), nullptr);
  if (attribute == nullptr || attribute->type != XML_ATTRIBUTE_NODE) return XmlNode();
  return XmlNode(mElement.document(), reinterpret_cast<xmlNodePtr>(attribute));
}

XmlNode XmlNamedNodeMap::setNamedItem(const XmlNode& attribute) {
  const xmlNodePtr element = mElement.raw();
  const xmlNodePtr node = attribute.raw();
  if (element == nullptr || node == nullptr) throw errors::ObjectNotSet();
  if (node->type != XML_ATTRIBUTE_NODE || element->type != XML_ELEMENT_NODE) throw errors::TypeMismatch();
  if (const xmlAttrPtr old = xmlHasNsProp(element, node->name, nullptr); old != nullptr && old != reinterpret_cast<xmlAttrPtr>(node)) {
    xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(old));
    xmlFreeProp(old);
  }
  if (node->parent != nullptr) xmlUnlinkNode(node);
  xmlAddChild(element, node);
  return attribute;
}

}  // namespace TLPaymentPlugIns
