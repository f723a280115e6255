#pragma once

#include <string>

namespace TLPaymentPlugIns {

class Panel;

// One tab of a tab strip and the page it shows. A tab switched off
// (Enabled false) is shown but cannot be chosen.
class Tab {
 public:
  Tab(std::string key, Panel& page) : Key(std::move(key)), Page(&page) {}

  std::string Key;
  std::string Caption;
  bool Enabled = true;
  Panel* Page;
};

}  // namespace TLPaymentPlugIns
