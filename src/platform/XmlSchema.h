#pragma once

#include <memory>
#include <string>
#include <vector>

struct _xmlSchema;

namespace TLPaymentPlugIns {

class XmlDocument;

// An XML Schema 1.0 read from a file, against which documents are checked
// with libxml2's validator. Nothing is printed; no other file or network
// resource is read.
class XmlSchema {
 public:
  // One thing that keeps a document from matching: where (1-based, 0 when
  // the validator does not say) and the validator's message.
  struct Problem {
    long line = 0;
    long column = 0;
    std::string message;
  };

  // Reads the schema at path. Raises the file system's error naming the
  // path when it cannot be read, 5 with the reader's message when it is not
  // a schema.
  explicit XmlSchema(const std::string& path);

  // The document's problems in the validator's order; none when it matches.
  // An empty document has one problem.
  std::vector<Problem> Validate(const XmlDocument& document) const;

 private:
  std::shared_ptr<_xmlSchema> mSchema;
};

}  // namespace TLPaymentPlugIns
