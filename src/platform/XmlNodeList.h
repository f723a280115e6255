#pragma once

#include <vector>

#include "platform/XmlNode.h"

namespace TLPaymentPlugIns {

// The matches of a list query, in document order.
class XmlNodeList {
 public:
  XmlNodeList() = default;
  explicit XmlNodeList(std::vector<XmlNode> nodes) : mNodes(std::move(nodes)) {}

  long length() const noexcept { return static_cast<long>(mNodes.size()); }
  // 0-based; an index out of range gives an empty handle.
  XmlNode item(long index) const {
    return index >= 0 && index < length() ? mNodes[static_cast<std::size_t>(index)] : XmlNode();
  }
  auto begin() const noexcept { return mNodes.begin(); }
  auto end() const noexcept { return mNodes.end(); }

 private:
  std::vector<XmlNode> mNodes;
};

}  // namespace TLPaymentPlugIns
