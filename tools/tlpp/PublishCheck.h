#pragma once

#include <string>
#include <vector>

namespace TLPaymentPlugIns {
class PlugIn;
}

namespace tlpp {

// One thing that would break, or may surprise, a published shop.
struct Finding {
  enum class Severity { Warning, Error };
  std::string plugInId;
  std::string language;  // "*" when it holds for every language
  Severity severity;
  std::string message;
};

// Checks a plug-in for publishing in several store languages at once, using
// only what the library offers hosts, so that it never disagrees with what
// staging and the dialog do. Errors are reported for active plug-ins only;
// warnings for every plug-in.
class PublishCheck {
 public:
  // storeLangs empty: every language the document declares.
  explicit PublishCheck(std::vector<std::string> storeLangs) : mStoreLangs(std::move(storeLangs)) {}

  std::vector<Finding> Check(TLPaymentPlugIns::PlugIn& plugIn) const;

 private:
  std::vector<std::string> mStoreLangs;
};

}  // namespace tlpp
