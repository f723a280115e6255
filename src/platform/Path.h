#pragma once

#include <string>

namespace TLPaymentPlugIns {

// Paths are joined with the platform's separator "/". A relative path read
// from a configuration document may be written with "\" (documents made on
// Windows); each "\" in it is taken as "/". Nothing else is trimmed or
// mended: a base with a trailing separator gives a doubled one.
class Path {
 public:
  static constexpr char kSeparator = '/';

  // base + "/" + relative, with relative's backslashes taken as "/".
  static std::string Join(const std::string& base, const std::string& relative);
  // A document's path with every "\" taken as "/".
  static std::string FromDocument(std::string documentPath);
};

}  // namespace TLPaymentPlugIns
