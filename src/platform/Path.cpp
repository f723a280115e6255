#include "platform/Path.h"

#include <algorithm>

namespace TLPaymentPlugIns {

std::string Path::Join(const std::string& base, const std::string& relative) {
  return base + kSeparator + FromDocument(relative);
}

std::string Path::FromDocument(std::string documentPath) {
  std::replace(documentPath.begin(), documentPath.end(), '\\', kSeparator);
  return documentPath;
}

}  // namespace TLPaymentPlugIns
