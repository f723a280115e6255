#pragma once

#include <memory>
#include <string>
#include <vector>

#include "check/Finding.h"

namespace TLPaymentPlugIns {

class PlugIn;
class XmlSchema;

// Checks a plug-in for publishing in several store languages at once. It
// asks the code that does the work: the dialog's own load (on a copy of the
// document) says whether the dialog opens and which captions it shows empty,
// the staging plan says where each file goes or why it would not be staged,
// and rendering renders the snippet's references. The plug-in's document is
// never changed. Errors about publishing are reported for active plug-ins
// only; a dialog that cannot open and a secret that would be published are
// errors for every plug-in; warnings for every plug-in.
class PublishCheck {
 public:
  // storeLangs empty: every language the document declares.
  explicit PublishCheck(std::vector<std::string> storeLangs) : mStoreLangs(std::move(storeLangs)) {}
  // The store languages as a comma-separated list ("de,en"); "" for every
  // declared one.
  static PublishCheck ForLanguages(const std::string& commaList);

  // Also checks each config.xml against the XML Schema in the file at
  // schemaPath: each problem is a warning (code "schema") that says where,
  // since the library accepts more than the schema describes. Raises the
  // file system's error naming the path when the schema cannot be read, 5
  // when it is not a schema.
  PublishCheck& ValidatingAgainst(const std::string& schemaPath);

  // Loads the plug-in first; a load error is raised.
  std::vector<Finding> Check(PlugIn& plugIn) const;
  // Only the findings about secret parameters, which Check includes: an
  // ignored secret flag (secret-flag-ignored), a config.xml with a secret
  // that other users can read (secret-readable), a value too short to search
  // for (secret-too-short), and, as an error, a value that staging into a
  // scratch folder in a store language writes into a file or the page
  // snippet (secret-published). No finding holds a value. Hosts ask this
  // before they publish.
  std::vector<Finding> CheckSecrets(PlugIn& plugIn) const;

 private:
  std::vector<std::string> mStoreLangs;
  std::shared_ptr<const XmlSchema> mSchema;
};

}  // namespace TLPaymentPlugIns
