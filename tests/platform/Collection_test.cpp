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

TEST(Collection, PositionsAreOneBasedInInsertionOrder) {
  Collection<int> items;
  items.Add(10, "b");
  items.Add(20, "a");
  EXPECT_EQ(items.Item(1), 10);
  EXPECT_EQ(items.Item(2), 20);
  EXPECT_TRUE(Raises(9, [&] { items.Item(0); }, "Subscript out of range"));
  EXPECT_TRUE(Raises(9, [&] { items.Item(3); }));
  EXPECT_TRUE(Raises(5, [&] { items.Item("c"); }, "Invalid procedure call or argument"));
  std::vector<int> order(items.begin(), items.end());
  EXPECT_EQ(order, (std::vector<int>{10, 20}));
}
