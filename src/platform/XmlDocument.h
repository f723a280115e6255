#pragma once

#include <memory>
#include <string>

#include "platform/XmlNamedNodeMap.h"
#include "platform/XmlNode.h"
#include "platform/XmlNodeList.h"
#include "platform/XmlParseResult.h"

namespace TLPaymentPlugIns {

// An XML document held in memory. Loading is safe: no network, no external
// entity or DTD is read, no entity expansion bomb is expanded, and nothing is
// printed. Saving writes the declared encoding back and replaces the file
// atomically.
class XmlDocument {
 public:
  enum NodeType { NODE_ELEMENT = 1, NODE_ATTRIBUTE = 2 };

  // A new document is empty: it has no document element and every query on
  // it finds nothing.
  XmlDocument();

  // Loads the whole file. False when the file is missing, unreadable or not
  // well-formed; the document is then empty. Either way parseResult tells
  // what happened.
  bool load(const std::string& path);
  // The outcome of the last load; NotLoaded before the first.
  const XmlParseResult& parseResult() const noexcept;
  // Writes the whole document to path, atomically, keeping the file's
  // permissions. A failure raises the file system's error; the old file
  // stays whole.
  void save(const std::string& path) const;
  // The serialised document, as save would write it.
  std::string xml() const;
  // A deep copy that shares nothing with this document: edits to one never
  // reach the other.
  XmlDocument clone() const;

  XmlNode documentElement() const;
  XmlNode selectSingleNode(const std::string& query) const;
  XmlNodeList selectNodes(const std::string& query) const;
  // A new, unattached element or attribute. Only an empty namespace URI is
  // supported.
  XmlNode createNode(NodeType type, const std::string& name, const std::string& namespaceURI);

 private:
  XmlNode documentNode() const;
  // Failures name pathForErrors.
  std::string serialise(const std::string& pathForErrors) const;

  std::shared_ptr<XmlDocumentData> mDoc;
  bool mHasDeclaration = false;
  XmlParseResult mParseResult;
};

}  // namespace TLPaymentPlugIns
