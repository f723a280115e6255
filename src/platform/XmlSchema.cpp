#include "platform/XmlSchema.h"

#include <libxml/xmlschemas.h>

#include "platform/ErrorCodes.h"
#include "platform/FileSystemObject.h"
#include "platform/LibxmlGuard.h"
#include "platform/XmlDocument.h"
#include "platform/XmlNodeAccess.h"

namespace TLPaymentPlugIns {

namespace {

// The validator's message without its closing line feed.
std::string Message(const xmlError* error) {
  std::string text = error->message != nullptr ? error->message : "";
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

void Collect(void* problems, xmlErrorPtr error) {
  if (error == nullptr) return;
  static_cast<std::vector<XmlSchema::Problem>*>(problems)->push_back({error->line, error->int2, Message(error)});
}

}  // namespace

XmlSchema::XmlSchema(const std::string& path) {
  const std::string bytes = FileSystemObject().OpenTextFile(path, FileSystemObject::ForReading, false)->ReadAll();
  // Read from memory: the guard refuses every external resource, the
  // schema's own file included.
  LibxmlGuard guard;
  std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> context(
      xmlSchemaNewMemParserCtxt(bytes.data(), static_cast<int>(bytes.size())), xmlSchemaFreeParserCtxt);
  if (context) mSchema.reset(xmlSchemaParse(context.get()), xmlSchemaFree);
  if (!mSchema) {
    throw Error(errors::kInvalidArgument, errors::kRuntimeSource, "Not an XML schema: " + path)
        .At(path, guard.line(), guard.column())
        .Because(guard.message());
  }
}

std::vector<XmlSchema::Problem> XmlSchema::Validate(const XmlDocument& document) const {
  std::vector<Problem> problems;
  const XmlNode root = document.documentElement();
  if (!root) return {{0, 0, "the document is empty"}};
  LibxmlGuard guard;
  std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> context(xmlSchemaNewValidCtxt(mSchema.get()),
                                                                                 xmlSchemaFreeValidCtxt);
  if (!context) throw errors::ObjectNotSet();
  xmlSchemaSetValidStructuredErrors(context.get(), Collect, &problems);
  xmlSchemaValidateDoc(context.get(), XmlNodeAccess::RawDocument(root));
  return problems;
}

}  // namespace TLPaymentPlugIns
