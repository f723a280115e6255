#pragma once

#include <string>
#include <vector>

namespace TLPaymentPlugIns {

class XmlDocument;

// Turns a caller's language code into the code used to pick "lang" texts:
// a declared code stays as it is; an empty or undeclared one becomes the
// default language's code.
class LanguageResolution {
 public:
  // Raises 91 when the default is needed and the document declares none (or
  // it has no isoCode); a code that makes the query malformed raises the
  // query's error.
  static std::string Resolve(const XmlDocument& config, const std::string& code);
  // The same steps as a value lookup takes them: a step that fails is
  // passed over, and without a default the code stays as given. Never
  // raises.
  static std::string ResolveOrKeep(const XmlDocument& config, const std::string& code);
  // The default language's code; raises 91 when there is none.
  static std::string DefaultCode(const XmlDocument& config);
  // The codes of every declared language, in document order ("" for a
  // Language without isoCode): the store languages a shop can have.
  static std::vector<std::string> DeclaredCodes(const XmlDocument& config);
};

}  // namespace TLPaymentPlugIns
