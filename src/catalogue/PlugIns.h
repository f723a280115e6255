#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/Collection.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

// The payment plug-ins under one root folder: every direct sub-folder that
// holds a config.xml, loaded at once and filed under its ID.
class PlugIns {
 public:
  using Items = Collection<std::shared_ptr<PlugIn>>;

  // Never scans.
  std::string PlugInsPath() const;
  // Stores the root as given, then scans it; a scan error is raised and the
  // path stays stored.
  void PlugInsPath(const std::string& pPlugInsPath);

  // Valid after the first PlugInsPath let; before it they raise 91.
  int32_t Count() const;
  // 1-based position; raises 9 outside 1 to Count.
  std::shared_ptr<PlugIn> Item(int32_t Index) const;
  // The plug-in's ID in any letter case; raises 5 when none is filed.
  std::shared_ptr<PlugIn> Item(const std::string& Index) const;
  std::shared_ptr<PlugIn> operator[](int32_t Index) const { return Item(Index); }
  std::shared_ptr<PlugIn> operator[](const std::string& Index) const { return Item(Index); }
  // The enumerator: the plug-ins in collection order.
  Items::const_iterator begin() const;
  Items::const_iterator end() const;

 private:
  void LoadPlugIns();
  const Items& plugIns() const;

  std::optional<Items> mPlugIns;
  std::string mPlugInsPath;
};

}  // namespace TLPaymentPlugIns
