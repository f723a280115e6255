#pragma once

#include <filesystem>
#include <string>

#include "platform/XmlNode.h"
#include "platform/XmlNamedNodeMap.h"

namespace tlpp {

// An attribute's text, or "" when the element has no such attribute.
inline std::string AttributeOrEmpty(const TLPaymentPlugIns::XmlNode& element, const char* name) {
  const TLPaymentPlugIns::XmlNode attribute = element.attributes().getNamedItem(name);
  return attribute ? attribute.text() : std::string();
}

// path relative to folder, both with links resolved; "" when path lies
// outside folder (or is the folder itself).
inline std::string RelativeInside(const std::string& folder, const std::string& path) {
  std::error_code ec;
  const std::filesystem::path relative =
      std::filesystem::weakly_canonical(path, ec).lexically_relative(std::filesystem::weakly_canonical(folder, ec));
  if (ec || relative.empty() || relative == "." || *relative.begin() == "..") return {};
  return relative.string();
}

}  // namespace tlpp
