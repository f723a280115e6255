#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "catalogue/PlugInScan.h"
#include "catalogue/PlugIns.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns::server {

// What one handle of the C interface stands for: a collection, a plug-in, an
// enumerator or the results of a scan, with the references the host holds on it.
struct ServerObject {
  enum class Class { PlugIns, PlugIn, Enum, Scan };

  explicit ServerObject(Class objectClass) : kind(objectClass) {}

  Class kind;
  std::uint32_t references = 1;
  std::shared_ptr<PlugIns> plugIns;
  std::shared_ptr<PlugIn> plugIn;
  // An enumerator walks the plug-ins the collection held when it was made.
  std::vector<std::shared_ptr<PlugIn>> items;
  // A scan walks its results.
  std::vector<PlugInScan::Result> results;
  std::size_t next = 0;
};

}  // namespace TLPaymentPlugIns::server
