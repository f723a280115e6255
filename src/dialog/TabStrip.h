#pragma once

#include <functional>
#include <vector>

#include "dialog/Control.h"
#include "dialog/Panel.h"
#include "dialog/Tab.h"
#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

// Tabs, each with its page, in the order they were added. Font is the
// pages' font, Font2 the tabs' own.
class TabStrip : public Control {
 public:
  using Control::Control;

  void AddTab(const std::string& key, Panel& page) { Tabs.emplace_back(key, page); }
  // The tab whose page is page; raises 9 when there is none.
  Tab& TabFor(const Panel& page) {
    for (Tab& tab : Tabs) {
      if (tab.Page == &page) return tab;
    }
    throw errors::SubscriptOutOfRange();
  }
  const Tab& TabFor(const Panel& page) const { return const_cast<TabStrip*>(this)->TabFor(page); }
  // The user moves the mouse over the strip or one of its pages.
  void MouseMove() const {
    if (OnMouseMove) OnMouseMove();
  }

  std::vector<Tab> Tabs;
  TLPaymentPlugIns::Font Font2;
  std::function<void()> OnMouseMove;
};

}  // namespace TLPaymentPlugIns
