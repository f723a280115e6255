#include "platform/Collection.h"

#include <gtest/gtest.h>

#include "support/Raises.h"

using namespace TLPaymentPlugIns;
using testing_support::Raises;

TEST(Collection, KeysCompareWithoutRegardToCaseForEveryLetter) {
  Collection<int> items;
  items.Add(1, "Zahlung");
  items.Add(2, "ÄRGER");
  EXPECT_EQ(items.Item("zAHLUNG"), 1);
  EXPECT_EQ(items.Item("ärger"), 2);
  EXPECT_TRUE(Raises(457, [&] { items.Add(3, "Ärger"); }));
  EXPECT_TRUE(Raises(457, [&] { items.Add(3, "zahlung"); }));
  // Folding, not just lower-casing: ß and SS are one key.
  items.Add(4, "Straße");
  EXPECT_EQ(items.Item("STRASSE"), 4);
  EXPECT_EQ(items.Count(), 3);
}
