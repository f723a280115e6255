#include "platform/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include "platform/AtomicFile.h"
#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "platform/LibxmlGuard.h"
#include "platform/SelectionEngine.h"
#include "platform/XmlNodeAccess.h"

namespace TLPaymentPlugIns {

namespace {

// Safe loading: no network, entities substituted (so that an expansion bomb
// is refused by the parser instead of being expanded on every later read),
// and no message on the terminal. DTD loading, XInclude, recovery and huge
// documents stay off.
constexpr int kLoadOptions = XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

XmlNodeAccess::Document NewEmptyDocument() {
  return XmlNodeAccess::Own(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
}

bool StartsWithDeclaration(const std::string& bytes) {
  static const std::string utf8Bom = "\xEF\xBB\xBF";
  std::size_t start = bytes.compare(0, utf8Bom.size(), utf8Bom) == 0 ? utf8Bom.size() : 0;
  if (bytes.compare(start, 5, "<?xml") == 0) return true;
  // UTF-16 with a byte-order mark: "<?" follows as two-byte units.
  if (bytes.size() >= 6 && (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)) {
    return bytes[2] == '<' || bytes[3] == '<';
  }
  return false;
}

}  // namespace

// The document's selection engine goes with it.
XmlNodeAccess::Document XmlNodeAccess::Own(xmlDocPtr doc) {
  return Document(reinterpret_cast<XmlDocumentData*>(doc), [](XmlDocumentData* owned) {
    const auto raw = reinterpret_cast<xmlDocPtr>(owned);
    SelectionEngine::Release(raw);
    xmlFreeDoc(raw);
  });
}

XmlDocument::XmlDocument() : mDoc(NewEmptyDocument()) {}

bool XmlDocument::load(const std::string& path) {
  mDoc = NewEmptyDocument();
  mHasDeclaration = false;
  mParseResult = XmlParseResult{XmlParseResult::Status::Unreadable, path, 0, 0, {}};

  // A missing or unreadable file, or a folder in its place, just fails.
  std::string bytes;
  try {
    bytes = FileSystemObject().OpenTextFile(path, FileSystemObject::ForReading, false)->ReadAll();
  } catch (const Error& error) {
    mParseResult.message = error.Reason();
    return false;
  }

  mParseResult.status = XmlParseResult::Status::Malformed;
  LibxmlGuard guard;
  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(), xmlFreeParserCtxt);
  if (!context) return false;
  xmlDocPtr doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), path.c_str(), nullptr,
                                    kLoadOptions);
  auto owned = doc != nullptr ? XmlNodeAccess::Own(doc) : nullptr;
  // Without recovery, libxml2 hands back a document only when it is
  // well-formed.
  if (doc == nullptr || xmlDocGetRootElement(doc) == nullptr) {
    // The first error is where the document went wrong; later ones follow
    // from it.
    mParseResult.line = guard.line();
    mParseResult.column = guard.column();
    mParseResult.message = guard.message().empty() ? "no document element" : guard.message();
    return false;
  }
  mDoc = std::move(owned);
  mHasDeclaration = StartsWithDeclaration(bytes);
  mParseResult.status = XmlParseResult::Status::Loaded;
  return true;
}

const XmlParseResult& XmlDocument::parseResult() const noexcept { return mParseResult; }

std::string XmlDocument::xml() const { return serialise(mParseResult.path); }

std::string XmlDocument::serialise(const std::string& pathForErrors) const {
  LibxmlGuard guard;
  xmlDocPtr doc = XmlNodeAccess::Raw(mDoc);
  const char* encoding = doc->encoding != nullptr ? reinterpret_cast<const char*>(doc->encoding) : "UTF-8";
  std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), xmlBufferFree);
  if (!buffer) throw errors::Overflow();
  // Without XML_SAVE_FORMAT the whitespace stays as loaded; a document that
  // had no declaration gets none.
  xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer.get(), encoding, mHasDeclaration ? 0 : XML_SAVE_NO_DECL);
  if (save == nullptr) throw errors::FromErrno(EINVAL, pathForErrors);
  const long rc = xmlSaveDoc(save, doc);
  xmlSaveClose(save);
  if (rc < 0) throw errors::FromErrno(EINVAL, pathForErrors);
  return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                     static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}

XmlDocument XmlDocument::clone() const {
  XmlDocument copy;
  xmlDocPtr doc = xmlCopyDoc(XmlNodeAccess::Raw(mDoc), 1);
  if (doc == nullptr) throw errors::Overflow();
  copy.mDoc = XmlNodeAccess::Own(doc);
  copy.mHasDeclaration = mHasDeclaration;
  copy.mParseResult = mParseResult;
  return copy;
}

void XmlDocument::save(const std::string& path) const { AtomicFile::Replace(path, serialise(path)); }

XmlNode XmlDocument::documentNode() const {
  return XmlNodeAccess::Make(mDoc, reinterpret_cast<xmlNodePtr>(XmlNodeAccess::Raw(mDoc)));
}

XmlNode XmlDocument::documentElement() const {
  return XmlNodeAccess::Make(mDoc, xmlDocGetRootElement(XmlNodeAccess::Raw(mDoc)));
}

XmlNode XmlDocument::selectSingleNode(const std::string& query) const {
  const xmlDocPtr doc = XmlNodeAccess::Raw(mDoc);
  const xmlNodePtr found = SelectionEngine::Of(doc).selectFirst(reinterpret_cast<xmlNodePtr>(doc), query);
  return found != nullptr ? XmlNodeAccess::Make(mDoc, found) : XmlNode();
}

XmlNodeList XmlDocument::selectNodes(const std::string& query) const { return documentNode().selectNodes(query); }

XmlNode XmlDocument::createNode(NodeType type, const std::string& name, const std::string& namespaceURI) {
  if (!namespaceURI.empty()) throw errors::InvalidArgument();
  const auto* xmlName = reinterpret_cast<const xmlChar*>(name.c_str());
  xmlNodePtr node = nullptr;
  if (type == NODE_ELEMENT) {
    node = xmlNewDocNode(XmlNodeAccess::Raw(mDoc), nullptr, xmlName, nullptr);
  } else if (type == NODE_ATTRIBUTE) {
    node = reinterpret_cast<xmlNodePtr>(xmlNewDocProp(XmlNodeAccess::Raw(mDoc), xmlName, nullptr));
  }
  if (node == nullptr) throw errors::InvalidArgument();
  SelectionEngine::Changed(XmlNodeAccess::Raw(mDoc));
  return XmlNodeAccess::Make(mDoc, node);
}

}  // namespace TLPaymentPlugIns
